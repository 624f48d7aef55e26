#pragma once
// "Parámetros Impresora": the terminal's printer settings: the installed printer every print
// goes to, the lines fed after a print, the left margin and three options that are only
// kept. Shown modally; without an installed printer it says so and is not shown.
#include "core/app/app.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

class parprn : public QDialog {
    Q_OBJECT
public:
    explicit parprn(App& app, QWidget* parent = nullptr);

    QGroupBox* frame;
    QComboBox* tx_impr;
    QLineEdit* tx_salt;
    QLineEdit* tx_marg;
    QComboBox* tx_letr;
    QComboBox* tx_codb;
    QComboBox* tx_cutt;
    QPushButton* b_aceptar;   // default button
    QPushButton* b_cancelar;  // cancel button

    // False when no printer is installed: the window was refused and must not be shown.
    bool loaded() const { return loaded_; }

    void b_aceptar_Click();
    void b_cancelar_Click();
    void tx_impr_LostFocus();

    // The two margins: digits and Backspace only.
    static int margin_KeyPress(int KeyAscii);
    // The printer and the option lists: every typed character is dropped.
    static int list_KeyPress(int KeyAscii);

    // Top-left corner of the window on a screen of the given width in twips.
    static QPoint place_for(int screen_twips);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool Form_Load();

    App& app_;
    bool loaded_ = false;
};
