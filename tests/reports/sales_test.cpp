// The sales, municipal tax and cash count reports built from the double's ticket store:
// golden texts, what is sent, the no-data rule, the print and lost connections.
#include "tests/reports/fixture.h"

using namespace reports_test;

namespace {

const QString no_info = "No hay información." + QString(10, ' ');
const QString lost = "No hay conexión con el servidor." + QString(10, ' ');

// One build: the window, its criteria, and what the store and the session look like.
struct Build {
    const char* golden;
    const char* item;
    QDate desde = {}, hasta = {}; // repctq: desde only
    QString caja = {};            // "" leaves the default, "-" empties the box
    bool enca = true;
    int por_imp = 1;
    std::function<void(central::Model&)> store = nullptr;
};

void set_criteria(QWidget* w, const Build& b)
{
    if (auto* d = child<QDateEdit>(w, "tx_fech"))
        d->setDate(b.desde);
    if (auto* d = child<QDateEdit>(w, "tx_desd"))
        d->setDate(b.desde);
    if (auto* d = child<QDateEdit>(w, "tx_hast"))
        d->setDate(b.hasta);
    if (!b.caja.isEmpty())
        child<QComboBox>(w, "tx_caja")->setEditText(b.caja == "-" ? QString() : b.caja);
}

QWidget* prepare(Reports& r, const Build& b)
{
    r.t->cfg_reg.rep_enca = b.enca ? "1" : "0";
    r.t->ses_val.por_imp = b.por_imp;
    if (b.store)
        b.store(r.t.srv->model);
    QWidget* w = r.open(b.item);
    set_criteria(w, b);
    return w;
}

void emitir(QWidget* w) { child<QPushButton>(w, "bt_emitir")->click(); }
void imprimir(QWidget* w) { child<QPushButton>(w, "bt_imprimir")->click(); }

void huge_sale(central::Model& m)
{
    central::Ticket t = m.tickets.first();
    t.numtik = 5000;
    t.fecha = day_b;
    t.total = 5000000000 * U;  // 50,000,000,000.00: wider than its column
    m.tickets << t;
}

void no_sales(central::Model& m)
{
    m.tickets.removeIf([](const central::Ticket& t) { return t.state == central::Ticket::sold; });
}

void no_annulled(central::Model& m)
{
    m.tickets.removeIf([](const central::Ticket& t) { return t.state == central::Ticket::annulled; });
}

TEST(SalesReports, GoldenTexts)
{
    const Build builds[] = {
        {"repvtq_day", "rep_vtq", day_b, day_b},
        {"repvtq_range", "rep_vtq", day_a, day_b},
        {"repvtq_caja_no_name", "rep_vtq", day_a, day_b, "01", false},
        {"repvtq_no_sales", "rep_vtq", day_a, day_b, "", true, 1, no_sales},
        {"repvtq_no_annulled", "rep_vtq", day_a, day_b, "", true, 1, no_annulled},
        {"repvtq_wide", "rep_vtq", day_b, day_b, "01", true, 1, huge_sale},
        {"repitx_day", "rep_itx", day_b, day_b},
        {"repitx_range_caja_no_name", "rep_itx", day_a, day_b, "01", false},
        {"repitx_wide", "rep_itx", day_b, day_b, "", true, 1, [](central::Model& m) {
             huge_sale(m);
             m.tickets.last().tax = 5000000000 * U;
         }},
        {"repctq_tax", "rep_caj", day_b, {}, "01"},
        {"repctq_no_tax", "rep_caj", day_b, {}, "01", true, 0},
        {"repctq_no_paid_no_name", "rep_caj", day_a, {}, "01", false},
        {"repctq_emptied_caja", "rep_caj", day_a, {}, "-"},
    };
    for (const Build& b : builds) {
        SCOPED_TRACE(b.golden);
        Reports r;
        QWidget* w = prepare(r, b);
        emitir(w);
        EXPECT_TRUE(r.boxes().isEmpty());
        expect_golden(r.shown(), b.golden);
        EXPECT_EQ(r.shown(), r.t->buf_rep.rep_lin);
        EXPECT_EQ(r.t.dlg->pointer(), plat::ptr_default);
    }
}

TEST(SalesReports, NothingToReport)
{
    // In the buffer, unshown: the lines the report builds for an empty answer.
    const Build builds[] = {
        {"repvtq_empty", "rep_vtq", day_b, day_b, "00"},
        {"repitx_empty", "rep_itx", day_b, day_b, "00"},
        {"repctq_empty", "rep_caj", day_b, {}, "00"},
        // Prizes whose sum is not above 0 are not listed, and count as nothing.
        {"repctq_prizes_not_positive", "rep_caj", day_b, {}, "00", true, 1, [](central::Model& m) {
             central::Ticket t = m.tickets.first();
             t.caja = t.paid_caja = "00";
             t.paid = true;
             t.paid_on = day_b;
             t.premio = -5 * U;
             t.state = central::Ticket::annulled;
             m.tickets << t;
         }},
    };
    for (const Build& b : builds) {
        SCOPED_TRACE(b.golden);
        Reports r;
        QWidget* w = prepare(r, b);
        for (bool print : {false, true}) {
            r.t.dlg->boxes.clear();
            print ? imprimir(w) : emitir(w);
            ASSERT_EQ(r.t.dlg->boxes.size(), 1);
            EXPECT_EQ(r.t.dlg->boxes[0].text, no_info);
            EXPECT_EQ(r.t.dlg->boxes[0].style, plat::mb_information);
            EXPECT_EQ(r.t.dlg->boxes[0].title, "Tovaren");
            EXPECT_EQ(r.t->buf_rep.flg_nodat, 1);
            expect_golden(r.t->buf_rep.rep_lin, b.golden);
        }
        EXPECT_FALSE(r.t->is_loaded("reporte"));
        EXPECT_TRUE(r.t.prn->docs.isEmpty());
    }
}

TEST(SalesReports, ImprimirPrintsTheSameLines)
{
    for (const char* item : {"rep_vtq", "rep_itx", "rep_caj"}) {
        SCOPED_TRACE(item);
        Reports r;
        r.t.prn->printer_names = {"Laser", "Recibos"};
        r.t->cfg_reg.rep_nprn = 1;
        r.t->cfg_reg.rep_marg = 3;
        r.t->cfg_reg.rep_salt = 2;
        QWidget* w = r.open(item);
        set_criteria(w, {"", item, day_a, day_b, "01"});
        imprimir(w);
        const QStringList lines = r.t->buf_rep.rep_lin;
        ASSERT_GT(lines.size(), 8);
        ASSERT_EQ(r.t.prn->docs.size(), 1);
        QStringList want;
        for (const QString& l : lines)
            want << "   " + l;
        want << QStringList(7, " ") << "\f";
        EXPECT_EQ(r.t.prn->docs[0].lines, want);
        EXPECT_EQ(r.t.prn->docs[0].printer, 1);
        EXPECT_FALSE(r.t->is_loaded("reporte"));
        // The same lines on screen.
        emitir(w);
        EXPECT_EQ(r.shown(), lines);
    }
}

TEST(SalesReports, SendsEachProcedureItsParameters)
{
    const QList<int> chars = {db::adChar, db::adChar, db::adChar, db::adChar};
    const QList<int> sizes = {10, 10, 3, 2};
    const struct { const char* item; const char* caja; int por_imp; QStringList procs; QString sent_caja; } cases[] = {
        {"rep_vtq", "", 1, {"repvtq", "reptan"}, "  "},
        {"rep_vtq", "02", 1, {"repvtq", "reptan"}, "02"},
        {"rep_itx", "", 1, {"repitx"}, "  "},
        {"rep_caj", "01", 1, {"repvtq", "repitx", "reptaq"}, "01"},
        {"rep_caj", "01", 0, {"repvtq", "reptaq"}, "01"},
        {"rep_caj", "", 0, {"repvtq", "reptaq"}, "00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.item << " '" << c.caja << "' " << c.por_imp);
        Reports r;
        r.t->ses_val.por_imp = c.por_imp;
        QWidget* w = r.open(c.item);
        const bool one_day = QString(c.item) == "rep_caj";
        set_criteria(w, {"", c.item, day_a, day_b, c.caja});
        r.t.srv->log.clear();
        emitir(w);
        ASSERT_EQ(r.t.srv->procs(), c.procs);
        for (const auto& call : r.t.srv->log) {
            SCOPED_TRACE(call.proc.toStdString());
            QVariantList values = {"2024-05-01", one_day ? "2024-05-01" : "2024-05-02", "001", c.sent_caja};
            QList<int> types = chars, sz = sizes;
            if (call.proc == "reptaq") {
                values << qint64(5);
                types << db::adInteger;
                sz << 0;
            }
            EXPECT_EQ(call.values, values);
            EXPECT_EQ(call.types, types);
            EXPECT_EQ(call.sizes, sz);
        }
    }
}

TEST(SalesReports, LostConnectionDuringABuild)
{
    // Each call of each build fails once (nothing changes) or twice (one message, nothing
    // shown or printed; the buffer as far as the build got).
    const struct { const char* item; const char* proc; const char* buffer; } cases[] = {
        {"rep_vtq", "repvtq", "PREVIO"},
        {"rep_vtq", "reptan", "VENTAS TOVAREN"},
        {"rep_itx", "repitx", "PREVIO"},
        {"rep_caj", "repvtq", "PREVIO"},
        {"rep_caj", "repitx", "PREVIO"},
        {"rep_caj", "reptaq", "CUADRE DE CAJA"},
    };
    for (const auto& c : cases)
        for (bool print : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.item << " " << c.proc << (print ? " print" : " show"));
            Reports r;
            QWidget* w = r.open(c.item);
            set_criteria(w, {"", c.item, day_a, day_b, "01"});
            print ? imprimir(w) : emitir(w);
            const QStringList whole = r.t->buf_rep.rep_lin;
            ASSERT_TRUE(r.boxes().isEmpty());
            r.t.prn->docs.clear();
            r.t->unload("reporte");
            settle();

            r.t.srv->fail_next(1, c.proc);
            print ? imprimir(w) : emitir(w);
            EXPECT_TRUE(r.boxes().isEmpty());
            EXPECT_EQ(r.t->buf_rep.rep_lin, whole);
            EXPECT_EQ(print ? r.t.prn->docs.value(0).lines : r.shown(),
                      print ? whole + QStringList(5, " ") + QStringList("\f") : whole);
            r.t.prn->docs.clear();
            r.t->unload("reporte");
            settle();

            r.t->buf_rep.rep_lin = {"PREVIO"};
            r.t.srv->fail_next(2, c.proc);
            print ? imprimir(w) : emitir(w);
            EXPECT_EQ(r.boxes(), QStringList{lost});
            EXPECT_EQ(r.t->buf_rep.rep_lin.value(0), c.buffer);
            EXPECT_EQ(r.t->buf_rep.flg_nodat, 0);
            EXPECT_FALSE(r.t->is_loaded("reporte"));
            EXPECT_TRUE(r.t.prn->docs.isEmpty());
            EXPECT_EQ(r.t.dlg->pointer(), plat::ptr_default);
        }
}

} // namespace
