// The six reports built from the double's store: golden texts, what each procedure is sent,
// the no-data rule, the criteria of their own and lost connections during a build.
#include "tests/reports/fixture.h"

using namespace reports_test;

namespace {

using Set = std::function<void(Reports&, QWidget*)>;
const Set no_name = [](Reports& r, QWidget*) { r.t->cfg_reg.rep_enca = "0"; };
const Set no_tax = [](Reports& r, QWidget*) { r.t->ses_val.por_imp = 0; };
Set status(int i) { return [i](Reports&, QWidget* w) { child<QComboBox>(w, "tx_stat")->setCurrentIndex(i); }; }
Set typed(const char* field, const char* text)
{
    return [=](Reports&, QWidget* w) {
        child<QComboBox>(w, field)->setEditText("");
        QTest::keyClicks(child<QComboBox>(w, field), text);
    };
}
Set modo(int i, const char* lottery = "")
{
    return [=](Reports& r, QWidget* w) {
        child<QComboBox>(w, "tx_modo")->setCurrentIndex(i);
        emit child<QComboBox>(w, "tx_modo")->activated(i);
        typed("tx_lote", lottery)(r, w);
    };
}
Set store(std::function<void(central::Model&)> f)
{
    return [f](Reports& r, QWidget*) { f(r.t.srv->model); };
}
Set both(Set a, Set b)
{
    return [a, b](Reports& r, QWidget* w) { a(r, w), b(r, w); };
}
Set without(central::Ticket::State s)
{
    return store([s](central::Model& m) { m.tickets.removeIf([s](const central::Ticket& t) { return t.state == s; }); });
}
const Set no_sales = without(central::Ticket::sold);
const Set no_annulled = without(central::Ticket::annulled);
const Set huge = store([](central::Model& m) { m.tickets[4].total = 5000000000 * U; });  // wider than its column

// What each procedure is sent: the type and size of each parameter, in order.
const QMap<QString, QPair<QList<int>, QList<int>>> contracts = {
    {"getcaj", {{db::adChar}, {3}}},
    {"dspsrx", {{db::adChar}, {3}}},
    {"repvtq", {{db::adChar, db::adChar, db::adChar, db::adChar}, {10, 10, 3, 2}}},
    {"reptan", {{db::adChar, db::adChar, db::adChar, db::adChar}, {10, 10, 3, 2}}},
    {"repitx", {{db::adChar, db::adChar, db::adChar, db::adChar}, {10, 10, 3, 2}}},
    {"reptaq", {{db::adChar, db::adChar, db::adChar, db::adChar, db::adInteger}, {10, 10, 3, 2, 0}}},
    {"reprtq", {{db::adChar, db::adChar, db::adChar, db::adChar, db::adInteger}, {10, 10, 3, 2, 0}}},
    {"reprbx", {{db::adChar, db::adChar, db::adChar, db::adVarChar, db::adInteger}, {10, 10, 3, 15, 0}}},
    {"replut", {{db::adDate, db::adDate, db::adChar}, {0, 0, 3}}},
};

struct Build {
    const char* golden;
    const char* item;
    QDate a, b;
    QString caja = {};
    Set set = nullptr;
    bool print = false;
};

QWidget* prepare(Reports& r, const Build& b)
{
    QWidget* w = r.open(b.item);
    criteria(w, b.a, b.b, b.caja);
    if (b.set)
        b.set(r, w);
    return w;
}

TEST(Reports, GoldenTexts)
{
    const QList<QVariantList> tickets = {
        {" 123 ", "01", 2 * U, 120 * U, 1}, {"12345678", "02", 5 * U, 30 * U, 0},
        {"", "01", 150000000, 725000000, 2}, {"1234567890", "01", 12345678 * U, 1000000 * U, 1},
    };
    const Build builds[] = {
        {"repvtq_day", "rep_vtq", day_b, day_b},
        {"repvtq_range", "rep_vtq", day_a, day_b},
        {"repvtq_caja_no_name", "rep_vtq", day_a, day_b, "01", no_name},
        {"repvtq_no_sales", "rep_vtq", day_a, day_b, "", no_sales},
        {"repvtq_no_annulled", "rep_vtq", day_a, day_b, "", no_annulled},
        {"repvtq_wide", "rep_vtq", day_b, day_b, "01", huge},
        {"repitx_day", "rep_itx", day_b, day_b},
        {"repitx_range_caja_no_name", "rep_itx", day_a, day_b, "01", no_name},
        {"repctq_tax", "rep_caj", day_b, {}, "01"},
        {"repctq_tax_paper", "rep_caj", day_b, {}, "01", nullptr, true},
        {"repctq_no_tax", "rep_caj", day_b, {}, "01", no_tax},
        {"repctq_no_paid_no_name", "rep_caj", day_a, {}, "01", no_name},
        {"repctq_emptied_caja", "rep_caj", day_a, {}, "-"},
        {"reprtq_all", "rep_rtq", day_a, day_b},
        {"reprtq_paid_caja_no_name", "rep_rtq", day_b, day_b, "01", both(status(1), no_name)},
        {"reprtq_unpaid", "rep_rtq", day_a, day_b, "", status(2)},
        {"reprtq_ticket_numbers", "rep_rtq", day_b, day_b, "", [&](Reports& r, QWidget*) {
             r.answer("reprtq", {"numtik", "iduser", "total", "premio", "pagado"}, tickets);
         }},
        {"reprba_days_screen", "rep_rba", day_a, day_b},
        {"reprba_days_paper", "rep_rba", day_a, day_b, "", nullptr, true},
        {"reprba_lotteries_screen_no_name", "rep_rba", day_a, day_b, "", both(modo(1), no_name)},
        {"reprba_lotteries_paper", "rep_rba", day_a, day_b, "", modo(1), true},
        {"reprba_one_lottery_screen", "rep_rba", day_a, day_b, "", modo(1, "zulia 12pm")},
        {"replup_day", "rep_lup", day_b, day_b},
        {"replup_range_no_name", "rep_lup", day_a, day_b, "", no_name},
        {"replup_null_amounts", "rep_lup", day_b, day_b, "", [](Reports& r, QWidget*) {
             r.answer("replut", {"codven", "nomven", "fecmov", "deuda", "cuenta", "movimiento", "deposito", "total"},
                      {{"001", "AGENCIA", day_b, QVariant(), 2 * U, QVariant(), -U, QVariant()}});
         }},
    };
    for (const Build& b : builds) {
        SCOPED_TRACE(b.golden);
        Reports r;
        QWidget* w = prepare(r, b);
        click(w, b.print ? "bt_imprimir" : "bt_emitir");
        EXPECT_TRUE(r.boxes().isEmpty());
        EXPECT_EQ(r.t.dlg->pointer(), plat::ptr_default);
        // On paper as the printer received it: the margin before each line, then the feed.
        expect_golden(b.print ? r.printed() : r.shown(), b.golden);
        EXPECT_EQ(b.print ? r.shown() : r.printed(), QStringList());
        for (const auto& call : r.t.srv->log)
            EXPECT_EQ(qMakePair(call.types, call.sizes), contracts.value(call.proc)) << call.proc.toStdString();
    }
}

TEST(Reports, SentValues)
{
    const struct { const char* item; QString caja; Set set; QStringList sent; } cases[] = {
        {"rep_vtq", "", nullptr, {"repvtq 2024-05-01|2024-05-02|001|  ", "reptan 2024-05-01|2024-05-02|001|  "}},
        {"rep_itx", "02", nullptr, {"repitx 2024-05-01|2024-05-02|001|02"}},
        {"rep_caj", "01", nullptr,
         {"repvtq 2024-05-01|2024-05-01|001|01", "repitx 2024-05-01|2024-05-01|001|01",
          "reptaq 2024-05-01|2024-05-01|001|01|5"}},
        {"rep_caj", "01", no_tax, {"repvtq 2024-05-01|2024-05-01|001|01", "reptaq 2024-05-01|2024-05-01|001|01|5"}},
        {"rep_rtq", "", nullptr, {"reprtq 2024-05-01|2024-05-02|001|  |2"}},
        {"rep_rtq", "", status(1), {"reprtq 2024-05-01|2024-05-02|001|  |1"}},
        {"rep_rtq", "", status(2), {"reprtq 2024-05-01|2024-05-02|001|  |0"}},
        // Typed letters go in upper case; only T, P and N mean something.
        {"rep_rtq", "", typed("tx_stat", "p"), {"reprtq 2024-05-01|2024-05-02|001|  |1"}},
        {"rep_rtq", "", typed("tx_stat", "t"), {"reprtq 2024-05-01|2024-05-02|001|  |2"}},
        {"rep_rtq", "", typed("tx_stat", "x"), {"reprtq 2024-05-01|2024-05-02|001|  |0"}},
        {"rep_rtq", "", typed("tx_stat", ""), {"reprtq 2024-05-01|2024-05-02|001|  |0"}},
        {"rep_rba", "", modo(1, "  caracas 4pm y mas"), {"reprbx 2024-05-01|2024-05-02|001|CARACAS 4PM Y|1"}},
        {"rep_lup", "", nullptr, {"replut 2024-05-01|2024-05-02|001"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sent.join(", ").toStdString());
        Reports r;
        QWidget* w = prepare(r, {"", c.item, day_a, day_b, c.caja, c.set});
        r.t.srv->log.clear();
        click(w, "bt_emitir");
        EXPECT_EQ(r.sent(), c.sent);
    }
}

TEST(Reports, NothingToReport)
{
    // Nothing shown or printed; the lines built stay in the buffer (reprtq writes none).
    const Build builds[] = {
        {"repvtq_empty", "rep_vtq", day_b, day_b, "00"},
        {"repitx_empty", "rep_itx", day_b, day_b, "00"},
        {"repctq_empty", "rep_caj", day_b, {}, "00"},
        // Prizes whose sum is not above 0 are not listed and count as nothing.
        {"repctq_prizes_not_positive", "rep_caj", day_b, {}, "02", store([](central::Model& m) {
             m.tickets.removeIf([](auto& t) { return t.caja == "02"; });
             central::Ticket& t = m.tickets[1];  // paid on day b by caja 01
             t.premio = -5 * U;
             t.paid_caja = "02";
         })},
        {"", "rep_rtq", day_b, day_b, "00"},
        {"reprba_only_labels", "rep_rba", day_b, day_b, "", [](Reports& r, QWidget*) {
             r.answer("reprbx", {"xcontrol", "xloteria", "xmonto", "xcomision", "xpremio"}, {{0, "SOLO", 0, 0, 0}});
         }},
        {"replup_empty", "rep_lup", day_a.addDays(-9), day_a.addDays(-5)},
    };
    for (const Build& b : builds) {
        SCOPED_TRACE(b.item);
        Reports r;
        QWidget* w = prepare(r, b);
        for (const char* button : {"bt_emitir", "bt_imprimir"}) {
            if (QString(button) == "bt_imprimir" && QString(b.item) == "rep_rba")
                continue;  // on paper a label row is a line of its own
            r.t->buf_rep.rep_lin = {"PREVIO"};
            r.t.dlg->boxes.clear();
            click(w, button);
            ASSERT_EQ(r.t.dlg->boxes.size(), 1);
            EXPECT_EQ(r.t.dlg->boxes[0].text, no_info);
            EXPECT_EQ(r.t.dlg->boxes[0].style, plat::mb_information);
            EXPECT_EQ(r.t.dlg->boxes[0].title, "Tovaren");
            if (*b.golden)
                expect_golden(r.t->buf_rep.rep_lin, b.golden);
            else
                EXPECT_EQ(r.t->buf_rep.rep_lin, QStringList{"PREVIO"});
        }
        EXPECT_FALSE(r.t->is_loaded("reporte"));
        EXPECT_TRUE(r.t.prn->docs.isEmpty());
    }
}

TEST(Reports, BankModeOpensAndEmptiesTheLottery)
{
    Reports r;
    r.t.srv->model.outlet.lots_off.insert("L02");
    QWidget* w = r.open("rep_rba");
    auto* modo = child<QComboBox>(w, "tx_modo");
    auto* lote = child<QComboBox>(w, "tx_lote");
    EXPECT_EQ(modo->currentText(), "TOTALES");
    EXPECT_EQ(lote->count(), 1);
    EXPECT_EQ(lote->itemText(0), "ZULIA 12PM");
    EXPECT_EQ(lote->currentText(), "");
    EXPECT_FALSE(lote->isEnabled());
    QTest::keyClicks(modo, "L");  // chosen from the list only
    EXPECT_EQ(modo->currentText(), "TOTALES");
    // Each choice empties the lottery, opened only for "LOTERIAS".
    for (const auto& [key, text, open] : {std::tuple{Qt::Key_Down, "LOTERIAS", true}, std::tuple{Qt::Key_Up, "TOTALES", false}}) {
        lote->setEditText("ZULIA");
        QTest::keyClick(modo, key);
        EXPECT_EQ(modo->currentText(), text);
        EXPECT_EQ(lote->currentText(), "");
        EXPECT_EQ(lote->isEnabled(), open);
    }
}

TEST(Reports, BankRowsThatDoNotPair)
{
    // An amounts row with no label row before it has an empty label, also where an earlier
    // build had labels; a label row with no amounts row after it is not listed on screen.
    Reports r;
    QWidget* w = r.open("rep_rba");
    const QStringList columns = {"xcontrol", "xloteria", "xmonto", "xcomision", "xpremio"};
    r.answer("reprbx", columns, {{0, "PRIMERO", 0, 0, 0}, {1, "", -10 * U, -U, -2 * U}});
    click(w, "bt_emitir");
    r.answer("reprbx", columns, {{1, "", -10 * U, -U, -2 * U}, {1, "", -20 * U, -2 * U, -4 * U}, {0, "SIN MONTOS", 0, 0, 0}});
    click(w, "bt_emitir");
    expect_golden(r.shown(), "reprba_unpaired_screen");
    click(w, "bt_imprimir");
    expect_golden(r.printed(), "reprba_unpaired_paper");
}

TEST(Reports, LostConnectionDuringABuild)
{
    // Failing once changes nothing; twice gives one message and nothing shown or printed,
    // the buffer as far as the build got.
    const struct { const char* item; const char* proc; const char* buffer; } cases[] = {
        {"rep_vtq", "repvtq", "PREVIO"}, {"rep_vtq", "reptan", "VENTAS TOVAREN"}, {"rep_itx", "repitx", "PREVIO"},
        {"rep_caj", "repvtq", "PREVIO"}, {"rep_caj", "repitx", "PREVIO"},         {"rep_caj", "reptaq", "CUADRE DE CAJA"},
        {"rep_rtq", "reprtq", "PREVIO"}, {"rep_rba", "reprbx", "PREVIO"},         {"rep_lup", "replut", "PREVIO"},
    };
    for (const auto& c : cases)
        for (const char* button : {"bt_emitir", "bt_imprimir"}) {
            SCOPED_TRACE(testing::Message() << c.item << " " << c.proc << " " << button);
            Reports r;
            QWidget* w = prepare(r, {"", c.item, day_a, day_b, "01"});
            QStringList out[2];
            for (int failures : {0, 1, 2}) {
                r.t.prn->docs.clear();
                r.t->unload("reporte");
                settle();
                r.t->buf_rep.rep_lin = {"PREVIO"};
                r.t.srv->fail_next(failures, c.proc);
                click(w, button);
                if (failures < 2) {
                    out[failures] = r.shown() + r.printed();
                    EXPECT_TRUE(r.boxes().isEmpty());
                    continue;
                }
                EXPECT_EQ(out[1], out[0]);
                EXPECT_GT(out[0].size(), 8);
                EXPECT_EQ(r.boxes(), QStringList{lost});
                EXPECT_EQ(r.t->buf_rep.rep_lin.value(0), c.buffer);
                EXPECT_EQ(r.shown() + r.printed(), QStringList());
            }
        }
}

} // namespace
