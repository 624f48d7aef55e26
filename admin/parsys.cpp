#include "parsys.h"
#include "parsys_values.h"
#include "placed.h"
#include "procs_params.h"
#include "core/app/keyfilter.h"
#include "core/app/typed_combo.h"
#include "core/login/cfg_reg.h"
#include "core/shared/justify.h"
#include "core/shared/twips.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

// Rows of the frame, in twips inside it.
constexpr int kRowTop = 330, kRowStep = 420, kRowHeight = 315;
constexpr int kLabelLeft = 150, kLabelWidth = 2950, kFieldLeft = 3150;
constexpr int kListWidth = 1500, kListGap = 60;

int row_top(int row) { return kRowTop + row * kRowStep; }
int list_left(int column) { return kFieldLeft + column * (kListWidth + kListGap); }

// An editable list whose text changes only by choosing an entry or deleting.
QComboBox* list_box(QWidget* parent, const char* name)
{
    auto* b = new QComboBox(parent);
    b->setObjectName(QLatin1String(name));
    make_typed_combo(b);
    b->setMaxVisibleItems(12);
    return b;
}

// Shows text in a list, with its entry current when one has that text.
void show_text(QComboBox* box, const QString& text)
{
    box->setCurrentIndex(box->findText(text, Qt::MatchExactly));
    box->setEditText(text);
}

void fill(QComboBox* box, const QStringList& entries, const QString& text)
{
    box->addItems(entries);
    show_text(box, text);
}

} // namespace

parsys::parsys(App& app, QWidget* parent) : QDialog(parent), app_(app)
{
    setObjectName(QStringLiteral("parsys"));
    setWindowTitle(QStringLiteral("Parámetros Tovaren"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(tw(9520), tw(6480));

    frame = new QGroupBox(QStringLiteral("Datos"), this);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setGeometry(tw_rect(120, 60, 7900, 6300));

    auto label = [&](int row, const QString& text, int left = kLabelLeft, int width = kLabelWidth) {
        auto* l = new QLabel(text, frame);
        l->setGeometry(tw_rect(left, row_top(row) + 30, width, kRowHeight - 30));
    };
    auto edit = [&](const char* name, int row, int left, int width, int length) {
        auto* e = new QLineEdit(frame);
        e->setObjectName(QLatin1String(name));
        e->setGeometry(tw_rect(left, row_top(row), width, kRowHeight));
        e->setMaxLength(length);
        return e;
    };
    auto list = [&](const char* name, int row, int column, int columns = 1) {
        auto* b = list_box(frame, name);
        b->setGeometry(tw_rect(list_left(column), row_top(row), columns * kListWidth + (columns - 1) * kListGap,
                               kRowHeight));
        return b;
    };

    label(0, QStringLiteral("Código Tovaren:"));
    tx_codv = edit("tx_codv", 0, kFieldLeft, 600, 3);
    label(0, QStringLiteral("Serial:"), 3900, 600);
    tx_serx = edit("tx_serx", 0, 4550, 1400, 10);
    label(1, QStringLiteral("Nombre Tovaren:"));
    tx_nomb = edit("tx_nomb", 1, kFieldLeft, 4620, 30);
    label(2, QStringLiteral("Vencimiento Tickets:"));
    tx_vent = edit("tx_vent", 2, kFieldLeft, 500, 2);
    label(3, QStringLiteral("Mensaje:"));
    tx_mens = edit("tx_mens", 3, kFieldLeft, 4620, 30);
    label(4, QStringLiteral("Jugada Mínima (tptr/zod/sim):"));
    tx_jmin = list("tx_jmin", 4, 0);
    tx_jmiz = list("tx_jmiz", 4, 1);
    tx_jmis = list("tx_jmis", 4, 2);
    label(5, QStringLiteral("Jugada Máxima (tptr/zod/sim):"));
    tx_jmax = list("tx_jmax", 5, 0);
    tx_jmaz = list("tx_jmaz", 5, 1);
    tx_jmas = list("tx_jmas", 5, 2);
    label(6, QStringLiteral("Venta Tickets (minima/maxima):"));
    tx_tmin = list("tx_tmin", 6, 0);
    tx_tmax = list("tx_tmax", 6, 1);
    label(7, QStringLiteral("Anular Tickets:"));
    tx_anut = list("tx_anut", 7, 0);
    label(8, QStringLiteral("Tipo Jugada:"));
    tx_modv = list("tx_modv", 8, 0, 2);
    label(9, QStringLiteral("Orden Loterias:"));
    tx_zord = list("tx_zord", 9, 0);
    label(10, QStringLiteral("Recordar Loterias:"));
    tx_rlot = list("tx_rlot", 10, 0);
    label(11, QStringLiteral("Imprimir Encabezado:"));
    tx_enca = list("tx_enca", 11, 0);
    label(12, QStringLiteral("Imprimir Jugadas:"));
    tx_juga = list("tx_juga", 12, 0, 2);
    label(13, QStringLiteral("Imprimir Simbolos:"));
    tx_simb = list("tx_simb", 13, 0, 2);

    b_aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    b_aceptar->setObjectName(QStringLiteral("b_aceptar"));
    b_aceptar->setGeometry(tw_rect(8170, 180, 1200, 380));
    b_aceptar->setDefault(true);
    b_aceptar->setEnabled(false);
    b_cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    b_cancelar->setObjectName(QStringLiteral("b_cancelar"));
    b_cancelar->setGeometry(tw_rect(8170, 660, 1200, 380));
    b_cancelar->setAutoDefault(false);

    amounts_ = {{
        {tx_jmin, "JUGADA_MIN", &LimVta::jug_min, "JUGMIN_SYS", sub_unit_plays, {}, {}},
        {tx_jmiz, "JUGADA_MIZ", &LimVta::jug_miz, "JUGMIN_SYS", sub_unit_plays, {}, {}},
        {tx_jmis, "JUGADA_MIS", &LimVta::jug_mis, "JUGMIN_SYS", sub_unit_plays, {}, {}},
        {tx_jmax, "JUGADA_MAX", &LimVta::jug_max, "JUGMAX_SYS", {}, {}, {}},
        {tx_jmaz, "JUGADA_MAZ", &LimVta::jug_maz, "JUGMAX_SYS", {}, {}, {}},
        {tx_jmas, "JUGADA_MAS", &LimVta::jug_mas, "JUGMAX_SYS", {}, {}, {}},
        {tx_tmin, "VENTIK_MIN", &LimVta::vta_min, "TIKMIN_SYS", sub_unit_ticket, {}, {}},
        {tx_tmax, "VENTIK_MAX", &LimVta::vta_max, "TIKMAX_SYS", {}, {}, {}},
    }};

    QList<QWidget*> order{tx_codv, tx_nomb, tx_vent, tx_mens};
    for (const Amount& a : amounts_)
        order << a.box;
    order << QList<QWidget*>{tx_anut, tx_modv, tx_zord, tx_rlot, tx_enca, tx_juga, tx_simb, b_aceptar, b_cancelar,
                             tx_serx};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    install_key_filter(tx_mens, &parsys::tx_mens_KeyPress);
    install_key_filter(tx_vent, &parsys::tx_vent_KeyPress);
    for (QComboBox* b : {tx_anut, tx_modv, tx_rlot, tx_enca, tx_juga, tx_simb})
        install_key_filter(b, &parsys::list_KeyPress);
    for (const Amount& a : amounts_) {
        install_key_filter(a.box, &parsys::list_KeyPress);
        a.box->installEventFilter(this);
    }
    tx_mens->installEventFilter(this);
    tx_vent->installEventFilter(this);
    // An entry chosen from a list sets its parameter, even the entry the list showed.
    for (Amount& a : amounts_)
        connect(a.box, &QComboBox::activated, this, [&load = a.load] { load.chosen = true; });
    connect(tx_anut, &QComboBox::activated, this, [this] { anut_.chosen = true; });

    connect(b_aceptar, &QPushButton::clicked, this, &parsys::b_aceptar_Click);
    connect(b_cancelar, &QPushButton::clicked, this, &parsys::b_cancelar_Click);

    Form_Load();
}

QPoint parsys::place_for(int screen_twips)
{
    return screen_twips > 9600 ? QPoint(tw(2300), tw(1600)) : QPoint(tw(100), tw(100));
}

void parsys::Form_Load()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    move(place_for(s ? s->geometry().width() * 15 : 0));
    tx_codv->setEnabled(false);
    tx_serx->setEnabled(false);
    tx_nomb->setEnabled(false);
    if (app_.ses_val.cod_caj != u"00") {
        tx_vent->setEnabled(false);
        tx_mens->setEnabled(false);
        tx_anut->setEnabled(false);
    }
    car_par();
}

void parsys::car_par()
{
    const ParamRows rows = getpaq_shown(app_, app_.ses_val.cod_ven);
    // Without an answer every field stays empty and there is nothing to save. An answer
    // with none of the parameters' rows (a new outlet) is an answer: the outlet, the local
    // settings and the amount choices are shown, and each parameter without its row waits,
    // empty, for the user to set it.
    if (!rows.ok || app_.flg_nocox == 1)
        return;

    // The module-wide values take the server's at once; a key's last row is its value, and
    // a parameter without a row shows empty.
    LimVta& lim = app_.lim_vta;
    SesVal& ses = app_.ses_val;
    read_limits(lim, rows);
    QMap<QString, QString> last;
    for (const auto& [name, value] : rows.rows)
        last[name] = value;
    if (const auto anut = last.constFind(QStringLiteral("ANUTIK_VEN")); anut != last.cend())
        ses.anu_ven = *anut;

    const MonCtx c = app_.mon();
    for (Amount& a : amounts_) {
        a.load.came = last.contains(QLatin1String(a.key));
        a.stored = last.value(QLatin1String(a.key));
        fill(a.box, amount_choices(c, split_bounds(last.value(QLatin1String(a.bounds))), a.hundredths),
             a.load.came ? amount_text(c, a.stored) : QString());
        a.load.shown = a.box->currentText();
    }

    const CfgReg& cfg = app_.cfg_reg;
    days_.came = last.contains(QStringLiteral("TVENCE_TIK"));
    tx_vent->setText(days_.came ? trim_blanks(lim.dia_vence) : QString());
    days_.shown = tx_vent->text();
    tx_codv->setText(ses.cod_ven);
    tx_serx->setText(app_.num_hdd);
    tx_nomb->setText(ses.nom_ven);
    tx_mens->setText(trim_blanks(cfg.sys_mens));
    const std::pair<QComboBox*, std::pair<const SettingChoices*, QString>> lists[] = {
        {tx_zord, {&zord_choices, ses.ord_lot <= 0 ? QStringLiteral("0") : QStringLiteral("1")}},
        {tx_rlot, {&rlot_choices, cfg.sys_rlot}},
        {tx_enca, {&enca_choices, cfg.rep_enca}},
        {tx_juga, {&juga_choices, cfg.rep_juga}},
        {tx_simb, {&simb_choices, cfg.rep_simb}},
        {tx_anut, {&anut_choices, ses.anu_ven}},
        {tx_modv, {&modv_choices, cfg.sys_modv}},
    };
    for (const auto& [box, choice] : lists)
        fill(box, choice.first->texts(), choice.first->text_of(choice.second));
    anut_.came = last.contains(QStringLiteral("ANUTIK_VEN"));
    anut_.shown = tx_anut->currentText();
    b_aceptar->setEnabled(true);
}

void parsys::b_aceptar_Click()
{
    if (!b_aceptar->isEnabled())
        return;
    LimVta& lim = app_.lim_vta;
    SesVal& ses = app_.ses_val;
    CfgReg& cfg = app_.cfg_reg;

    // A field still showing its text of the load keeps the exact amount loaded, without the
    // blanks around it. A parameter the server sent no row of, and the user did not set,
    // keeps the sale's value and goes nowhere.
    const MonCtx c = app_.mon();
    for (const Amount& a : amounts_) {
        const QString text = a.box->currentText(), loaded = trim_blanks(a.stored);
        if (a.load.sent(text))
            lim.*a.limit = !loaded.isEmpty() && text == a.load.shown ? loaded : amount_stored(c, text);
    }

    cfg.sys_modv = modv_choices.value_of(tx_modv->currentText(), cfg.sys_modv);
    ses.ord_lot = zord_choices.value_of(tx_zord->currentText()).toInt();
    cfg.sys_rlot = rlot_choices.value_of(tx_rlot->currentText());
    cfg.rep_enca = enca_choices.value_of(tx_enca->currentText());
    cfg.rep_juga = juga_choices.value_of(tx_juga->currentText());
    cfg.rep_simb = simb_choices.value_of(tx_simb->currentText());
    const bool anut = anut_.sent(tx_anut->currentText());
    if (anut)
        ses.anu_ven = anut_choices.value_of(tx_anut->currentText());
    cfg.sys_mens = trim_blanks(tx_mens->text().toUpper());

    const std::pair<const char*, QString> settings[] = {
        {"sys_smod", QString::number(ses.mod_sys, 'f', 0)},
        {"sys_modv", cfg.sys_modv},
        {"sys_zord", QString::number(ses.ord_lot)},
        {"sys_rlot", cfg.sys_rlot},
        {"rep_enca", cfg.rep_enca},
        {"rep_juga", cfg.rep_juga},
        {"rep_simb", cfg.rep_simb},
        {"rep_agot", cfg.rep_agot},
        {"sys_mens", cfg.sys_mens},
    };
    for (const auto& [key, value] : settings)
        cfg_save(app_, QLatin1String(key), value);
    app_.reg.sync();

    // The parameters in the server's order: the expiry days within 1 to 7 (an empty field
    // counts as 0), the amounts, the annulment choice.
    QList<std::pair<QString, QString>> params;
    if (days_.sent(tx_vent->text())) {
        bool number = false;
        const int days = trim_blanks(tx_vent->text()).toInt(&number);
        if (!number || days < 1)
            tx_vent->setText(QStringLiteral("1"));
        else if (days > 7)
            tx_vent->setText(QStringLiteral("7"));
        params.append({QStringLiteral("TVENCE_TIK"), trim_blanks(tx_vent->text())});
    }
    for (const Amount& a : amounts_)
        if (a.load.sent(a.box->currentText()))
            params.append({QLatin1String(a.key), lim.*a.limit});
    if (anut)
        params.append({QStringLiteral("ANUTIK_VEN"), ses.anu_ven});
    // A key that does not go through ends the save, which says so.
    for (const auto& [key, value] : params)
        if (!save_step(app_, [&] { return actpaq(app_, ses.cod_ven, key, value); }))
            break;
    accept();
}

void parsys::b_cancelar_Click()
{
    reject();
}

int parsys::tx_mens_KeyPress(int KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        return KeyAscii - 'a' + 'A';
    if (KeyAscii == 8 || KeyAscii == ' ' || (KeyAscii >= 'A' && KeyAscii <= 'Z') || (KeyAscii >= '0' && KeyAscii <= '9'))
        return KeyAscii;
    return 0;
}

int parsys::tx_vent_KeyPress(int KeyAscii)
{
    return KeyAscii == 8 || (KeyAscii >= '0' && KeyAscii <= '9') ? KeyAscii : 0;
}

int parsys::list_KeyPress(int)
{
    return 0;
}

bool parsys::eventFilter(QObject* watched, QEvent* e)
{
    auto* box = qobject_cast<QComboBox*>(watched);
    QLineEdit* edit = box ? box->lineEdit() : qobject_cast<QLineEdit*>(watched);
    if (edit && e->type() == QEvent::FocusIn) {
        // Deferred, or the click that gave the focus would clear the selection.
        QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
    } else if (watched == tx_mens && e->type() == QEvent::FocusOut) {
        tx_mens->setText(tx_mens->text().toUpper());
    }
    return QDialog::eventFilter(watched, e);
}
