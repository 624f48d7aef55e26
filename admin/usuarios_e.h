#pragma once
// "Usuario - Incluir" / "Usuario - Modificar": includes a user of the outlet, or changes
// the password of the users list's selected user, with one actusr call.
#include "core/app/app.h"

#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

class usuarios_e : public QDialog {
    Q_OBJECT
public:
    explicit usuarios_e(App& app);
    // Hidden before its fields go, so that no field handler runs on a half-destroyed window.
    ~usuarios_e() override { hide(); }

    QGroupBox* Framex;
    QLineEdit* tx_user;
    QLineEdit* tx_clav;
    QLineEdit* tx_caja;
    QPushButton* b_aceptar;
    QPushButton* b_cancelar;

    static int tx_caja_KeyPress(int KeyAscii);

public slots:
    void b_aceptar_Click();
    void b_cancelar_Click();

private:
    void Form_Load();

    App& app_;
    bool incluir_ = true;   // the mode, fixed when the dialog opens
};
