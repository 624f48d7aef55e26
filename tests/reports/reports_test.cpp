// The six report windows on the central double: opening from the menu with their lists, the
// caja keys, Enter, Esc and reopening; every report built from a ticket store of known
// contents and compared with its golden text, with what each procedure is sent, the no-data
// rule and lost connections at load and during a build; reports of any length.
#include "app/windows.h"
#include "core/shell/main_window.h"
#include "core/shell/report.h"
#include "reports/lines.h"
#include "tests/doubles/test_app.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

constexpr qint64 U = 100000000;  // one money unit at the default divisor
const QDate day_a{2024, 5, 1}, day_b{2024, 5, 2};
const QString no_info = "No hay información." + QString(10, ' ');
const QString lost = "No hay conexión con el servidor." + QString(10, ' ');

void settle()
{
    QApplication::sendPostedEvents(nullptr, 0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The store the report procedures answer from, in place of the demo's history: sales,
// annulled tickets and prizes of cajas 01 and 02 on two days, one ticket on two lotteries.
void fill_store(central::Model& m)
{
    m.outlet.users.insert("CAJERO2", central::User{"CLAVE", "02", {}});
    m.outlet.commission = 10;
    m.outlet.deposits = {central::Deposit{day_b, "BAN", "0001", 15 * U, false}};
    m.lotteries = {central::Lottery{.codint = "L01", .codlot = "L01", .nomlot = "ZULIA 12PM", .draw = {}, .extra = {}},
                   central::Lottery{.codint = "L02", .codlot = "L02", .nomlot = "CARACAS 4PM", .draw = {}, .extra = {}}};
    m.tickets.clear();
    auto add = [&m](qint64 numtik, const char* caja, QDate fecha, double total, bool sold = true, double premio = 0,
                    const char* paid_at = "") {
        const qint64 monto = qint64(total * U);
        const QDateTime paid = QDateTime::fromString(paid_at, Qt::ISODate);
        m.tickets << central::Ticket{.numtik = numtik, .cod_ven = "001", .caja = caja, .fecha = fecha, .hora = "09:30:00",
                                     .state = sold ? central::Ticket::sold : central::Ticket::annulled,
                                     .total = monto, .tax = monto / 100, .premio = qint64(premio * U),
                                     .paid = paid.isValid(), .paid_at = paid, .paid_caja = caja,
                                     .plays = {central::Play{0, "L01", "N", "123", monto, false}}};
    };
    add(1001, "01", day_a, 1.5);
    add(1002, "01", day_a, 10, true, 700, "2024-05-02T10:15:00");
    add(1003, "02", day_a, 25.5);
    add(1004, "01", day_b, 5, true, 30);
    add(12345678, "01", day_b, 2, true, 120, "2024-05-02T11:00:00");
    add(77, "01", day_a, 3, false);
    add(123456789, "02", day_b, 4, false);
    add(2001, "02", day_b, 6, true, 90);
    m.tickets[6].hora = "18:45:10";
    m.tickets[7].plays = {central::Play{0, "L01", "N", "45", 2 * U, false}, central::Play{1, "L02", "N", "45", 4 * U, false}};
}

// A supervisor ("00") or a cashier in the main window on working day b, the outlet's name on
// the reports, a printer margin of 2 and one feed line.
struct Reports {
    TestApp t;
    std::unique_ptr<main_window> main;

    explicit Reports(const char* caja = "00")
    {
        register_all_windows(*t);
        main = std::make_unique<main_window>(*t);
        main->Form_Load();
        main->show();
        t.connect();
        t->ses_val.cod_ven = "001";
        t->ses_val.nom_ven = "AGENCIA DE LOTERIAS LA SUERTE DEL NORTE";
        t->ses_val.cod_caj = caja;
        t->ses_val.fec_sys = day_b;
        t->cfg_reg.rep_marg = 2;
        t->cfg_reg.rep_salt = 1;
        fill_store(t.srv->model);
    }
    ~Reports()
    {
        main.reset();
        settle();
    }

    // Opens a report window from its menu item.
    QWidget* open(const char* item)
    {
        t->mnu.value(item)->trigger();
        return t->mdi->activeSubWindow()->widget();
    }
    // The viewer's lines (none when it is not open), and what the printer received, without
    // its end of page.
    QStringList shown()
    {
        QStringList out;
        if (auto* v = t->is_loaded("reporte") ? t->win<reporte>("reporte") : nullptr)
            for (int i = 0; i < v->lista->count(); ++i)
                out << v->lista->item(i)->text();
        return out;
    }
    QStringList printed() { return t.prn->docs.value(0).lines.mid(0, t.prn->docs.value(0).lines.size() - 1); }
    // Each call of the log with the type, size and value of each parameter:
    // "proc char(3) 001|int 5".
    QStringList sent()
    {
        const QMap<int, QString> types = {
            {db::adChar, "char"}, {db::adVarChar, "varchar"}, {db::adInteger, "int"}, {db::adDate, "date"}};
        QStringList out;
        for (const auto& c : t.srv->log) {
            QStringList v;
            for (int i = 0; i < c.values.size(); ++i)
                v << types.value(c.types[i]) + (c.sizes[i] ? QString("(%1) ").arg(c.sizes[i]) : " ") +
                         c.values[i].toString();
            out << c.proc + " " + v.join('|');
        }
        return out;
    }
};

template <class T = QWidget> T* child(QWidget* w, const char* name) { return w->findChild<T*>(name); }

// A list's items, its text and whether it is open.
QStringList state(QComboBox* c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out << c->currentText() << (c->isEnabled() ? "on" : "off");
}

// The window's date fields in their order get a and b; its caja box gets caja ("-" empties
// it, "" leaves it).
void criteria(QWidget* w, QDate a, QDate b, const QString& caja = {})
{
    for (int i = 0; QDateEdit* d : w->findChildren<QDateEdit*>())
        d->setDate(i++ ? b : a);
    if (auto* c = child<QComboBox>(w, "tx_caja"); c && !caja.isEmpty())
        c->setEditText(caja == "-" ? QString() : caja);
}

// Compares report lines with the golden text of that name, one line of the file per line.
void expect_golden(const QStringList& lines, const QString& name)
{
    QFile f(QString::fromUtf8(__FILE__).section('/', 0, -3) + "/golden/reports/" + name + ".txt");
    if (qEnvironmentVariable("TOVAREN_GOLDEN") == "write") {
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write((lines.join('\n') + '\n').toUtf8());
        return;
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    EXPECT_EQ(lines + QStringList{""}, QString::fromUtf8(f.readAll()).split('\n')) << name.toStdString();
}

// Each window opened by a supervisor and by a cashier, plainly and with its call at load
// failing once (nothing changes) and twice (one message, the lists empty but the status, the
// caja box open even to a cashier); then Enter, Esc and the window opened afresh.
TEST(ReportFrame, LoadsResetsAndSurvivesALostConnection)
{
    const struct { const char *item, *name, *caption, *dates, *load; bool todas; } windows[] = {
        {"rep_vtq", "repvtq", "Reporte - Ventas Tovaren", "tx_desd tx_hast", "getcaj", true},
        {"rep_itx", "repitx", "Reporte - Impuesto Municipal", "tx_desd tx_hast", "getcaj", true},
        {"rep_caj", "repctq", "Reporte - Cuadre de Caja", "tx_fech", "getcaj", false},
        {"rep_rtq", "reprtq", "Reporte - Resultados Tovaren", "tx_desd tx_hast", "getcaj", true},
        {"rep_rba", "reprba", "Reporte - Resultados Banca", "tx_desd tx_hast", "dspsrx", false},
        {"rep_lup", "replup", "Reporte - Cuadre de Cuentas", "tx_desde tx_hasta", "", false},
    };
    const bool wide = QGuiApplication::primaryScreen()->geometry().width() * 15 > 9600;
    for (const auto& win : windows)
        for (const char* user : {"00", "01"})
            for (int failures = 0; failures < (*win.load ? 3 : 1); ++failures) {
                SCOPED_TRACE(testing::Message() << win.name << " caja " << user << " failures " << failures);
                Reports r(user);
                r.t.srv->fail_next(failures, win.load);
                QWidget* w = r.open(win.item);
                const bool gone = failures == 2, supervisor = QString(user) == "00";
                for (bool reopened : {false, true}) {
                    EXPECT_EQ(QStringList({w->objectName(), w->windowTitle(), child<QGroupBox>(w, "framex")->title(),
                                           child<QPushButton>(w, "bt_emitir")->text(), child<QPushButton>(w, "bt_imprimir")->text(),
                                           child<QPushButton>(w, "b_salir")->text()}),
                              QStringList({win.name, win.caption, "Criterios", "Emitir", "Imprimir", "Salir"}));
                    EXPECT_EQ(w->parentWidget()->pos(), wide ? QPoint(133, 100) : QPoint(100, 67));
                    QStringList dates;  // each at the working date
                    for (QDateEdit* d : w->findChildren<QDateEdit*>())
                        dates << d->objectName() + (d->date() == day_b ? "" : "=" + d->date().toString());
                    EXPECT_EQ(dates.join(' '), win.dates);
                    EXPECT_EQ(r.t.dlg->texts(), gone ? QStringList{lost} : QStringList());
                    EXPECT_EQ(r.t.dlg->pointer(), plat::ptr_default);
                    const QStringList once = *win.load ? QStringList{win.load + QString(" char(3) 001")} : QStringList();
                    EXPECT_EQ(r.sent(), failures && !reopened ? once + once : once);
                    const QString caja = gone ? "" : !supervisor ? "01" : win.todas ? "TODAS" : "00";
                    QStringList cajas = win.todas ? QStringList{"TODAS", "00", "01", "02"} : QStringList{"00", "01", "02"};
                    const QMap<QString, QStringList> lists = {
                        {"tx_caja", (gone ? QStringList() : cajas) << caja << (gone || supervisor ? "on" : "off")},
                        {"tx_stat", {"TODOS     ", "PAGADOS   ", "NO PAGADOS", "TODOS     ", "on"}},
                        {"tx_modo", {"TOTALES", "LOTERIAS", "TOTALES", "on"}},
                        {"tx_lote", (gone ? QStringList() : QStringList{"ZULIA 12PM", "CARACAS 4PM"}) << "" << (gone ? "on" : "off")},
                    };
                    for (QComboBox* c : w->findChildren<QComboBox*>())
                        EXPECT_EQ(state(c), lists.value(c->objectName())) << c->objectName().toStdString();
                    if (failures || reopened)
                        break;
                    // A second menu click brings it forward as the user left it.
                    criteria(w, day_a, day_b, "02");
                    EXPECT_EQ(r.open(win.item), w);
                    QDateEdit* first = w->findChildren<QDateEdit*>().first();
                    EXPECT_EQ(first->date(), day_a);
                    // Enter shows the report; Esc closes the window, which then opens afresh.
                    w->activateWindow();
                    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
                    first->setFocus();
                    QTest::keyClick(first, Qt::Key_Return);
                    EXPECT_FALSE(r.shown().isEmpty());
                    EXPECT_EQ(r.shown(), r.t->buf_rep.rep_lin);
                    r.t->mdi->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(w->parentWidget()));
                    first->setFocus();
                    QTest::keyClick(first, Qt::Key_Escape);
                    settle();
                    ASSERT_FALSE(r.t->is_loaded(win.name));
                    r.t.srv->log.clear();
                    w = r.open(win.item);
                }
            }
}

// The keys of the criteria: the caja box keeps digits and Backspace, two digits at most; the
// bank's mode is chosen from its list only, each choice emptying the lottery, open only for
// "LOTERIAS".
TEST(ReportFrame, KeysOfTheCriteria)
{
    const struct { QString start, keys, left; } cases[] = {
        {"", "a1 -x", "1"}, {"", "123", "12"}, {"", "9", "9"}, {"TODAS", "\b", ""},
        {"TODAS", "5", "5"}, {"01", "\b", "0"}, {"01", "+.", "01"},
    };
    Reports r;
    auto* c = child<QComboBox>(r.open("rep_vtq"), "tx_caja");
    for (const auto& k : cases) {
        c->setEditText(k.start);
        for (const QChar ch : k.keys)
            ch == u'\b' ? QTest::keyClick(c, Qt::Key_Backspace) : QTest::keyClicks(c, ch);
        EXPECT_EQ(c->currentText(), k.left) << (k.start + " + " + k.keys).toStdString();
    }
    QWidget* w = r.open("rep_rba");
    auto* modo = child<QComboBox>(w, "tx_modo");
    auto* lote = child<QComboBox>(w, "tx_lote");
    QTest::keyClicks(modo, "L");
    EXPECT_EQ(modo->currentText(), "TOTALES");
    for (const auto& [key, text, open] : {std::tuple{Qt::Key_Down, "LOTERIAS", "on"}, std::tuple{Qt::Key_Up, "TOTALES", "off"}}) {
        lote->setEditText("ZULIA");
        QTest::keyClick(modo, key);
        EXPECT_EQ(modo->currentText(), text);
        EXPECT_EQ(state(lote), QStringList({"ZULIA 12PM", "CARACAS 4PM", "", open}));
    }
}

using Set = std::function<void(Reports&, QWidget*)>;
Set without(central::Ticket::State s)
{
    return [s](Reports& r, QWidget*) { r.t.srv->model.tickets.removeIf([s](auto& t) { return t.state == s; }); };
}
// A procedure answering these rows whatever it is asked.
Set answer(const char* proc, const QStringList& columns, const QList<QVariantList>& rows)
{
    return [=](Reports& r, QWidget*) {
        r.t.srv->register_procedure(proc, [columns, rows](central::Request& q) {
            q.rows(columns).rows = rows;
            return true;
        });
    };
}
// Keys typed into an emptied list; the lottery's after choosing "LOTERIAS".
Set typed(const char* list, const char* keys)
{
    return [=](Reports&, QWidget* w) {
        if (auto* modo = child<QComboBox>(w, "tx_modo"))
            QTest::keyClick(modo, Qt::Key_Down);
        child<QComboBox>(w, list)->setEditText("");
        QTest::keyClicks(child<QComboBox>(w, list), keys);
    };
}
const QStringList bank = {"xcontrol", "xloteria", "xmonto", "xcomision", "xpremio"};
// An amounts row with no label row before it has an empty label, also where an earlier build
// had labels; a label row with no amounts row after it is not listed on screen.
const Set unpaired = [](Reports& r, QWidget* w) {
    answer("reprbx", bank, {{0, "PRIMERO", 0, 0, 0}, {1, "", -10 * U, -U, -2 * U}})(r, w);
    child<QPushButton>(w, "bt_emitir")->click();
    r.t->unload("reporte");
    answer("reprbx", bank, {{1, "", -10 * U, -U, -2 * U}, {1, "", -20 * U, -2 * U, -4 * U}, {0, "SIN MONTOS", 0, 0, 0}})(r, w);
};

// A report and its criteria. Its golden text is named after the window; the name also says
// how it is built: "_paper" by "Imprimir" (the text as the printer receives it, margin and
// feed included), "_no_name" without the outlet's name line, "_no_tax" for an outlet
// without tax, "_nodata" when there is nothing to report (the golden holds the buffer,
// which held "PREVIO" before the build). The calls are checked where given.
struct Build { QString golden; const char* item; QDate a, b; QString caja = {}; Set set = nullptr; QStringList sent = {}; };

const QString range = "char(10) 2024-05-01|char(10) 2024-05-02|char(3) 001|";
const QString day = "char(10) 2024-05-02|char(10) 2024-05-02|char(3) 001|char(2) 01";
const QString unpaid = "reprtq " + range + "char(2)   |int 0";
const Build builds[] = {
    {"repvtq_day", "rep_vtq", day_b, day_b},
    {"repvtq_range", "rep_vtq", day_a, day_b, "", {}, {"repvtq " + range + "char(2)   ", "reptan " + range + "char(2)   "}},
    {"repvtq_caja_no_name", "rep_vtq", day_a, day_b, "01"},
    {"repvtq_no_sales", "rep_vtq", day_a, day_b, "", without(central::Ticket::sold)},
    {"repvtq_no_annulled", "rep_vtq", day_a, day_b, "", without(central::Ticket::annulled)},
    {"repvtq_wide", "rep_vtq", day_b, day_b, "01",
     [](Reports& r, QWidget*) { r.t.srv->model.tickets[4].total = 5000000000 * U; }},  // wider than its column
    {"repvtq_nodata", "rep_vtq", day_b, day_b, "00"},
    {"repitx_day", "rep_itx", day_b, day_b},
    {"repitx_range_caja_no_name", "rep_itx", day_a, day_b, "01"},
    {"repitx_nodata_paper", "rep_itx", day_b, day_b, "00"},
    // The cash count: the tax only when the outlet has one, the prizes paid always (kind 5).
    {"repctq_tax", "rep_caj", day_b, {}, "01", {}, {"repvtq " + day, "repitx " + day, "reptaq " + day + "|int 5"}},
    {"repctq_tax_paper", "rep_caj", day_b, {}, "01"},
    {"repctq_no_tax", "rep_caj", day_b, {}, "01", {}, {"repvtq " + day, "reptaq " + day + "|int 5"}},
    {"repctq_no_paid_no_name", "rep_caj", day_a, {}, "01"},
    {"repctq_emptied_caja", "rep_caj", day_a, {}, "-"},
    {"repctq_nodata", "rep_caj", day_b, {}, "00"},
    // Prizes whose sum is not above 0 are not listed and count as nothing.
    {"repctq_nodata_prizes_not_positive", "rep_caj", day_b, {}, "02", [](Reports& r, QWidget*) {
         auto& m = r.t.srv->model;
         m.tickets.removeIf([](auto& t) { return t.caja == "02"; });
         m.tickets[1].premio = -5 * U;  // paid on day b
         m.tickets[1].paid_caja = "02";
     }},
    // Typed status letters go in upper case; "T" all, "P" paid, anything else unpaid.
    {"reprtq_all", "rep_rtq", day_a, day_b},
    {"reprtq_paid_caja_no_name", "rep_rtq", day_b, day_b, "01", typed("tx_stat", "p")},
    {"reprtq_unpaid", "rep_rtq", day_a, day_b, "", typed("tx_stat", "n"), {unpaid}},
    {"reprtq_unpaid", "rep_rtq", day_a, day_b, "", typed("tx_stat", "x"), {unpaid}},
    {"reprtq_unpaid", "rep_rtq", day_a, day_b, "", typed("tx_stat", ""), {unpaid}},
    {"reprtq_ticket_numbers", "rep_rtq", day_b, day_b, "", answer("reprtq", {"numtik", "iduser", "total", "premio", "pagado"}, {
         {" 123 ", "01", 2 * U, 120 * U, 1}, {"12345678", "02", 5 * U, 30 * U, 0},
         {"", "01", 150000000, 725000000, 2}, {"1234567890", "01", 12345678 * U, 1000000 * U, 1}})},
    {"reprtq_nodata", "rep_rtq", day_b, day_b, "00"},  // the buffer untouched
    {"reprba_days_screen", "rep_rba", day_a, day_b},
    {"reprba_days_paper", "rep_rba", day_a, day_b},
    {"reprba_lotteries_screen_no_name", "rep_rba", day_a, day_b, "", typed("tx_lote", "")},
    {"reprba_lotteries_paper", "rep_rba", day_a, day_b, "", typed("tx_lote", "")},
    // The lottery name goes upper-cased, in at most 15 characters, without blanks around it.
    {"reprba_one_lottery_screen", "rep_rba", day_a, day_b, "", typed("tx_lote", "  caracas 4pm  x"),
     {"reprbx " + range + "varchar(15) CARACAS 4PM|int 1"}},
    {"reprba_unpaired_screen", "rep_rba", day_b, day_b, "", unpaired},
    {"reprba_unpaired_paper", "rep_rba", day_b, day_b, "", unpaired},
    {"reprba_nodata_only_labels", "rep_rba", day_b, day_b, "", answer("reprbx", bank, {{0, "SOLO", 0, 0, 0}})},
    {"replup_day", "rep_lup", day_b, day_b},
    {"replup_range_no_name", "rep_lup", day_a, day_b, "", {}, {"replut date 2024-05-01|date 2024-05-02|char(3) 001"}},
    {"replup_null_amounts", "rep_lup", day_b, day_b, "", answer("replut",
         {"codven", "nomven", "fecmov", "deuda", "cuenta", "movimiento", "deposito", "total"},
         {{"001", "AGENCIA", day_b, QVariant(), 2 * U, QVariant(), -U, QVariant()}})},
    {"replup_nodata_paper", "rep_lup", day_a.addDays(-9), day_a.addDays(-5)},
};

// Each report built plainly, then with each of its calls failing once (nothing changes for
// the user) and twice (one message, nothing shown or printed, the buffer as far as the build
// got: the head of the sales and of the cash count, else the previous report).
TEST(Reports, BuildEveryReportThroughLostConnections)
{
    const QMap<QString, QString> partial = {{"reptan", "VENTAS TOVAREN"}, {"reptaq", "CUADRE DE CAJA"}};
    for (const Build& b : builds) {
        const bool paper = b.golden.endsWith("_paper"), nodat = b.golden.contains("_nodata");
        QStringList calls;
        for (int failures : {0, 1, 2})
            for (const QString& proc : failures ? calls : QStringList{QString()}) {
                SCOPED_TRACE(testing::Message() << b.golden.toStdString() << " " << proc.toStdString() << " x" << failures);
                Reports r;
                QWidget* w = r.open(b.item);
                criteria(w, b.a, b.b, b.caja);
                r.t->cfg_reg.rep_enca = b.golden.contains("_no_name") ? "0" : "1";
                r.t->ses_val.por_imp = b.golden.contains("_no_tax") ? 0 : 1;
                if (b.set)
                    b.set(r, w);
                r.t->buf_rep.rep_lin = {"PREVIO"};
                r.t.srv->log.clear();
                r.t.srv->fail_next(failures, proc);
                child<QPushButton>(w, paper ? "bt_imprimir" : "bt_emitir")->click();
                EXPECT_EQ(r.t.dlg->pointer(), plat::ptr_default);
                EXPECT_EQ(r.t.dlg->texts(), failures == 2 ? QStringList{lost} : nodat ? QStringList{no_info} : QStringList());
                EXPECT_EQ(nodat || failures == 2 ? r.shown() + r.printed() : paper ? r.shown() : r.printed(), QStringList());
                if (failures == 2) {
                    EXPECT_EQ(r.t->buf_rep.rep_lin.value(0), partial.value(proc, "PREVIO"));
                    continue;
                }
                EXPECT_EQ(r.t.dlg->boxes.value(0).style, nodat ? int(plat::mb_information) : 0);
                expect_golden(nodat ? r.t->buf_rep.rep_lin : paper ? r.printed() : r.shown(), b.golden);
                if (failures)
                    continue;
                EXPECT_EQ(b.sent.isEmpty() ? b.sent : r.sent(), b.sent);
                calls = r.t.srv->procs();
            }
    }
}

// An answer that cannot be read builds nothing, as a lost connection: one message, nothing
// shown or printed. A null amount counts as 0 (replup_null_amounts), and a money column's
// fraction of a stored unit is an amount; one beyond 64 bits is none. A text the report only
// prints is printed as sent, a null one empty.
TEST(Reports, NothingIsShownOfAnUnreadableAnswer)
{
    namespace spoil = central::spoil;
    const struct { const char* item; QDate a, b; const char* proc; central::Spoil spoil; bool shown = false; } cases[] = {
        {"rep_vtq", day_a, day_b, "repvtq", spoil::column("iduser", 7.5)},
        {"rep_vtq", day_a, day_b, "repvtq", spoil::column("iduser", {}), true},
        {"rep_vtq", day_a, day_b, "reptan", spoil::column("total", "diez")},
        {"rep_vtq", day_a, day_b, "reptan", spoil::column("hormov", {}), true},
        {"rep_caj", day_b, {}, "reptaq", spoil::drop_column("premio")},
        {"rep_caj", day_b, {}, "reptaq", spoil::column("paghor", {}), true},
        {"rep_itx", day_a, day_b, "repitx", spoil::column("fecmov", 3.5)},
        {"rep_itx", day_a, day_b, "repitx", spoil::column("fecmov", "ayer"), true},
        {"rep_itx", day_a, day_b, "repitx", spoil::column("fecmov", {}), true},
        {"rep_rtq", day_a, day_b, "reprtq", spoil::column("numtik", {})},
        {"rep_rba", day_a, day_b, "reprbx", spoil::column("xloteria", {}), true},
        {"rep_rtq", day_a, day_b, "reprtq", spoil::column("pagado", 1.5)},
        {"rep_rba", day_a, day_b, "reprbx", spoil::column("xcontrol", {})},
        {"rep_lup", day_a, day_b, "replut", spoil::no_result_set()},
        {"rep_lup", day_a, day_b, "replut", spoil::extra_first_set()},
        {"rep_vtq", day_a, day_b, "repvtq", spoil::column("total", 1e30)},
        {"rep_vtq", day_a, day_b, "repvtq", spoil::column("total", 149999999.9999), true},
    };
    QStringList shown;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.item << " " << c.proc);
        Reports r;
        QWidget* w = r.open(c.item);
        criteria(w, c.a, c.b, c.item == std::string_view("rep_caj") ? "01" : "");
        r.t.srv->spoil_next(c.proc, c.spoil);
        child<QPushButton>(w, "bt_emitir")->click();
        EXPECT_EQ(r.t.dlg->texts(), c.shown ? QStringList{} : QStringList{lost});
        EXPECT_EQ(r.shown().isEmpty(), !c.shown);
        EXPECT_TRUE(r.printed().isEmpty());
        if (c.shown)
            shown << QString("== %1 %2").arg(c.item, c.proc) << r.shown();
    }
    expect_golden(shown, "spoiled_shown");
}

// Reports with more lines than a 16-bit line index reaches keep every row and their totals.
TEST(Reports, ALongReportKeepsEveryRowAndItsTotals)
{
    const int n = 40000;
    const RepHead head{"AGENCIA", false, MonCtx{}};
    const QList<SaleRow> sales(n, SaleRow{day_a, "01", double(U)});
    const QList<AnnulRow> annulled(n, AnnulRow{"1", "01", "10:00:00", double(U)});
    QList<BankRow> groups;
    for (int i = 0; i < n; ++i)
        groups << BankRow{0, "G"} << BankRow{1, "", -double(U)};
    const QStringList v = lay_repvtq(head, {day_a, day_a}, "01", sales, &annulled).lines;
    ASSERT_EQ(v.size(), 6 + n + 2 + 4 + n + 2 + 1);
    EXPECT_EQ(v[6 + n + 1], "TOTAL :                 40000.00");
    EXPECT_EQ(v[v.size() - 2], "TOTAL :                 40000.00");
    const QStringList b = lay_reprba(head, {day_a, day_a}, 1, false, groups).lines;
    ASSERT_EQ(b.size(), 6 + n + 3);
    EXPECT_EQ(b.last(), "TOTALES             40000.00             0             0      40000.00");
}

} // namespace
