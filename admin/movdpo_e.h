#pragma once
// "Pagos a la Banca - Incluir" / "- Modificar": records a bank deposit, or changes the
// amount of the deposits list's selected one, with one actdpo call. A modify names the
// deposit as the server sent it, and sends back its stored amount while the amount field
// shows the text it started with.
#include "procs_deposits.h"
#include "core/app/app.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

// A key typed into the amount field: the key to type (0 drops it), and whether the text
// is emptied first (it was selected).
struct MontoKey {
    int key = 0;
    bool clear = false;
};
MontoKey monto_key(const QString& text, bool selected, int KeyAscii, bool point_allowed);

// A typed amount in stored units: digits with at most one "." (or ","), decimals beyond
// two dropped. False, units unchanged, for no amount, one below a hundredth of a unit, or
// one that does not fit in 64 bits.
bool monto_units(const MonCtx& c, const QString& text, qint64& units);

class movdpo_e : public QDialog {
    Q_OBJECT
public:
    explicit movdpo_e(App& app);
    // Hidden before its fields go, so that no field handler runs on a half-destroyed window.
    ~movdpo_e() override { hide(); }

    QGroupBox* Framex;
    QComboBox* tx_codbco;
    QDateEdit* tx_fech;
    QLineEdit* tx_nummov;
    QLineEdit* tx_monto;
    QPushButton* b_aceptar;
    QPushButton* b_cancelar;

    int tx_monto_KeyPress(int KeyAscii);
    void tx_codbco_LostFocus();

public slots:
    void b_aceptar_Click();
    void b_cancelar_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();

    App& app_;
    bool incluir_ = true;  // the mode, fixed when the dialog opens
    // Modifying: the deposit as received, and the amount text the dialog started with.
    std::optional<DpoRow> deposit_;
    QString monto_shown_;
};
