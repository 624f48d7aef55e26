#pragma once
// "Parámetros Tovaren": the outlet's sale parameters that the server keeps (getpaq, saved
// with actpaq) and the terminal's local settings. The amount fields offer the amounts
// within the bounds the server sends; a cashier (caja other than "00") finds the expiry
// days, the ticket message and the annulment choice locked. Shown modally; loaded afresh
// for every showing. A parameter without a row shows empty (the annulment choice shows the
// value the program holds) and is saved only once the user sets it; an amount left as
// loaded saves the amount the server sent, without blanks around it.
#include "core/app/app.h"
#include "parsys_values.h"

#include <QDialog>
#include <array>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

class parsys : public QDialog {
    Q_OBJECT
public:
    explicit parsys(App& app, QWidget* parent = nullptr);

    QGroupBox* frame;
    QLineEdit* tx_codv;
    QLineEdit* tx_serx;
    QLineEdit* tx_nomb;
    QLineEdit* tx_vent;
    QLineEdit* tx_mens;
    // Amount lists: play minimums and maximums (numbers, zodiac and cacho, animals), ticket
    // minimum and maximum.
    QComboBox* tx_jmin;
    QComboBox* tx_jmiz;
    QComboBox* tx_jmis;
    QComboBox* tx_jmax;
    QComboBox* tx_jmaz;
    QComboBox* tx_jmas;
    QComboBox* tx_tmin;
    QComboBox* tx_tmax;
    QComboBox* tx_anut;
    QComboBox* tx_modv;
    QComboBox* tx_zord;
    QComboBox* tx_rlot;
    QComboBox* tx_enca;
    QComboBox* tx_juga;
    QComboBox* tx_simb;
    QPushButton* b_aceptar;   // default button; enabled once the server's parameters are read
    QPushButton* b_cancelar;  // cancel button

    // Saves into the sale limits, the settings and the server, then closes.
    void b_aceptar_Click();
    void b_cancelar_Click();

    static int tx_mens_KeyPress(int KeyAscii);
    static int tx_vent_KeyPress(int KeyAscii);
    // The amount and choice lists: every typed character is dropped.
    static int list_KeyPress(int KeyAscii);

    // Top-left corner of the window on a screen of the given width in twips.
    static QPoint place_for(int screen_twips);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Form_Load();
    void car_par();

    App& app_;
    // An amount field, the parameter and sale limit it shows, the bounds row and sub-unit
    // choices of its list, how it was loaded and for which stored amount (empty when the
    // parameter had no row).
    struct Amount {
        QComboBox* box;
        const char* key;
        QString LimVta::*limit;
        const char* bounds;
        QList<int> hundredths;
        LoadedParam load;
        QString stored;
    };
    std::array<Amount, 8> amounts_;
    LoadedParam days_;  // tx_vent
    LoadedParam anut_;  // tx_anut
};
