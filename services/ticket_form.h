#pragma once
// What the annulment and payment windows share: an MDI child on the pale yellow
// background with a "Datos" frame of labelled fields, the ticket field that takes at most
// 8 digits, "Procesar" (Enter) and "Cancelar" (Esc), and the window's place on the screen.
#include "core/app/app.h"

#include <QWidget>

class QGroupBox;
class QLineEdit;
class QPushButton;

class TicketForm : public QWidget {
    Q_OBJECT
public:
    QGroupBox* Framex;
    QLineEdit* tx_numt;       // the ticket typed: first in the tab order, it has the focus
    QPushButton* b_procesar;  // Enter
    QPushButton* b_cancelar;  // Esc

    virtual void b_procesar_Click() = 0;
    // Unloads the window; nothing is sent to the server.
    void b_cancelar_Click();

    // Digits and Backspace pass; the field's limit stops at 8 digits.
    static int tx_numt_KeyPress(int KeyAscii);
    // Top-left corner of the window on a screen of the given width in twips.
    static QPoint place_for(int screen_twips);

protected:
    // One row of the frame: a label and its field, the rows 500 twips apart from the top.
    struct Row {
        const char* label;
        const char* caption;
        const char* field;
        int width;            // of the field, in twips
    };
    // Builds and places the window with its rows: the field "tx_numt" takes the typed
    // ticket, the others are locked; fields_ holds them in row order.
    TicketForm(App& app, const char* name, const QString& caption, const QList<Row>& rows, QWidget* parent);
    void Form_Load();  // the window's place

    void keyPressEvent(QKeyEvent* e) override;

    App& app_;
    QList<QLineEdit*> fields_;
};
