#include "movtik.h"
#include "cycle.h"
#include "procs.h"
#include "core/app/typed_combo.h"
#include "core/shared/justify.h"
#include "core/shared/server_date.h"
#include "core/shared/twips.h"
#include "core/shell/mdi_child.h"
#include "core/shell/text_printer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <cmath>
#include <functional>

namespace {

const QString kZero = QStringLiteral("0");
constexpr int kCodint = Qt::UserRole;      // item data of lt_lote: the lottery's code
constexpr int kItemL = 7;                  // "L - LOTERIAS"
constexpr int kItemO = 9;                  // "O - ORDEN LOTERIAS"
constexpr int kFirstMode = 10;             // items 10 to 12: list modes 1 to 3
constexpr int kFirstExtra = 13;            // extra play types of lot_mnu

QFont make_font(const char* family, qreal points, bool bold = false)
{
    QFont f{QString::fromLatin1(family)};
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

// Installed on the application, calls back before a key typed in the window (or its
// shortcut) is handled.
class KeysFirst : public QObject {
public:
    KeysFirst(QWidget* window, std::function<void()> on_key) : QObject(window), window_(window), on_key_(std::move(on_key))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)
            if (auto* w = qobject_cast<QWidget*>(watched); w && (w == window_ || window_->isAncestorOf(w)))
                on_key_();
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> on_key_;
};

} // namespace

movtik::movtik(App& app, QWidget* parent) : QWidget(parent), app_(app)
{
    setObjectName(QStringLiteral("movtik"));
    setWindowTitle(QStringLiteral("Venta de Tickets"));
    build();
    keys_ = new KeysFirst(this, [this] { open_due(); });
}

movtik::~movtik()
{
    Form_Unload();
}

void movtik::build()
{
    const QFont label = make_font("Tahoma", 8.25, true);
    const QFont field = make_font("Verdana", 12, true);
    const QFont list = make_font("Verdana", 8.25);
    QFont fixed = make_font("Courier New", 9.75);
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);

    const auto make_label = [&](QLabel*& l, const char* name, const QString& text, QRect at) {
        l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->setFont(label);
        l->setGeometry(at);
    };
    const auto make_line = [&](QLineEdit*& e, const char* name, QRect at) {
        e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setFont(field);
        e->setReadOnly(true);
        e->setGeometry(at);
    };
    const auto make_combo = [&](QComboBox*& c, const char* name, QRect at) {
        c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        make_typed_combo(c);
        c->setFont(field);
        c->setGeometry(at);
    };
    const auto make_list = [&](QListWidget*& l, const char* name, const QFont& f, QRect at) {
        l = new QListWidget(this);
        l->setObjectName(QLatin1String(name));
        l->setFont(f);
        l->setUniformItemSizes(true);
        l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        l->setTextElideMode(Qt::ElideNone);
        l->setGeometry(at);
    };

    make_label(Label2, "Label2", QStringLiteral("Ticket:"), tw_rect(100, 200, 700, 255));
    make_line(tx_ntik, "tx_ntik", tw_rect(900, 100, 1500, 390));
    make_label(Label1, "Label1", QStringLiteral("Total:"), tw_rect(2600, 200, 700, 255));
    make_line(tx_mtik, "tx_mtik", tw_rect(3400, 100, 1500, 390));
    make_label(Label7, "Label7", QStringLiteral("Número:"), tw_rect(5000, 200, 1000, 255));
    make_combo(tx_nume, "tx_nume", tw_rect(6000, 100, 3600, 390));
    make_label(Label8, "Label8", QStringLiteral("Monto:"), tw_rect(9600, 200, 700, 255));
    make_combo(tx_mont, "tx_mont", tw_rect(10400, 100, 2100, 390));
    make_list(lt_tipo, "lt_tipo", list, tw_rect(100, 600, 2700, 6500));
    make_list(lt_lote, "lt_lote", list, tw_rect(2900, 600, 3000, 6500));
    make_list(lt_nume, "lt_nume", fixed, tw_rect(6000, 600, 6500, 6500));

    lx_nume = new QTreeWidget(this);
    lx_nume->setObjectName(QStringLiteral("lx_nume"));
    lx_nume->setFont(field);
    lx_nume->setRootIsDecorated(false);
    lx_nume->setGeometry(tw_rect(6000, 500, 3600, 4900));
    lx_nume->hide();

    // The two buttons lie below the client area: Enter and Esc press them.
    b_procesar = new QPushButton(QStringLiteral("Procesar"), this);
    b_procesar->setObjectName(QStringLiteral("b_procesar"));
    b_imprimir = new QPushButton(QStringLiteral("Imprimir"), this);
    b_imprimir->setObjectName(QStringLiteral("b_imprimir"));
    for (QPushButton* b : {b_procesar, b_imprimir}) {
        b->setGeometry(tw_rect(0, 10500, 1200, 400));
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(b_imprimir, &QPushButton::clicked, this, &movtik::b_imprimir_Click);
    const auto press_on = [this](QKeySequence key, QPushButton* b) {
        auto* s = new QShortcut(key, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, b, &QPushButton::click);
    };
    press_on(QKeySequence(Qt::Key_Return), b_procesar);
    press_on(QKeySequence(Qt::Key_Enter), b_procesar);
    press_on(QKeySequence(Qt::Key_Escape), b_imprimir);

    timer_tik = new QTimer(this);
    timer_tik->setObjectName(QStringLiteral("timer_tik"));
    connect(timer_tik, &QTimer::timeout, this, &movtik::timer_tik_Timer);

    setTabOrder(tx_nume, tx_mont);
    setTabOrder(tx_mont, lt_nume);
    setTabOrder(lt_nume, lt_lote);
    setTabOrder(lt_lote, tx_mtik);
    setTabOrder(tx_mtik, lt_tipo);
    setTabOrder(lt_tipo, tx_ntik);
    resize(tw(12615), tw(7215));

    // An activation is the window becoming the active child of the main window.
    if (app_.mdi)
        connect(app_.mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
            if (sub && sub->widget() == this)
                Form_Activate();
        });
}

void movtik::Form_Load()
{
    auto& t = tik_cur;
    auto& s = app_.ses_val;
    loaded_ = true;
    app_.dlg.set_pointer(plat::ptr_hourglass);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const int place = screen && screen->geometry().width() * 15 > 12000 ? 500 : 50;
    move(tw(place), tw(place));

    // A number left by an earlier opening is no ticket of this one.
    t.num_tik = kZero;
    t.tip_jug = QStringLiteral("N");
    t.flg_mou = t.foc_lot = t.flg_lot = t.flg_ext = false;

    const QStringList types = {"N - NUMEROS",         "P - PERMUTA",          "Z - ZODIACAL",    "T - TERMINALES",
                               "D - DUPLICAR TICKET", "R - REPETIR JUGADAS",  "E - ELIMINAR JUGADAS",
                               "L - LOTERIAS",        "K - CONSULTAR TICKETS", "O - ORDEN LOTERIAS",
                               "A - ANIMALITOS",      "I - TPL/TER/ZOD",      "J - TRIPLETA"};
    const QStringList extras = s.lot_mnu.isEmpty() ? QStringList() : s.lot_mnu.split(QLatin1Char(','));
    lt_tipo->clear();
    for (const QString& text : types + extras) {
        auto* item = new QListWidgetItem(text, lt_tipo);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }

    lx_nume->clear();
    lx_nume->setColumnCount(1);
    lx_nume->setHeaderLabels({QString()});
    lx_nume->header()->setStretchLastSection(false);
    lx_nume->setColumnWidth(0, tw(3300));
    QPalette pal = lx_nume->palette();
    pal.setColor(QPalette::Base, QColor(255, 224, 192));
    lx_nume->setPalette(pal);

    prep_cmds(app_);

    const CatRows cat = dstlot(app_, s.ord_lot, s.val_fijo);
    if (cat.ok) {
        if (!cat.rows.isEmpty())
            app_.tab_cat = cat.rows;
        t.can_cat = int(cat.rows.size());
    }
    if (cat.ok && dsplot(app_)) {
        car_lim();
        new_tik();
        timer_tik->setInterval(30000);
        timer_tik->start();
        t.cnt_tmr = 0;
        if (app_.dat_cox.cod_dtbs.contains(QLatin1Char('$')))
            setWindowTitle(QStringLiteral("Venta de Tickets") + blanks(3) + QLatin1Char('(') + QString(20, QLatin1Char('$')) +
                           QLatin1Char(')'));
    }
    app_.dlg.set_pointer(plat::ptr_default);
}

void movtik::Form_Activate()
{
    if (tik_cur.numtik() == 0) {
        // Closed once the activation is over, never inside it.
        QTimer::singleShot(0, this, &movtik::close_window);
        return;
    }
    update();
}

void movtik::Form_Unload()
{
    if (!loaded_)
        return;
    loaded_ = false;
    due_ = false;
    stop_waiting();
    drop_cmds(app_);
    timer_tik->stop();
    app_.dlg.set_pointer(plat::ptr_default);
}

void movtik::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void movtik::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Outside the main window's MDI area the first show is the activation.
    if (!shown_ && !qobject_cast<QMdiSubWindow*>(parentWidget()))
        Form_Activate();
    shown_ = true;
}

void movtik::close_window()
{
    close_mdi_child(this);
}

bool movtik::busy() const
{
    return busy_ > 0 || QApplication::activeModalWidget() != nullptr;
}

void movtik::car_lim()
{
    app_.dlg.set_pointer(plat::ptr_hourglass);
    const ParamRows rows = getpaq(app_, app_.cmd_getpaq, app_.ses_val.cod_ven);
    if (rows.ok && app_.flg_nocox == 0) {
        read_limits(app_.lim_vta, rows);
        derive_limits(app_.lim_vta, app_.ses_val);
    }
    app_.dlg.set_pointer(plat::ptr_default);
}

void movtik::new_tik()
{
    Busy busy(*this);
    auto& t = tik_cur;
    const auto& s = app_.ses_val;
    const auto& cfg = app_.cfg_reg;
    // A ticket a failed commit may have left sold is annulled before another opens.
    anu_pend(app_, false);
    app_.dlg.set_pointer(plat::ptr_hourglass);
    const int mod_ven = cfg.sys_modv.toInt();
    const NewTicket n = newtkx(app_, s.cod_ven, s.cod_caj, app_.num_hdd, s.ord_lot, s.val_fijo, mod_ven);
    if (!n.ok || app_.flg_nocox != 0) {
        app_.dlg.set_pointer(plat::ptr_default);
        // Lost: tried again once the server answers, or once the window is free when the
        // keep-alive found it while the loss was being told.
        due_ = true;
        if (app_.flg_nocox == 0)
            srv_back();
        return;
    }
    due_ = false;

    t.set_mode(mod_ven);
    t.ord_act = s.ord_lot;
    t.hab_ani = t.hab_tpl = t.hab_trp = true;
    untick_extras();
    for (int mode = 1; mode <= 3; ++mode)
        set_checked(lt_tipo, kFirstMode + mode - 1, t.mod_lot == mode);

    // The lotteries are kept aside: the table goes with its list only once a ticket opened.
    QList<RegLot> lots;
    for (const RegLot& lot : n.lots.rows)
        if (taken(lot, cfg.sys_modv))
            lots.append(lot);
    name_lots(lots, app_.tab_cat, t.can_cat);

    t.num_tik = pad_left(QString::number(n.numtik), num_digits, kZero);
    t.ser_tik = pad_left(QString::number(n.serial), num_digits, kZero);
    t.fec_tik = n.fecha.toString(QStringLiteral("dd/MM/yyyy"));
    t.hor_tik = n.hora;

    t.tot_tik = 0;
    t.can_jug = 0;
    t.can_lin = 0;
    lt_nume->clear();
    tx_nume->setEditText(QString());
    tx_mont->setEditText(QString());

    // A number the server cannot be sent back (deltik and valtkx hold 8 digits) opens
    // no ticket that could ever be committed.
    const bool too_long = t.num_tik.size() > num_digits;
    if (n.status != 0 || too_long) {
        lt_lote->clear();
        t.tab_lot.clear();
        no_tik();
        app_.dlg.set_pointer(plat::ptr_default);
        int style = 0;
        const QString text = open_refusal(n.status != 0 ? n.status : -1, style);
        app_.msg(text, style);
        return;
    }
    if (t.numtik() == 0) {
        app_.dlg.set_pointer(plat::ptr_default);
        app_.msg(QStringLiteral("Error de conexión con servidor.") + blanks(10), plat::mb_critical);
        no_tik();  // the number shown would be a ticket no longer open
        return;
    }
    if (lots.isEmpty()) {
        app_.dlg.set_pointer(plat::ptr_default);
        app_.msg(QStringLiteral("No hay loterías disponibles para vender.") + blanks(5), plat::mb_exclamation);
        no_tik();
        return;
    }

    QStringList lot_item;
    for (int row = 0; row < lt_lote->count(); ++row)
        if (checked(lt_lote, row))
            lot_item << item_codint(lt_lote->item(row));
    fill_lots(lots);
    if (cfg.sys_rlot == QLatin1String("0"))
        for (const QString& code : lot_item)
            for (int row = 0; row < lt_lote->count(); ++row)
                if (item_codint(lt_lote->item(row)) == code) {
                    set_checked(lt_lote, row, true);
                    break;
                }
    lt_lote->setCurrentRow(-1);
    tx_ntik->setText(t.num_tik);
    tx_mtik->setText(kZero);
    t.tip_jug = QStringLiteral("N");
    act_tip();
    app_.dlg.set_pointer(plat::ptr_default);
}

void movtik::no_tik()
{
    auto& t = tik_cur;
    t.num_tik = kZero;
    t.tot_tik = 0;
    t.can_jug = 0;
    t.can_lin = 0;
    lt_nume->clear();
    tx_ntik->clear();
    tx_mtik->clear();
}

void movtik::fill_lots(const QList<RegLot>& lots)
{
    const QSignalBlocker block(lt_lote);
    lt_lote->clear();
    tik_cur.tab_lot = lots;
    for (int i = 0; i < lots.size(); ++i) {
        auto* item = new QListWidgetItem(lot_text(lots[i]), lt_lote);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setData(kCodint, lots[i].codint);
    }
}

QString movtik::item_codint(const QListWidgetItem* item)
{
    return item ? item->data(kCodint).toString() : QString();
}

bool movtik::lot_ticked(int i) const
{
    return i >= 0 && i < tik_cur.tab_lot.size() && checked(lt_lote, i);
}

int movtik::lots_ticked() const
{
    int n = 0;
    for (int i = 0; i < tik_cur.tab_lot.size(); ++i)
        n += lot_ticked(i) ? 1 : 0;
    return n;
}

bool movtik::tik_full() const
{
    return tik_cur.tot_tik >= app_.lim_vta.vta_max.toDouble();
}

void movtik::car_lot()
{
    Busy busy(*this);
    auto& t = tik_cur;
    app_.dlg.set_pointer(plat::ptr_hourglass);
    const LotRows r = dttlot(app_, app_.ses_val.cod_ven, t.mod_lot, t.ord_act, app_.ses_val.val_fijo);
    if (r.ok && app_.flg_nocox == 0) {
        t.mod_lot = t.mod_bas;
        if (r.rows.isEmpty()) {
            if (t.mod_lot >= 1 && t.mod_lot <= 3)
                set_checked(lt_tipo, kFirstMode + t.mod_lot - 1, false);
            if (t.mod_ant >= 1 && t.mod_ant <= 3) {
                set_checked(lt_tipo, kFirstMode + t.mod_ant - 1, true);
                t.set_mode(t.mod_ant);
            } else if (t.mod_ant == 0) {
                t.set_mode(0);
            }
            t.flg_lot = false;
            app_.msg(QStringLiteral("No hay loterías disponibles.") + blanks(10), plat::mb_exclamation);
        } else {
            QList<RegLot> lots = r.rows;
            name_lots(lots, app_.tab_cat, t.can_cat);
            fill_lots(lots);
            lt_lote->setCurrentRow(0);
            t.flg_lot = true;
        }
    }
    app_.dlg.set_pointer(plat::ptr_default);
}

int movtik::idx_lot(const QString& codlot) const
{
    for (int i = 0; i < tik_cur.tab_lot.size(); ++i)
        if (tik_cur.tab_lot[i].codlot == codlot)
            return i;
    return -1;
}

void movtik::timer_tik_Timer()
{
    auto& t = tik_cur;
    if (t.cnt_tmr < 5) {
        ++t.cnt_tmr;
        return;
    }
    // A check that falls due while a handler or a modal window is open waits for the
    // next tick: the ticket must not change under them.
    if (busy())
        return;
    Busy busy(*this);
    timer_tik->stop();
    t.cnt_tmr = 0;
    const TikStatus st = statik(app_, t.numtik());
    if (st.ok && st.code == 1) {
        del_cur();
        new_tik();
    }
    if (loaded_)
        timer_tik->start();
}

void movtik::srv_back()
{
    // Never inside the keep-alive's tick: the opening is the window's own work, with its
    // pointer and its messages, once the tick is over.
    if (loaded_ && due_)
        free_again();
}

void movtik::open_due()
{
    if (!loaded_ || !due_)
        return;
    if (busy()) {
        if (!pending_) {
            pending_ = true;
            qApp->installEventFilter(keys_);
        }
        return;
    }
    stop_waiting();
    // Lost again before it could be tried: the next return of the server tries it.
    if (app_.flg_nocox != 0)
        return;
    // Tried once. Lost again, the window closes once the loss was told, as after a
    // commit that lost the connection; a refusal is shown and ends it as any refusal does.
    due_ = false;
    {
        Busy busy(*this);
        car_lim();
        new_tik();
    }
    if (due_) {
        due_ = false;
        close_window();
    }
}

void movtik::free_again()
{
    QTimer::singleShot(0, this, &movtik::open_due);
}

void movtik::stop_waiting()
{
    if (pending_) {
        pending_ = false;
        qApp->removeEventFilter(keys_);
    }
}

void movtik::del_cur()
{
    // Deleted, whether or not the deletion reaches the server, the ticket is the window's
    // no more: nothing is sent for it again.
    const bool open = tik_cur.open();
    const QString num_tik = tik_cur.num_tik;
    no_tik();
    if (!open)
        return;
    app_.dlg.set_pointer(plat::ptr_hourglass);
    deltik(app_, num_tik);
    app_.dlg.set_pointer(plat::ptr_default);
}

void movtik::anu_cur()
{
    // As a deleted one, an annulled ticket is the window's no more.
    const bool open = tik_cur.open();
    const qint64 numtik = tik_cur.numtik();
    no_tik();
    if (!open)
        return;
    // Not sent (or not answered): annulled as soon as the server answers again.
    if (!anutix(app_, numtik, app_.ses_val.cod_ven, QStringLiteral("**"), false, false).ok)
        anu_later(app_, numtik);
}

void movtik::b_imprimir_Click()
{
    Busy busy(*this);
    auto& t = tik_cur;
    if (lx_nume->isVisible()) {
        tx_nume->setFocus();
        return;
    }
    if (app_.cfg_reg.sys_rlot != QLatin1String("0"))
        sel_tip(kItemL, 0, 0);
    if (t.tot_tik <= 0) {
        if (app_.flg_nocox == 0)
            del_cur();
        close_window();
        return;
    }
    const auto& lim = app_.lim_vta;
    if (within_limits(lim, t.tot_tik)) {
        app_.dlg.set_pointer(plat::ptr_hourglass);
        val_tik();
        app_.dlg.set_pointer(plat::ptr_default);
    } else {
        del_cur();
        const MonCtx m = app_.mon();
        app_.msg(QStringLiteral("Monto del ticket no es válido. El ticket fue anulado.") + blanks(5) +
                     QStringLiteral("\r\n\r\nMínimo : ") + mon_show(m, lim.vta_min) + QStringLiteral(" / Máximo : ") +
                     mon_show(m, lim.vta_max),
                 plat::mb_exclamation);
    }
    if (app_.flg_nocox == 0) {
        car_lim();
        new_tik();
    } else {
        close_window();
    }
}

void movtik::val_tik()
{
    auto& t = tik_cur;
    double val_mon = 0, val_cup = 0;
    t.imp_tik = tax_of(t.tot_tik, app_.ses_val.por_imp);
    const TikCommit c = valtkx(app_, t.num_tik, t.tot_tik, t.imp_tik, app_.cfg_reg.rep_juga.toInt());
    if (c.ok && app_.flg_nocox == 0) {
        val_cup = c.val_cup;
        val_mon = c.val_mon;
        if (val_mon > 0) {
            t.hor_tik = c.hora;
            // Committed: never again the window's pending ticket, whatever comes next.
            t.num_val = t.numtik();
            print_tik(val_mon, c.ticket2);
            no_tik();
            return;
        }
    }
    const QString title = QStringLiteral("Ticket : ") + t.num_tik;
    anu_cur();
    app_.dlg.set_pointer(plat::ptr_default);
    app_.msg(commit_refusal(app_, val_mon, val_cup), plat::mb_exclamation, title);
}

void movtik::print_tik(double val_mon, const QString& ticket2)
{
    const auto& cfg = app_.cfg_reg;
    // A choice that names no installed printer keeps the one used before.
    const QStringList names = app_.prn.names();
    if (const int chosen = prn_index(names, cfg.rep_nprn, cfg.rep_impr); chosen >= 0 && chosen < names.size())
        prn_cur = chosen;
    TextPrinter prn(app_.prn);
    prn.start(prn_cur);
    for (const QString& line : tik_lines(app_, tik_cur, val_mon, ticket2))
        prn.line(line);
    for (int i = 0; i < cfg.rep_salt + 5; ++i)
        prn.line(QStringLiteral(" "));
    prn.end();
    // The ticket is sold whatever the printer did; the cashier must know that its print
    // is missing or incomplete.
    if (prn.failed())
        app_.msg(QStringLiteral("Error de impresión.") + blanks(10), plat::mb_critical);
}

bool movtik::checked(QListWidget* list, int row) const
{
    const QListWidgetItem* item = list->item(row);
    return item && item->checkState() == Qt::Checked;
}

void movtik::set_checked(QListWidget* list, int row, bool on)
{
    if (QListWidgetItem* item = list->item(row))
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

void movtik::untick_lots()
{
    for (int row = 0; row < lt_lote->count(); ++row)
        set_checked(lt_lote, row, false);
}

bool movtik::untick_extras()
{
    bool had = false;
    for (int row = kFirstExtra; row < lt_tipo->count(); ++row) {
        had = had || checked(lt_tipo, row);
        set_checked(lt_tipo, row, false);
    }
    return had;
}

void movtik::sel_tip(int index, int key, int item)
{
    Busy busy(*this);
    auto& t = tik_cur;
    tx_nume->setEditText(QString());
    switch (index) {
    case kItemL:
        if (t.foc_lot) {
            // In the lottery list: an extra mode goes back to its base, a base to all.
            const bool had_extra = untick_extras();
            untick_lots();
            if (!had_extra) {
                t.set_mode(0);
                for (int row = kItemO; row < kFirstExtra; ++row)
                    set_checked(lt_tipo, row, false);
            }
            car_lot();
            set_checked(lt_tipo, kItemL, true);
            lt_lote->setCurrentRow(0);
        } else {
            for (int row = 0; row <= kItemO; ++row)
                set_checked(lt_tipo, row, row == kItemL);
            untick_lots();
            lt_lote->setFocus();
        }
        break;
    case kItemO:
        set_checked(lt_tipo, kItemO, false);
        lt_lote->setFocus();
        t.ord_act = t.ord_act != 0 ? 0 : 1;
        car_lot();
        break;
    case kFirstMode:
    case kFirstMode + 1:
    case kFirstMode + 2: {
        const int mode = index - kFirstMode + 1;
        const bool offered[] = {t.hab_ani, t.hab_tpl, t.hab_trp};
        if (!offered[mode - 1])
            break;
        untick_extras();
        for (int other = 1; other <= 3; ++other)
            if (other != mode)
                set_checked(lt_tipo, kFirstMode + other - 1, false);
        if (t.mod_bas == mode) {
            set_checked(lt_tipo, index, false);
            t.set_mode(0);
        } else {
            t.mod_ant = t.mod_bas;
            set_checked(lt_tipo, index, true);
            t.set_mode(mode);
        }
        lt_lote->setFocus();
        car_lot();
        break;
    }
    case kFirstExtra:
        sel_extra(key, item);
        break;
    default:
        break;
    }
    lt_tipo->setCurrentRow(-1);
}

void movtik::sel_extra(int key, int item)
{
    auto& t = tik_cur;
    if (lt_tipo->count() <= kFirstExtra || (key <= 0 && item <= 0))
        return;
    const auto letter = [this](int row) {
        const QListWidgetItem* it = lt_tipo->item(row);
        return it && !it->text().isEmpty() ? int(it->text().at(0).unicode()) : 0;
    };
    int on_row = -1;  // the extra to switch on
    if (key > 0) {
        int ticked = 0;
        for (int row = kFirstExtra; row < lt_tipo->count() && !ticked; ++row)
            if (checked(lt_tipo, row))
                ticked = letter(row);
        const int code = QChar(char16_t(key)).toUpper().unicode();
        if (code != ticked)
            for (int row = kFirstExtra; row < lt_tipo->count() && on_row < 0; ++row)
                if (letter(row) == code)
                    on_row = row;
    } else {
        // An empty extra has no letter to ask the server for: ticking it only unticks it.
        if (item >= lt_tipo->count() || letter(item) == 0) {
            set_checked(lt_tipo, item, false);
            return;
        }
        if (checked(lt_tipo, item))
            on_row = item;
    }

    for (int row = 0; row < lt_tipo->count(); ++row)
        if (row < kFirstMode || row >= kFirstExtra)
            set_checked(lt_tipo, row, false);
    untick_lots();
    set_checked(lt_tipo, kItemL, true);
    lt_lote->setCurrentRow(0);

    if (on_row >= 0) {
        t.mod_ant = t.mod_bas;
        set_checked(lt_tipo, on_row, true);
        // The value sent: the base mode × 100 + the letter's code, within 16 bits.
        const int value = t.mod_bas * 100 + letter(on_row);
        if (value >= -32768 && value <= 32767)
            t.mod_lot = value;
        car_lot();
        if (!t.flg_lot) {
            untick_extras();
            car_lot();
            set_checked(lt_tipo, kItemL, true);
            lt_lote->setCurrentRow(0);
        }
    } else {
        car_lot();
    }
    if (key <= 0)
        t.flg_ext = false;
    lt_lote->setFocus();
}
