#pragma once
// The login window: a cashier's user name, password and database code. "Conectar" finds
// the database server, fetches the outlet's connection data (getcox), checks the cashier
// (getutq) and completes the login; "Actualizar" starts the program update.
//
// The window is loaded afresh for every showing and deletes itself when it closes: take
// it from app.window("conexion") each time. Closing it while nobody is logged in
// (cod_caj "**") ends the program.
#include "core/app/app.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class conexion : public QDialog {
    Q_OBJECT
public:
    explicit conexion(App& app, QWidget* parent = nullptr);

    QLabel* lb_user;
    QLabel* lb_clav;
    QLabel* lb_dtbs;
    QLineEdit* tx_user;
    QLineEdit* tx_clav;
    QComboBox* tx_dtbs;       // editable; its list holds the recent database codes
    QPushButton* b_conectar;  // default button
    QPushButton* b_cancelar;  // cancel button
    QPushButton* b_actua;

    void b_conectar_Click();
    void b_cancelar_Click();
    void b_actua_Click();

    static int tx_user_KeyPress(int KeyAscii);
    static int tx_clav_KeyPress(int KeyAscii);
    static int tx_dtbs_KeyPress(int KeyAscii);

    // Top-left corner of the window on a screen of the given width in twips.
    static QPoint place_for(int screen_twips);

    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Form_Load();
    void Form_Activate();
    bool Form_Unload();  // true when closing has ended the program

    // The three stages of "Conectar"; each answers false when the click ends there.
    bool conectar_servidor();
    bool datos_conexion();
    void login_cajero();

    bool try_server(const QString& host, const QString& port);
    void save_login_settings();
    bool load_symbols();
    void success(int code);
    void refusal(int code);
    void connection_lost();
    void fatal_end(const QString& frame);
    void common_end();

    App& app_;
    bool unloaded_ = false;
    // The rows of the last getutq call.
    QStringList utq_nom;
    QStringList utq_val;
};
