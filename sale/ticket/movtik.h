#pragma once
// "Venta de Tickets": the sale window. This class holds the window's controls, the ticket
// state and the ticket cycle: the set-up, opening a ticket, the lottery list and its
// modes, the pending-ticket watch, closing, committing and printing a ticket.
//
// Play entry and play registration complete the window by overriding the entry points
// marked below; the ticket cycle calls them where it needs the entry state recomputed.
// The registry builds the window and then runs Form_Load, so the overrides already apply.
#include "core/app/app.h"
#include "tik_cur.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>

class movtik : public QWidget {
    Q_OBJECT
public:
    explicit movtik(App& app, QWidget* parent = nullptr);
    ~movtik() override;

    QLabel *Label1, *Label2, *Label7, *Label8;
    QLineEdit* tx_ntik;     // the ticket number
    QLineEdit* tx_mtik;     // the ticket total
    QComboBox* tx_nume;     // the number being typed
    QComboBox* tx_mont;     // the amount being typed
    QListWidget* lt_tipo;   // play types, with check boxes
    QListWidget* lt_lote;   // lotteries open for the ticket, with check boxes
    QListWidget* lt_nume;   // the play lines of the ticket
    QTreeWidget* lx_nume;   // pick list of symbol codes, hidden until the number field opens it
    QPushButton* b_procesar;  // Enter
    QPushButton* b_imprimir;  // Esc
    QTimer* timer_tik;        // the pending-ticket watch

    TikCur tik_cur;

    // Window events.
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void timer_tik_Timer();
    void b_imprimir_Click();

    // The ticket cycle.
    void car_lim();
    void new_tik();
    void car_lot();
    void del_cur();
    void anu_cur();
    void val_tik();
    // The server answers again (the keep-alive or a login found it): a window that a lost
    // opening left without a ticket tries that opening once, right after the tick or the
    // login, or as soon as the window is free.
    void srv_back();
    // Index in tab_lot of the lottery an answer row names by codlot; -1 when none.
    int idx_lot(const QString& codlot) const;

    // The code of the lottery of an item of lt_lote.
    static QString item_codint(const QListWidgetItem* item);
    // Whether lottery i of tab_lot (item i of lt_lote) is ticked: a lottery the list lacks
    // is not; and how many are.
    bool lot_ticked(int i) const;
    int lots_ticked() const;
    // Whether the ticket total has reached the largest sale (vta_max): it takes no more plays.
    bool tik_full() const;

    // Entry points of play entry.
    // Play-type dispatch (index 0 to 13; key: an extra's typed letter; item: an extra
    // ticked with the mouse). Here: the lottery list's modes, its order, and L.
    virtual void sel_tip(int index, int key, int item);
    // Recomputes the number format and the play-type ticks from the ticked lotteries.
    virtual void act_tip() = 0;

    // While a handler of the window or a modal window runs, the watch does not check.
    class Busy {
    public:
        explicit Busy(movtik& w) : w_(w) { ++w_.busy_; }
        ~Busy()
        {
            if (--w_.busy_ == 0 && w_.pending_)
                w_.free_again();
        }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        movtik& w_;
    };
    bool busy() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

    App& app_;

    // Ticks of the lists (a row the list lacks reads unticked and takes no tick).
    bool checked(QListWidget* list, int row) const;
    void set_checked(QListWidget* list, int row, bool on);
    void untick_lots();
    bool untick_extras();   // whether one was ticked

private:
    void build();
    // No ticket in the window: number "0", no plays, total 0, neither shown.
    void no_tik();
    void fill_lots(const QList<RegLot>& lots);
    void close_window();
    void sel_extra(int key, int item);
    void print_tik(double val_mon, const QString& ticket2);
    // Tries the opening a loss left due, once, as after every ticket: now when the window is
    // free and the server answers, else once it is free (before the next key typed in it is
    // handled). Lost again, the window closes.
    void open_due();
    // Posts open_due, to run once the current tick or handler is over.
    void free_again();
    // The try no longer waits for a key: the key filter goes.
    void stop_waiting();

    int busy_ = 0;
    bool due_ = false;         // the last opening was lost and waits to be tried once
    bool pending_ = false;     // that try waits for the window to be free (keys_ installed)
    QObject* keys_ = nullptr;  // sees the window's keys first while the try waits
    bool loaded_ = false;      // Form_Load ran and Form_Unload did not yet
    bool shown_ = false;
    int prn_cur = 0;           // the printer tickets went to last
};
