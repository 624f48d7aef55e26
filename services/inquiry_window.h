#pragma once
// The ticket inquiry contix: the tickets of a date for the outlet and the user's caja, the
// plays of the selected ticket, and the annulment of the selected ticket with Delete.
// Opened modally by name; every opening loads it afresh.
#include "core/app/app.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QPushButton;
class QTreeWidget;

class contix : public QDialog {
    Q_OBJECT
public:
    explicit contix(App& app, QWidget* parent = nullptr);

    QLabel* Label3;
    QDateEdit* tx_fech;
    QLabel* Label1;
    QLabel* Label2;
    QTreeWidget* lt_tick;     // the tickets; it has the focus
    QTreeWidget* lt_nume;     // the plays of the selected ticket
    QPushButton* b_salir;     // Esc; below the visible area

    // Widths, in twips, of the first column of each list after a load of n rows.
    static int numero_width(int n) { return n < 18 ? 1060 : 800; }
    static int loteria_width(int n) { return n < 18 ? 2000 : 1740; }
    // Top-left corner of the window on a screen of the given width in twips.
    static QPoint place_for(int screen_twips);

    // Loads the tickets of the date, the last one selected (its plays are not loaded).
    void car_tik();
    // Loads the plays of the selected ticket.
    void det_tik();
    void tx_fech_Change();
    // Delete annuls the selected ticket while the user may annul, then reloads.
    void lt_tick_KeyDown(int KeyCode);
    void b_salir_Click();

    // Esc and the frame's close are "Salir".
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Form_Load();

    App& app_;
};
