#include "movdpo_e.h"
#include "edit_fields.h"
#include "movdpo.h"
#include "placed.h"
#include "procs_deposits.h"
#include "core/app/keyfilter.h"
#include "core/app/typed_combo.h"
#include "core/shared/justify.h"
#include "core/shared/twips.h"
#include "core/shared/whole.h"

#include <QKeyEvent>
#include <QLabel>

MontoKey monto_key(const QString& text, bool selected, int KeyAscii, bool point_allowed)
{
    constexpr int backspace = 8;
    const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
    if (!digit && KeyAscii != '.' && KeyAscii != backspace)
        return {};
    if (KeyAscii == '.' && !point_allowed)
        return {};
    MontoKey k{KeyAscii, selected};
    const QString t = selected ? QString() : text;
    const qsizetype dot = t.indexOf(u'.');
    if (dot >= 0) {
        if (KeyAscii == '.' || (KeyAscii != backspace && t.size() - dot - 1 >= 2)
            || (KeyAscii == '0' && (t == u".0" || t == u"0.0")))
            k.key = 0;
    } else if (t == u"0" && KeyAscii != backspace && KeyAscii != '.') {
        k.key = 0;
    }
    return k;
}

bool monto_units(const MonCtx& c, const QString& text, qint64& units)
{
    QString s = trim_blanks(text);
    s.replace(u',', u'.');
    const qsizetype dot = s.indexOf(u'.');
    if (dot >= 0 && s.indexOf(u'.', dot + 1) >= 0)
        return false;
    for (const QChar ch : s)
        if ((ch < u'0' || ch > u'9') && ch != u'.')
            return false;
    const auto digits = [](const QString& t, qint64& out) {
        out = 0;
        for (const QChar ch : t)
            if (__builtin_mul_overflow(out, qint64(10), &out) || __builtin_add_overflow(out, qint64(ch.unicode() - '0'), &out))
                return false;
        return true;
    };
    qint64 whole = 0, hundredths = 0;
    if (!digits(dot < 0 ? s : s.left(dot), whole)
        || !digits(dot < 0 ? QString() : s.mid(dot + 1).left(2).leftJustified(2, u'0'), hundredths))
        return false;
    // whole units and hundredths of mod_sys stored units each, rounded to whole stored units.
    const std::optional<qint64> divisor = round_whole(c.mod_sys);
    if (!divisor)
        return false;
    const qint64 mod = *divisor;
    qint64 w = 0, h = 0, v = 0;
    if (__builtin_mul_overflow(whole, mod, &w) || __builtin_mul_overflow(hundredths, mod, &h)
        || __builtin_add_overflow(w, h / 100 + (h % 100 >= 50 ? 1 : 0), &v))
        return false;
    // Nothing below a hundredth of a unit.
    if (v <= 0 || v < (mod + 99) / 100)
        return false;
    units = v;
    return true;
}

movdpo_e::movdpo_e(App& app) : app_(app)
{
    setObjectName(QStringLiteral("movdpo_e"));
    setFixedSize(tw(5650), tw(3300));

    Framex = new QGroupBox(QStringLiteral("Datos"), this);
    Framex->setObjectName(QStringLiteral("Framex"));
    Framex->setGeometry(tw_rect(200, 200, 5250, 2350));
    auto label = [this](const char* text, int top, QWidget* buddy) {
        auto* l = new QLabel(QString::fromUtf8(text), Framex);
        l->setGeometry(tw_rect(150, top + 30, 850, 255));
        l->setBuddy(buddy);
    };
    tx_codbco = new QComboBox(Framex);
    tx_codbco->setObjectName(QStringLiteral("tx_codbco"));
    make_typed_combo(tx_codbco);
    tx_codbco->setGeometry(tw_rect(1000, 300, 4000, 315));
    tx_fech = new QDateEdit(Framex);
    tx_fech->setObjectName(QStringLiteral("tx_fech"));
    tx_fech->setCalendarPopup(true);
    tx_fech->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    tx_fech->setGeometry(tw_rect(1000, 800, 1500, 315));
    tx_nummov = new QLineEdit(Framex);
    tx_nummov->setObjectName(QStringLiteral("tx_nummov"));
    tx_nummov->setMaxLength(10);
    tx_nummov->setGeometry(tw_rect(1000, 1300, 1500, 315));
    tx_monto = new QLineEdit(Framex);
    tx_monto->setObjectName(QStringLiteral("tx_monto"));
    tx_monto->setMaxLength(kMontoLength);
    tx_monto->setGeometry(tw_rect(1000, 1800, 1500, 315));
    label("Cuenta:", 300, tx_codbco);
    label("Fecha:", 800, tx_fech);
    label("Número:", 1300, tx_nummov);
    label("Monto:", 1800, tx_monto);

    b_aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    b_aceptar->setObjectName(QStringLiteral("b_aceptar"));
    b_aceptar->setGeometry(tw_rect(2500, 2700, 1200, 380));
    b_aceptar->setDefault(true);
    b_cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    b_cancelar->setObjectName(QStringLiteral("b_cancelar"));
    b_cancelar->setGeometry(tw_rect(3800, 2700, 1200, 380));
    b_cancelar->setAutoDefault(false);
    connect(b_aceptar, &QPushButton::clicked, this, &movdpo_e::b_aceptar_Click);
    connect(b_cancelar, &QPushButton::clicked, this, &movdpo_e::b_cancelar_Click);
    setTabOrder(tx_codbco, tx_fech);
    setTabOrder(tx_fech, tx_nummov);
    setTabOrder(tx_nummov, tx_monto);
    setTabOrder(tx_monto, b_aceptar);
    setTabOrder(b_aceptar, b_cancelar);

    install_key_filter(tx_codbco, upper_key);
    on_focus_out(tx_codbco, [this] { tx_codbco_LostFocus(); });
    install_key_filter(tx_nummov, upper_key);
    select_on_focus(tx_nummov);
    install_key_filter(tx_monto, [this](int k) { return tx_monto_KeyPress(k); });
    tx_monto->installEventFilter(this);
    select_on_focus(tx_monto);

    Form_Load();
}

void movdpo_e::Form_Load()
{
    place_by_screen(this, {3500, 2800}, {5000, 4000});
    tx_fech->setDate(app_.ses_val.fec_sys);
    incluir_ = app_.mod_edi == 1;
    setWindowTitle(QStringLiteral("Pagos a la Banca"));
    const CdpList accounts = dspcdp(app_, app_.ses_val.cod_ven);
    if (!accounts.ok)
        return;
    for (const auto& [code, name] : accounts.rows)
        tx_codbco->addItem(code + QStringLiteral(" - ") + name);
    tx_codbco->setCurrentIndex(-1);
    tx_codbco->setEditText(QString());
    if (incluir_) {
        setWindowTitle(QStringLiteral("Pagos a la Banca - Incluir"));
        tx_codbco->setFocus();
        return;
    }
    setWindowTitle(QStringLiteral("Pagos a la Banca - Modificar"));
    auto* list = app_.is_loaded(QStringLiteral("movdpo")) ? app_.win<movdpo>(QStringLiteral("movdpo")) : nullptr;
    if (QTreeWidgetItem* row = list ? list->selected() : nullptr) {
        tx_codbco->setEditText(trim_blanks(row->text(1)));
        tx_nummov->setText(trim_blanks(row->text(2)));
        tx_monto->setText(trim_blanks(row->text(3)));
        // The deposit's own date: the working date would name another deposit.
        const QDate own = dpo_date(list->deposit()->fecmov);
        if (own.isValid())
            tx_fech->setDate(own);
        deposit_ = *list->deposit();
        monto_shown_ = tx_monto->text();
    }
    tx_codbco->setEnabled(false);
    tx_fech->setEnabled(false);
    tx_nummov->setEnabled(false);
    tx_monto->setFocus();
}

void movdpo_e::tx_codbco_LostFocus()
{
    const QString code = tx_codbco->currentText().left(3);
    for (int i = 0; i < tx_codbco->count(); ++i) {
        if (tx_codbco->itemText(i).left(3) == code) {
            tx_codbco->setCurrentIndex(i);
            tx_codbco->setEditText(tx_codbco->itemText(i));
            return;
        }
    }
    tx_codbco->setCurrentIndex(-1);
    tx_codbco->setEditText(QString());
}

int movdpo_e::tx_monto_KeyPress(int KeyAscii)
{
    const MontoKey k = monto_key(tx_monto->text(), tx_monto->hasSelectedText(), KeyAscii,
                                 app_.ses_val.jug_sys <= app_.ses_val.mod_sys);
    if (k.clear)
        tx_monto->clear();
    tx_monto->end(false);
    return k.key;
}

bool movdpo_e::eventFilter(QObject* watched, QEvent* event)
{
    // The amount's caret stays at the end: moving and deleting keys are dropped.
    if (watched == tx_monto && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key >= Qt::Key_Home && key <= Qt::Key_PageDown) || key == Qt::Key_Insert || key == Qt::Key_Delete)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void movdpo_e::b_aceptar_Click()
{
    // A deposit modified is named as the server sent it, and an amount left as it showed
    // goes back as the stored amount it showed: its text keeps two decimals of it only.
    qint64 monto = 0;
    if (deposit_ && tx_monto->text() == monto_shown_) {
        monto = deposit_->monto;
    } else if (!monto_units(app_.mon(), tx_monto->text(), monto)) {
        app_.msg(QStringLiteral("Monto no es válido.") + QString(10, ' '), plat::mb_exclamation);
        return;
    }
    const QDate date = deposit_ ? dpo_date(deposit_->fecmov) : tx_fech->date();
    const QString fecha = date.toString(QStringLiteral("yyyy-MM-dd"));
    const DpoAnswer a = deposit_ ? actdpo(app_, QStringLiteral("2"), fecha, app_.ses_val.cod_ven,
                                          unfilled(deposit_->codbco), unfilled(deposit_->numero), monto)
                                 : actdpo(app_, incluir_ ? QStringLiteral("1") : QStringLiteral("2"), fecha,
                                          app_.ses_val.cod_ven, tx_codbco->currentText().left(3),
                                          tx_nummov->text().left(10), monto);
    const QString refusals[] = {QStringLiteral("Datos incompletos. No se pudo actualizar el registro."),
                                QStringLiteral("Registro ya existe. No se pudo actualizar el registro."),
                                QStringLiteral("Registro ya procesado. No se pudo actualizar el registro.")};
    if (a.ok && a.code >= 1 && a.code <= 3)
        app_.msg(refusals[a.code - 1] + QString(5, ' '), plat::mb_exclamation);
    close();
}

void movdpo_e::b_cancelar_Click()
{
    close();
}
