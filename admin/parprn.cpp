#include "parprn.h"
#include "core/app/keyfilter.h"
#include "core/app/typed_combo.h"
#include "core/login/cfg_reg.h"
#include "core/shared/justify.h"
#include "core/shared/twips.h"
#include "core/shell/text_printer.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int kRowTop = 330, kRowStep = 420, kRowHeight = 315;
constexpr int kLabelLeft = 150, kLabelWidth = 1800, kFieldLeft = 2050;

int row_top(int row) { return kRowTop + row * kRowStep; }

// "1" when the option list shows its "on" text, else "0".
QString option(const QComboBox* box, const QString& on)
{
    return box->currentText() == on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

parprn::parprn(App& app, QWidget* parent) : QDialog(parent), app_(app)
{
    setObjectName(QStringLiteral("parprn"));
    setWindowTitle(QStringLiteral("Parámetros Impresora"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(tw(6820), tw(3130));

    frame = new QGroupBox(QStringLiteral("Datos"), this);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setGeometry(tw_rect(120, 60, 5200, 2950));

    auto label = [&](int row, const QString& text) {
        auto* l = new QLabel(text, frame);
        l->setGeometry(tw_rect(kLabelLeft, row_top(row) + 30, kLabelWidth, kRowHeight - 30));
    };
    auto list = [&](const char* name, int row, int width) {
        auto* b = new QComboBox(frame);
        b->setObjectName(QLatin1String(name));
        make_typed_combo(b);
        b->setGeometry(tw_rect(kFieldLeft, row_top(row), width, kRowHeight));
        install_key_filter(b, &parprn::list_KeyPress);
        return b;
    };
    auto margin = [&](const char* name, int row) {
        auto* e = new QLineEdit(frame);
        e->setObjectName(QLatin1String(name));
        e->setGeometry(tw_rect(kFieldLeft, row_top(row), 500, kRowHeight));
        e->setMaxLength(2);
        install_key_filter(e, &parprn::margin_KeyPress);
        e->installEventFilter(this);
        return e;
    };

    label(0, QStringLiteral("Impresora:"));
    tx_impr = list("tx_impr", 0, 3000);
    label(1, QStringLiteral("Margen Inferior:"));
    tx_salt = margin("tx_salt", 1);
    label(2, QStringLiteral("Margen Izquierdo:"));
    tx_marg = margin("tx_marg", 2);
    label(3, QStringLiteral("Tipo de Letra:"));
    tx_letr = list("tx_letr", 3, 1700);
    label(4, QStringLiteral("Código de Barras:"));
    tx_codb = list("tx_codb", 4, 900);
    label(5, QStringLiteral("Cortar Papel:"));
    tx_cutt = list("tx_cutt", 5, 900);
    tx_impr->installEventFilter(this);

    b_aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    b_aceptar->setObjectName(QStringLiteral("b_aceptar"));
    b_aceptar->setGeometry(tw_rect(5470, 180, 1200, 380));
    b_aceptar->setDefault(true);
    b_cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    b_cancelar->setObjectName(QStringLiteral("b_cancelar"));
    b_cancelar->setGeometry(tw_rect(5470, 660, 1200, 380));
    b_cancelar->setAutoDefault(false);

    const QList<QWidget*> order{tx_impr, tx_salt, tx_marg, tx_letr, tx_codb, tx_cutt, b_aceptar, b_cancelar};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(b_aceptar, &QPushButton::clicked, this, &parprn::b_aceptar_Click);
    connect(b_cancelar, &QPushButton::clicked, this, &parprn::b_cancelar_Click);

    loaded_ = Form_Load();
}

QPoint parprn::place_for(int screen_twips)
{
    return screen_twips > 9600 ? QPoint(tw(3000), tw(1600)) : QPoint(tw(1900), tw(900));
}

bool parprn::Form_Load()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    move(place_for(s ? s->geometry().width() * 15 : 0));

    CfgReg& cfg = app_.cfg_reg;
    const QStringList names = app_.prn.names();
    tx_impr->addItems(names);
    if (names.isEmpty()) {
        cfg.rep_nprn = -1;
        app_.msg(QStringLiteral("No hay impresoras disponibles.") + QString(10, u' '), plat::mb_exclamation);
        return false;
    }
    if (cfg.rep_nprn < 0 || cfg.rep_nprn >= names.size())
        cfg.rep_nprn = 0;
    // The printer the prints go to: the one of the saved name, wherever it is now.
    const int shown = prn_index(names, cfg.rep_nprn, cfg.rep_impr);
    tx_impr->setCurrentIndex(shown >= 0 ? shown : cfg.rep_nprn);

    tx_letr->addItems({QStringLiteral("COMPRIMIDA"), QStringLiteral("NORMAL")});
    tx_letr->setCurrentIndex(cfg.rep_letr == u"1" ? 1 : 0);
    for (auto [box, value] : {std::pair{tx_codb, cfg.rep_codb}, std::pair{tx_cutt, cfg.rep_cutt}}) {
        box->addItems({QStringLiteral("SI"), QStringLiteral("NO")});
        box->setCurrentIndex(value == u"1" ? 0 : 1);
    }
    tx_salt->setText(QString::number(cfg.rep_salt));
    tx_marg->setText(QString::number(cfg.rep_marg));
    return true;
}

void parprn::tx_impr_LostFocus()
{
    const QString text = trim_blanks(tx_impr->currentText());
    for (int i = 0; i < tx_impr->count(); ++i)
        if (trim_blanks(tx_impr->itemText(i)) == text) {
            tx_impr->setCurrentIndex(i);
            tx_impr->setEditText(tx_impr->itemText(i));
            return;
        }
    tx_impr->setEditText(QString());
}

void parprn::b_aceptar_Click()
{
    CfgReg& cfg = app_.cfg_reg;
    // The printer by its name; an empty field keeps the one chosen before.
    const QStringList names = app_.prn.names();
    const QString chosen = trim_blanks(tx_impr->currentText());
    if (const int i = int(names.indexOf(chosen)); i >= 0 && !chosen.isEmpty()) {
        cfg.rep_nprn = i;
        cfg.rep_impr = names[i];
    }
    bool number = false;
    if (const int v = tx_salt->text().toInt(&number); number)
        cfg.rep_salt = v;
    if (const int v = tx_marg->text().toInt(&number); number)
        cfg.rep_marg = v;
    cfg.rep_letr = option(tx_letr, QStringLiteral("NORMAL"));
    cfg.rep_codb = option(tx_codb, QStringLiteral("SI"));
    cfg.rep_cutt = option(tx_cutt, QStringLiteral("SI"));

    const std::pair<const char*, QString> settings[] = {
        {"rep_nprn", QString::number(cfg.rep_nprn)},
        {"rep_impr", cfg.rep_impr},
        {"rep_salt", QString::number(cfg.rep_salt)},
        {"rep_marg", QString::number(cfg.rep_marg)},
        {"rep_letr", cfg.rep_letr},
        {"rep_codb", cfg.rep_codb},
        {"rep_cutt", cfg.rep_cutt},
    };
    for (const auto& [key, value] : settings)
        cfg_save(app_, QLatin1String(key), value);
    app_.reg.sync();
    accept();
}

void parprn::b_cancelar_Click()
{
    reject();
}

int parprn::margin_KeyPress(int KeyAscii)
{
    return KeyAscii == 8 || (KeyAscii >= '0' && KeyAscii <= '9') ? KeyAscii : 0;
}

int parprn::list_KeyPress(int)
{
    return 0;
}

bool parprn::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::FocusIn && (watched == tx_salt || watched == tx_marg)) {
        auto* edit = static_cast<QLineEdit*>(watched);
        // Deferred, or the click that gave the focus would clear the selection.
        QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
    } else if (e->type() == QEvent::FocusOut && watched == tx_impr &&
               static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason) {
        tx_impr_LostFocus();
    }
    return QDialog::eventFilter(watched, e);
}
