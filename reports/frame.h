#pragma once
// The frame every report window is built on: the criteria "Criterios", the buttons
// "Emitir" (Enter), "Imprimir" and "Salir" (Esc), the placement, the caja list, and what the
// buttons do with a built report.
#include "lines.h"
#include "procs.h"

#include <QWidget>
#include <initializer_list>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QPushButton;

class rep_frame : public QWidget {
    Q_OBJECT
public:
    QGroupBox* framex;
    QPushButton* bt_emitir;
    QPushButton* bt_imprimir;
    QPushButton* b_salir;

    // Build, then "No hay información." when there was nothing to report, else the report
    // in the viewer (Emitir) or on the printer (Imprimir); nothing after a failed call.
    virtual void bt_emitir_Click();
    virtual void bt_imprimir_Click();
    void b_salir_Click();
    // The caja box takes digits and Backspace only.
    static int tx_caja_KeyPress(int KeyAscii);

protected:
    rep_frame(App& app, const QString& name, const QString& caption);

    // Builds the report into the buffer. false when a call failed: nothing is then shown.
    virtual bool gen_rep() = 0;

    // A labelled field on the next row of the criteria.
    QDateEdit* add_date(const char* name, const char* label);
    QComboBox* add_combo(const char* name, const char* label, bool editable);
    // The caja box: digits only, at most two of them.
    QComboBox* add_caja();
    // Sizes the criteria to their fields, puts the buttons below and places the window.
    void place();

    // Fills the caja box from getcaj: "TODAS" first when todas, then the outlet's cajas;
    // the supervisor gets the first item, a cashier his own caja in a locked box. A lost
    // connection leaves the box empty and open.
    void car_caj(QComboBox* tx_caja, bool todas);

    // Keeps a report in the buffer; flg_nodat follows it only when every call answered.
    bool keep(const Report& r, bool complete);
    RepHead head() const;
    static QString day(const QDateEdit* field);   // "yyyy-mm-dd"
    static RepRange range(const QDateEdit* desde, const QDateEdit* hasta);

    App& app_;

private:
    void output(bool print);
    int rows_ = 0;
};

// Fills every date field of a window with the working date.
void set_dates(App& app, std::initializer_list<QDateEdit*> fields);
