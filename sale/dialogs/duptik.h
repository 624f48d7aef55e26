#pragma once
// The duplicate dialog duptik ("Duplicar Ticket"), opened by the sale window for play type
// D, also on a ticket without lines, with the window's lottery list reloaded with every
// lottery. The cashier types the number of an earlier ticket: leaving the field looks it up
// (dettix) and lists the lotteries it played, each once, in the order they first appear
// (lt_lot1). The row the cursor is on there is the source, ticked alone; the lotteries open
// for sale that take its plays are listed beside it (lt_lot2), up to 31 of them ticked as
// targets. Then an amount (the field of the sale dialogs, limits jug_menor and jug_mayor).
//
// Enter in the ticket field pads the number to 8 digits and goes to the amount; Enter once
// the amount has been entered hands over, in dlg_datos, the ticket as its field shows it
// (dlg_res), the stored amount unchecked (dlg_mon, "0" for none), the catalogue code of the
// source (dlg_lot, " " for none) and those of the targets (dlg_lots), upon which the sale
// window asks the server to copy the plays onto the open ticket. Cancelar leaves dlg_res
// and dlg_mon empty.
//
// A ticket the server does not know empties the field without a message; entering the
// amount field with the ticket field empty shows "Ticket no es válido." and goes back.
// Up and Down move between the two fields. A digit typed on either list goes to the end of
// the ticket number, through the field's own filter, and the field takes the focus with its
// caret after it. What outlives an opening is in dlg_datos: whether the ticket field selects
// its text on entry (flg_selt), the last ticket found (tik_ant) and its lotteries (lot_tik).
#include "amount_field.h"
#include "frame.h"
#include "sale/entry/check_list.h"
#include "sale/ticket/tik_cur.h"

// What a key typed into the ticket field does, given its text and how many characters of
// it are selected (the key replaces them): a digit passes while the number stays within 8
// digits, Backspace passes, anything else is dropped (0).
int numt_key(const QString& text, int selected, int KeyAscii);

// Whether a lottery open for sale takes the plays of a source whose catalogue entry has
// these symbol set and codsit texts (read as numbers; a source the catalogue lacks has
// none, which reads 0): both symbol sets none, or both some; and likewise the codsit
// against the lottery's stasit. A negative value on either side takes nothing.
bool dup_fits(const QString& codsim, const QString& codsit, const RegLot& lot);
// The lotteries offered as targets of the source of that name, in tab_lot order: those
// that take its plays, each as the index of the first catalogue entry of its code (read as
// a number); a lottery whose code the catalogue lacks is not offered.
QList<int> dup_targets(const TabCat& cat, const QString& source, const QList<RegLot>& tab_lot);

// What Aceptar hands over for the names ticked, in list order, each named as the first
// catalogue entry of that name (blanks around names aside): the code of the last source
// the catalogue names (" " when none), and, with a source, the targets' codes joined. A
// name the catalogue lacks gives nothing.
struct DupChoice {
    QString lot = QStringLiteral(" ");
    QString lots;
};
DupChoice dup_choice(const TabCat& cat, const QStringList& sources, const QStringList& targets);

class duptik : public SaleDialog {
    Q_OBJECT
public:
    explicit duptik(App& app);

    QListWidget* lt_lot1;  // the lotteries of the ticket: the source
    QListWidget* lt_lot2;  // the lotteries that take the source's plays: the targets
    QLabel* Label1;
    QLineEdit* tx_numt;
    QLabel* Label2;
    QLineEdit* tx_mont;
    CheckList* lot1;       // lt_lot1's ticks
    CheckList* lot2;       // lt_lot2's ticks
    AmountField* mont;     // tx_mont's handlers, limits jug_menor and jug_mayor
    int pas_dup = 1;       // Aceptar's step: 1 the ticket, 2 the amount

    static QPoint place_for(int screen_twips);

    void b_aceptar_Click() override;
    void b_cancelar_Click() override;
    void tx_numt_GotFocus();
    void tx_numt_LostFocus();
    int tx_numt_KeyDown(int KeyCode, int Shift);
    int tx_numt_KeyPress(int KeyAscii);
    AmountField::Entry tx_mont_GotFocus();
    int tx_mont_KeyDown(int KeyCode, int Shift);
    void lt_lot1_Click();
    void lt_lot1_ItemCheck(int row);
    void lt_lot2_ItemCheck(int row);
    void lt_lot_GotFocus(QListWidget* list);
    void lt_lot_LostFocus(QListWidget* list);
    int lt_lot_KeyPress(int KeyAscii);

private:
    void Form_Load();
    void bind_list(QListWidget* list);
    static QStringList texts(const QListWidget* list);
};
