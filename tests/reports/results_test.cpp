// The results, bank results and account balance reports: their own criteria, golden texts,
// what is sent, the no-data rule and lost connections.
#include "tests/reports/fixture.h"

#include <QMdiSubWindow>

using namespace reports_test;

namespace {

const QString no_info = "No hay información." + QString(10, ' ');
const QString lost = "No hay conexión con el servidor." + QString(10, ' ');

void emitir(QWidget* w) { child<QPushButton>(w, "bt_emitir")->click(); }
void imprimir(QWidget* w) { child<QPushButton>(w, "bt_imprimir")->click(); }
void dates(QWidget* w, const char* from, const char* to, QDate a, QDate b)
{
    child<QDateEdit>(w, from)->setDate(a);
    child<QDateEdit>(w, to)->setDate(b);
}

// A procedure of the double answering the given rows, whatever it is asked.
void answer(Reports& r, const char* proc, const QStringList& columns, const QList<QVariantList>& rows)
{
    r.t.srv->register_procedure(proc, [columns, rows](central::Request& q) {
        q.rows(columns).rows = rows;
        return true;
    });
}

QVariant units(double u) { return QVariant::fromValue<qint64>(qint64(u * U)); }

// What the printer received, without the feed that follows the report.
QStringList printed(Reports& r)
{
    QStringList lines = r.t.prn->docs.value(0).lines;
    if (lines.size() >= 6)
        lines.resize(lines.size() - 6);
    return lines;
}

TEST(ResultsReport, StatusItemsAndWhatEachSends)
{
    const struct { int item; const char* typed; const char* shown; qint64 p5; } cases[] = {
        {0, nullptr, "TODOS     ", 2}, {1, nullptr, "PAGADOS   ", 1}, {2, nullptr, "NO PAGADOS", 0},
        {-1, "t", "T", 2},             {-1, "pag", "PAG", 1},           {-1, "n", "N", 0},
        {-1, "x", "X", 0},             {-1, "", "", 0},
    };
    Reports r;
    QWidget* w = r.open("rep_rtq");
    auto* stat = child<QComboBox>(w, "tx_stat");
    ASSERT_EQ(stat->count(), 3);
    EXPECT_EQ(stat->currentIndex(), 0);
    EXPECT_EQ(stat->currentText(), "TODOS     ");
    EXPECT_TRUE(stat->isEnabled());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        if (c.typed) {
            stat->setEditText("");
            QTest::keyClicks(stat, c.typed);
        } else {
            stat->setCurrentIndex(c.item);
        }
        EXPECT_EQ(stat->currentText(), c.shown);
        r.t.srv->log.clear();
        emitir(w);
        ASSERT_EQ(r.t.srv->procs(), QStringList{"reprtq"});
        const central::Call& call = r.t.srv->log[0];
        EXPECT_EQ(call.values, QVariantList({"2024-05-02", "2024-05-02", "001", "  ", c.p5}));
        EXPECT_EQ(call.types, QList<int>({db::adChar, db::adChar, db::adChar, db::adChar, db::adInteger}));
        EXPECT_EQ(call.sizes, QList<int>({10, 10, 3, 2, 0}));
    }
}

TEST(ResultsReport, StatusFilledAlsoAfterALostLoad)
{
    Reports r;
    r.t.srv->fail_next(2, "getcaj");
    QWidget* w = r.open("rep_rtq");
    EXPECT_EQ(r.boxes(), QStringList{lost});
    EXPECT_EQ(child<QComboBox>(w, "tx_caja")->count(), 0);
    auto* stat = child<QComboBox>(w, "tx_stat");
    EXPECT_EQ(stat->count(), 3);
    EXPECT_EQ(stat->currentText(), "TODOS     ");
}

TEST(ResultsReport, GoldenTexts)
{
    // Rows as a server may send them: numbers short, long, blank-padded and empty, paid
    // marks other than 0 and 1, an amount wider than its column.
    const QList<QVariantList> rows = {
        {" 123 ", "01", units(2), units(120), 1},
        {"12345678", "02", units(5), units(30), 0},
        {"", "01", units(1.5), units(7.25), 2},
        {"1234567890", "01", units(123456.78), units(1000000), 1},
    };
    const struct { const char* golden; QDate a, b; const char* caja; int status; bool enca; bool crafted; } cases[] = {
        {"reprtq_all", day_a, day_b, "", 0, true, false},
        {"reprtq_paid_caja_no_name", day_b, day_b, "01", 1, false, false},
        {"reprtq_unpaid", day_a, day_b, "", 2, true, false},
        {"reprtq_ticket_numbers", day_b, day_b, "", 0, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        Reports r;
        r.t->cfg_reg.rep_enca = c.enca ? "1" : "0";
        if (c.crafted)
            answer(r, "reprtq", {"numtik", "iduser", "total", "premio", "pagado"}, rows);
        QWidget* w = r.open("rep_rtq");
        dates(w, "tx_desd", "tx_hast", c.a, c.b);
        if (*c.caja)
            child<QComboBox>(w, "tx_caja")->setEditText(c.caja);
        child<QComboBox>(w, "tx_stat")->setCurrentIndex(c.status);
        emitir(w);
        EXPECT_TRUE(r.boxes().isEmpty());
        expect_golden(r.shown(), c.golden);
    }
}

TEST(ResultsReport, NoWinningTicketLeavesTheBufferAlone)
{
    Reports r;
    QWidget* w = r.open("rep_rtq");
    child<QComboBox>(w, "tx_caja")->setEditText("00");
    for (bool print : {false, true}) {
        r.t->buf_rep.rep_lin = {"PREVIO"};
        r.t.dlg->boxes.clear();
        print ? imprimir(w) : emitir(w);
        EXPECT_EQ(r.boxes(), QStringList{no_info});
        EXPECT_EQ(r.t->buf_rep.rep_lin, QStringList{"PREVIO"});
    }
    EXPECT_FALSE(r.t->is_loaded("reporte"));
    EXPECT_TRUE(r.t.prn->docs.isEmpty());
}

QComboBox* modo(QWidget* w) { return child<QComboBox>(w, "tx_modo"); }
QComboBox* lote(QWidget* w) { return child<QComboBox>(w, "tx_lote"); }

TEST(BankReport, LoadsTheLotteriesAndSwitchesTheMode)
{
    Reports r;
    r.t.srv->model.outlet.lots_off.insert("L02");
    QWidget* w = r.open("rep_rba");
    EXPECT_EQ(w->windowTitle(), "Reporte - Resultados Banca");
    EXPECT_EQ(child<QDateEdit>(w, "tx_desd")->date(), day_b);
    EXPECT_EQ(child<QDateEdit>(w, "tx_hast")->date(), day_b);
    EXPECT_EQ(r.t.srv->procs(), QStringList{"dspsrx"});
    const central::Call& load = r.t.srv->log[0];
    EXPECT_EQ(load.values, QVariantList{"001"});
    EXPECT_EQ(load.types, QList<int>{db::adChar});
    EXPECT_EQ(load.sizes, QList<int>{3});
    EXPECT_EQ(modo(w)->currentText(), "TOTALES");
    EXPECT_EQ(modo(w)->count(), 2);
    EXPECT_EQ(lote(w)->count(), 1);
    EXPECT_EQ(lote(w)->itemText(0), "ZULIA 12PM");
    EXPECT_EQ(lote(w)->currentText(), "");
    EXPECT_FALSE(lote(w)->isEnabled());

    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    modo(w)->setFocus();
    QTest::keyClicks(modo(w), "L");  // chosen from the list only
    EXPECT_EQ(modo(w)->currentText(), "TOTALES");
    QTest::keyClick(modo(w), Qt::Key_Down);
    EXPECT_EQ(modo(w)->currentText(), "LOTERIAS");
    EXPECT_TRUE(lote(w)->isEnabled());
    QTest::keyClicks(lote(w), "  caracas 4pm y mas");
    EXPECT_EQ(lote(w)->currentText(), "  CARACAS 4PM Y");  // 15 at most

    auto sent = [&] {
        r.t.srv->log.clear();
        emitir(w);
        return r.t.srv->log.value(0);
    };
    central::Call c = sent();
    EXPECT_EQ(c.proc, "reprbx");
    EXPECT_EQ(c.values, QVariantList({"2024-05-02", "2024-05-02", "001", "CARACAS 4PM Y", qint64(1)}));
    EXPECT_EQ(c.types, QList<int>({db::adChar, db::adChar, db::adChar, db::adVarChar, db::adInteger}));
    EXPECT_EQ(c.sizes, QList<int>({10, 10, 3, 15, 0}));

    // Choosing a mode empties the lottery; back at "TOTALES" it is closed and sent empty.
    modo(w)->setFocus();
    QTest::keyClick(modo(w), Qt::Key_Up);
    EXPECT_EQ(modo(w)->currentText(), "TOTALES");
    EXPECT_EQ(lote(w)->currentText(), "");
    EXPECT_FALSE(lote(w)->isEnabled());
    c = sent();
    EXPECT_EQ(c.values.mid(3), QVariantList({"", qint64(0)}));
    lote(w)->setCurrentIndex(0);
    QTest::keyClick(modo(w), Qt::Key_Down);
    EXPECT_EQ(lote(w)->currentText(), "");
    EXPECT_TRUE(lote(w)->isEnabled());
}

TEST(BankReport, GoldenTextsOnScreenAndOnPaper)
{
    const struct { const char* golden; int modo; const char* lottery; bool print; bool enca; } cases[] = {
        {"reprba_days_screen", 0, "", false, true},
        {"reprba_days_paper", 0, "", true, true},
        {"reprba_lotteries_screen_no_name", 1, "", false, false},
        {"reprba_lotteries_paper", 1, "", true, true},
        {"reprba_one_lottery_screen", 1, "zulia 12pm", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        Reports r;
        r.t->cfg_reg.rep_enca = c.enca ? "1" : "0";
        r.t->cfg_reg.rep_marg = 2;
        r.t->cfg_reg.rep_salt = 1;
        QWidget* w = r.open("rep_rba");
        dates(w, "tx_desd", "tx_hast", day_a, day_b);
        modo(w)->setCurrentIndex(c.modo);
        emit modo(w)->activated(c.modo);
        QTest::keyClicks(lote(w), c.lottery);
        c.print ? imprimir(w) : emitir(w);
        EXPECT_TRUE(r.boxes().isEmpty());
        if (c.print) {
            ASSERT_EQ(r.t.prn->docs.size(), 1);
            // As the printer receives it: the margin before every line, then the feed, then
            // the end of the page.
            QStringList lines = r.t.prn->docs[0].lines;
            ASSERT_EQ(lines.takeLast(), "\f");
            expect_golden(lines, c.golden);
        } else {
            expect_golden(r.shown(), c.golden);
        }
    }
}

TEST(BankReport, RowsThatDoNotPair)
{
    // An amounts row with no label row before it has an empty label, also after a build
    // whose labels stood at the same places; a label row with no amounts row after it is
    // not listed on screen.
    Reports r;
    QWidget* w = r.open("rep_rba");
    const QStringList columns = {"xcontrol", "xloteria", "xmonto", "xcomision", "xpremio"};
    answer(r, "reprbx", columns,
           {{0, "PRIMERO        ", 0, 0, 0}, {1, "", units(-10), units(-1), units(-2)},
            {0, "SEGUNDO        ", 0, 0, 0}, {1, "", units(-20), units(-2), units(-4)}});
    emitir(w);
    answer(r, "reprbx", columns,
           {{1, "", units(-10), units(-1), units(-2)}, {1, "", units(-20), units(-2), units(-4)},
            {0, "SIN MONTOS     ", 0, 0, 0}});
    emitir(w);
    expect_golden(r.shown(), "reprba_unpaired_screen");
    imprimir(w);
    expect_golden(printed(r), "reprba_unpaired_paper");
}

TEST(BankReport, OnlyLabelsOnScreenIsNothingToReport)
{
    Reports r;
    QWidget* w = r.open("rep_rba");
    answer(r, "reprbx", {"xcontrol", "xloteria", "xmonto", "xcomision", "xpremio"}, {{0, "SOLO          ", 0, 0, 0}});
    emitir(w);
    EXPECT_EQ(r.boxes(), QStringList{no_info});
    EXPECT_EQ(r.t->buf_rep.rep_lin.value(0), "RESULTADOS BANCA");
    EXPECT_FALSE(r.t->is_loaded("reporte"));
    // On paper the label is a line of its own.
    r.t.dlg->boxes.clear();
    imprimir(w);
    EXPECT_TRUE(r.boxes().isEmpty());
    EXPECT_TRUE(printed(r).contains("SOLO          "));
}

TEST(AccountReport, NoCallAtLoadDatesSentAsDates)
{
    Reports r;
    QWidget* w = r.open("rep_lup");
    EXPECT_EQ(w->windowTitle(), "Reporte - Cuadre de Cuentas");
    EXPECT_EQ(child<QDateEdit>(w, "tx_desde")->date(), day_b);
    EXPECT_EQ(child<QDateEdit>(w, "tx_hasta")->date(), day_b);
    EXPECT_TRUE(r.t.srv->log.isEmpty());
    dates(w, "tx_desde", "tx_hasta", day_a, day_b);
    emitir(w);
    ASSERT_EQ(r.t.srv->procs(), QStringList{"replut"});
    const central::Call& c = r.t.srv->log[0];
    EXPECT_EQ(c.values, QVariantList({day_a, day_b, "001"}));
    EXPECT_EQ(c.types, QList<int>({db::adDate, db::adDate, db::adChar}));
    EXPECT_EQ(c.sizes, QList<int>({0, 0, 3}));
}

TEST(AccountReport, GoldenTexts)
{
    const struct { const char* golden; QDate a, b; bool enca; bool nulls; } cases[] = {
        {"replup_day", day_b, day_b, true, false},
        {"replup_range_no_name", day_a, day_b, false, false},
        {"replup_null_amounts", day_b, day_b, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        Reports r;
        r.t->cfg_reg.rep_enca = c.enca ? "1" : "0";
        if (c.nulls)
            answer(r, "replut", {"codven", "nomven", "fecmov", "deuda", "cuenta", "movimiento", "deposito", "total"},
                   {{"001", "AGENCIA", day_b, QVariant(), units(2), QVariant(), units(-1), QVariant()}});
        QWidget* w = r.open("rep_lup");
        dates(w, "tx_desde", "tx_hasta", c.a, c.b);
        emitir(w);
        EXPECT_TRUE(r.boxes().isEmpty());
        expect_golden(r.shown(), c.golden);
    }
}

TEST(AccountReport, NoRowsIsNothingToReport)
{
    Reports r;
    QWidget* w = r.open("rep_lup");
    dates(w, "tx_desde", "tx_hasta", day_a.addDays(-9), day_a.addDays(-5));
    imprimir(w);
    EXPECT_EQ(r.boxes(), QStringList{no_info});
    EXPECT_EQ(r.t->buf_rep.rep_lin.value(0), "CUADRE DE CUENTAS");
    EXPECT_TRUE(r.t.prn->docs.isEmpty());
}

TEST(ResultsReports, EnterEmitsEscCloses)
{
    const struct { const char* item; const char* name; const char* from; const char* to; } cases[] = {
        {"rep_rba", "reprba", "tx_desd", "tx_hast"},
        {"rep_lup", "replup", "tx_desde", "tx_hasta"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reports r;
        QWidget* w = r.open(c.item);
        dates(w, c.from, c.to, day_a, day_b);
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        QWidget* field = child(w, c.from);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_FALSE(r.shown().isEmpty());
        EXPECT_EQ(r.shown(), r.t->buf_rep.rep_lin);
        r.t->mdi->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(w->parentWidget()));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Escape);
        settle();
        EXPECT_FALSE(r.t->is_loaded(c.name));
    }
}

TEST(ResultsReports, LostConnectionAtLoad)
{
    for (int failures : {1, 2}) {
        SCOPED_TRACE(failures);
        Reports r;
        r.t.srv->fail_next(failures, "dspsrx");
        QWidget* w = r.open("rep_rba");
        EXPECT_EQ(r.boxes(), failures == 1 ? QStringList() : QStringList{lost});
        EXPECT_EQ(lote(w)->count(), failures == 1 ? 2 : 0);
        EXPECT_EQ(lote(w)->isEnabled(), failures == 2);
        EXPECT_EQ(modo(w)->currentText(), "TOTALES");
        EXPECT_EQ(child<QDateEdit>(w, "tx_desd")->date(), day_b);
    }
}

TEST(ResultsReports, LostConnectionDuringABuild)
{
    const struct { const char* item; const char* proc; const char* from; const char* to; } cases[] = {
        {"rep_rtq", "reprtq", "tx_desd", "tx_hast"},
        {"rep_rba", "reprbx", "tx_desd", "tx_hast"},
        {"rep_lup", "replut", "tx_desde", "tx_hasta"},
    };
    for (const auto& c : cases)
        for (bool print : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.item << (print ? " print" : " show"));
            Reports r;
            QWidget* w = r.open(c.item);
            dates(w, c.from, c.to, day_a, day_b);
            print ? imprimir(w) : emitir(w);
            const QStringList whole = r.t->buf_rep.rep_lin;
            auto out = [&] { return print ? printed(r) : r.shown(); };
            const QStringList first = out();
            ASSERT_FALSE(first.isEmpty());
            ASSERT_TRUE(r.boxes().isEmpty());
            r.t.prn->docs.clear();
            r.t->unload("reporte");
            settle();

            r.t.srv->fail_next(1, c.proc);
            print ? imprimir(w) : emitir(w);
            EXPECT_TRUE(r.boxes().isEmpty());
            EXPECT_EQ(r.t->buf_rep.rep_lin, whole);
            EXPECT_EQ(out(), first);
            r.t.prn->docs.clear();
            r.t->unload("reporte");
            settle();

            r.t->buf_rep.rep_lin = {"PREVIO"};
            r.t.srv->fail_next(2, c.proc);
            print ? imprimir(w) : emitir(w);
            EXPECT_EQ(r.boxes(), QStringList{lost});
            EXPECT_EQ(r.t->buf_rep.rep_lin, QStringList{"PREVIO"});
            EXPECT_FALSE(r.t->is_loaded("reporte"));
            EXPECT_TRUE(r.t.prn->docs.isEmpty());
        }
}

} // namespace
