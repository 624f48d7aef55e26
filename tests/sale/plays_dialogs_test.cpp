// The procedures the sale dialogs hand their choices to, with dlg_datos filled as each
// dialog fills it: plays the server builds, sign and animal plays, lines taken off; every
// call failing too; and a ticket of all of them committed.
#include "core/shared/vocab.h"
#include "tests/sale/plays_fixture.h"

namespace {

using L = PlayRig;
using Step = std::function<void(PlayRig&)>;
using Calls = QList<QStringList>;

Step typed(const char* lots, const char* num, const char* amount)
{
    return [=](PlayRig& r) { r.lots(lots); r.play(num, amount); };
}
// A sign dialog's Aceptar: the number, an amount of 5 and the signs (letters from "A").
Step signs(const char* lots, const char* num, const QString& letters, bool cacho = false)
{
    return [=](PlayRig& r) {
        r.lots(lots);
        auto& d = r.t->dlg_datos;
        d.dlg_num1 = num;
        d.dlg_mon = "500000000";
        QList<int>& flags = cacho ? d.flg_cac : d.flg_zod;
        flags.fill(0);
        for (QChar c : letters)
            flags[c.unicode() - 'A'] = 1;
        cacho ? r.p()->zod_tik2() : r.p()->zod_tik();
    };
}
Step with(std::function<void(DlgDatos&)> fill, void (movtik_plays::*proc)())
{
    return [=](PlayRig& r) { fill(r.t->dlg_datos); (r.p()->*proc)(); };
}
QStringList req(const QString& lots, const QString& num, int first)
{
    return {"1", lots, "N", num, "500000000", "0", QString::number(first), "1"};
}
QString sign_line(const char* lot, const char* num, const char* sign, int index)
{
    return L::line(lot, QString("Ter Zod  %1  %2      ").arg(num, sign), "5", index);
}
const QString kTca = L::line("TRIPLE CARACAS", "Triple       123      ", "10", 0);

TEST(PlaysDialogs, EveryProcedure)
{
    const Step none = [](PlayRig&) {};
    const QStringList all12 = [] {
        QStringList out;
        for (int s = 0; s < 12; ++s)
            out << L::line("TRIPLE CARACAS", "Ter Zod  45  " + zod_name(zod_letter(s), 0).left(3) + "      ", "5", s);
        return out;
    }();
    const struct {
        const char* name;
        QList<Step> before;
        Step act;
        const char* proc;
        Calls calls;
        QStringList lines, boxes;
    } cases[] = {
        {"terminals", {typed("001", "123", "10")}, with([](DlgDatos& d) { d.dlg_mon = "0"; }, &movtik_plays::add_ter), "tertix",
         {{"1", "0", "1"}}, {kTca, L::line("TRIPLE CARACAS", "Terminal      23      ", "10", 1)}, {}},
        {"repeat", {typed("001", "123", "10")},
         with([](DlgDatos& d) { d.dlg_lotsel = {"002", " 003 "}; d.dlg_mon = "500000000"; }, &movtik_plays::add_rep), "reptix",
         {{"1", "0", "002003", "500000000", "1", "1"}},
         {kTca, L::line("TRIPLE ZULIA", "Triple       123      ", "5", 1), L::line("TRIPLE TACHIRA", "Triple       123      ", "5", 2)}, {}},
        // A row of a lottery the window does not hold is still a line, and the play it is.
        {"repeat onto a lottery the window does not hold", {typed("001", "123", "10"), [](PlayRig& r) { r.tik().tab_lot[11].codlot = "?"; }},
         with([](DlgDatos& d) { d.dlg_lotsel = {"003"}; d.dlg_mon = "0"; }, &movtik_plays::add_rep), "reptix",
         {{"1", "0", "003", "0", "1", "1"}}, {kTca, L::line("", "Triple       123      ", "10", 1)}, {}},
        {"repeated cacho keeps its kind", {signs("005", "25", "A", true)},
         with([](DlgDatos& d) { d.dlg_lotsel = {"005"}; d.dlg_mon = "0"; }, &movtik_plays::add_rep), "reptix",
         {{"1", "0", "005", "0", "1", "1"}}, {sign_line("CHANCE CACHO AS", "25", "Med", 0), sign_line("CHANCE CACHO AS", "25", "Med", 1)}, {}},
        {"duplicate", {typed("001", "123", "10"), [](PlayRig& r) { r.press_imprimir(); }},
         with([](DlgDatos& d) { d.dlg_res = "00000001"; d.dlg_lot = "001"; d.dlg_lots = "002"; d.dlg_mon = "0"; }, &movtik_plays::add_dup),
         "duptix", {{"1", "2", "0", "001", "002", "0", "1"}}, {L::line("TRIPLE ZULIA", "Triple       123      ", "10", 0)}, {}},
        {"duplicate of no ticket", {}, with([](DlgDatos& d) { d.dlg_res = "00000099"; }, &movtik_plays::add_dup), "duptix",
         {{"99", "1", "0", " ", "", "0", "1"}}, {}, {"No hay jugada para procesar." + blanks(10)}},
        {"zodiac signs", {}, signs("004", "25", "AL"), "protkx", {req("004", "25A", 0), req("004", "25L", 1)},
         {sign_line("TRIPLE CARACAS", "25", "Ari", 0), sign_line("TRIPLE CARACAS", "25", "Pis", 1)}, {}},
        {"every zodiac sign", {}, signs("004", "45", "ABCDEFGHIJKL"), "protkx", {req("004", "45*", 0)}, all12, {}},
        {"a permutation of one digit", {}, signs("004", "P111", "A"), "protkx", {req("004", "111A", 0)},
         {L::line("TRIPLE CARACAS", "Tpl Zod  111 Ari      ", "5", 0)}, {}},
        {"cacho kinds", {}, signs("005", "25", "ABC", true), "protkx", {req("005", "25A", 0), req("005", "25B", 1), req("005", "25C", 2)},
         {sign_line("CHANCE CACHO AS", "25", "Med", 0), sign_line("CHANCE CACHO AS", "25", "Con", 1), sign_line("CHANCE CACHO AS", "25", "Dob", 2)}, {}},
        {"a sign number no lottery takes", {}, signs("004 001", "12345", "A"), "protkx", {}, {}, {"Número no es válido." + blanks(10)}},
        {"animals", {[](PlayRig& r) { r.model().sale_time = QTime(11, 30); }},
         with([](DlgDatos& d) { d.flg_sim[2] = 1; d.flg_sim[5] = 2; d.dlg_mon = "500000000"; }, &movtik_plays::sim_tik), "protkx",
         {req("", "03", 0)}, {L::line("RULETA ACTIVA", "Terminal      03      ", "5", 0), L::line("SELVA PLUS ANIM", "Terminal      03      ", "5", 1)},
         {"Lotería cerrada." + blanks(10)}},
        {"two animals", {}, with([](DlgDatos& d) { d.dlg_num1 = "05 "; d.dlg_num2 = "12"; d.dlg_mon = "500000000"; }, &movtik_plays::dbl_tik),
         "protkx", {req("", "0512", 0)}, {L::line("LOTTO ACTIVO TR", "Doblete     0512      ", "5", 0)}, {}},
        {"three animals", {}, with([](DlgDatos& d) { d.dlg_res = "010203"; d.dlg_mon = "500000000"; }, &movtik_plays::mor_tik), "protkx",
         {req("", "010203", 0)}, {L::line("LOTTO ACTIVO TR", "Tripleta  010203      ", "5", 0)}, {}},
        // By code: Triple Caracas Zodiacal shares the first 15 characters of Triple Caracas.
        {"delete a lottery", {typed("001", "123", "10"), signs("004", "25", "A"), signs("005", "25", "A", true)},
         with([](DlgDatos& d) { d.dlg_lotsel = {"001"}; }, &movtik_plays::bor_jug), "bortix", {{"1", "001", "1"}},
         {sign_line("TRIPLE CARACAS", "25", "Ari", 1), sign_line("CHANCE CACHO AS", "25", "Med", 2)}, {}},
        {"delete every lottery", {typed("001 002", "123", "10")}, with([](DlgDatos& d) { d.dlg_lotsel = {"*"}; }, &movtik_plays::bor_jug),
         "bortix", {{"1", "*", "1"}}, {}, {}},
        {"delete the selected line", {typed("001 002", "123", "10"), [](PlayRig& r) { r.w->lt_nume->setCurrentRow(0); }},
         [](PlayRig& r) { QTest::keyClick(r.w->lt_nume, Qt::Key_Delete); }, "delnux", {{"1", "0"}},
         {L::line("TRIPLE ZULIA", "Triple       123      ", "10", 1)}, {"¿Desea eliminar el registro seleccionado?" + blanks(5)}},
        {"delete with no line selected", {typed("001", "123", "10")}, [](PlayRig& r) { r.p()->lt_nume_DblClick(); }, "delnux", {}, {kTca}, {}},
    };
    for (const bool lost : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (lost ? " (connection lost)" : ""));
            if (lost && c.calls.isEmpty())
                continue;
            PlayRig r;
            ASSERT_TRUE(r.open());
            for (const Step& step : c.before)
                step(r);
            const QStringList before = r.lines();
            r.t.srv->log.clear();
            r.dlg().boxes.clear();
            if (lost)
                r.t.srv->fail_next(2, c.proc);
            c.act(r);

            Calls calls;
            for (const auto& call : r.t.srv->calls(c.proc))
                calls << args(call);
            EXPECT_EQ(calls, lost ? Calls({c.calls[0], c.calls[0]}) : c.calls);
            QStringList boxes = c.proc == QString("delnux") ? c.boxes.mid(0, 1) : QStringList();
            EXPECT_EQ(r.dlg().texts(), lost ? boxes << "No hay conexión con el servidor." + blanks(10) : c.boxes);
            EXPECT_EQ(r.lines(), lost ? before : c.lines);
            EXPECT_EQ(r.tik().can_lin, r.w->lt_nume->count());
            EXPECT_EQ(r.w->tx_mtik->text(), mon_show(r.t->mon(), r.tik().tot_tik));
            EXPECT_EQ(r.t->cmd_sp.params().size(), 0);
            EXPECT_EQ(r.dlg().pointer(), plat::ptr_default);
            EXPECT_EQ(r.tik().lin_zod + r.tik().lin_sim + r.tik().lin_sit, 0);
            if (!lost)
                r.agree();
        }
    }
}

// A ticket with plays typed, terminals, repeated and sign plays, a deleted line and a
// deleted lottery is committed: the double holds what the client shows and prints.
TEST(PlaysDialogs, TicketOfEveryKindCommitted)
{
    PlayRig r;
    ASSERT_TRUE(r.open());
    typed("001 002", "123", "10")(r);
    typed("001", "45", "10")(r);
    signs("004", "25", "AB")(r);
    with([](DlgDatos& d) { d.dlg_mon = "0"; }, &movtik_plays::add_ter)(r);
    with([](DlgDatos& d) { d.dlg_lotsel = {"003"}; d.dlg_mon = "200000000"; }, &movtik_plays::add_rep)(r);
    r.w->lt_nume->setCurrentRow(1);
    r.p()->del_jug();
    with([](DlgDatos& d) { d.dlg_lotsel = {"004"}; }, &movtik_plays::bor_jug)(r);
    EXPECT_EQ(r.dlg().texts(), QStringList({"¿Desea eliminar el registro seleccionado?" + blanks(5)}));
    EXPECT_EQ(r.lines().size(), 7);  // 10 appended: 2 + 1 typed, 2 signs, 2 terminals, 3 repeated
    r.agree();
    const QString total = r.w->tx_mtik->text();
    r.press_imprimir();
    EXPECT_EQ(r.state(1), central::Ticket::sold);
    ASSERT_EQ(r.t.prn->docs.size(), 1);
    EXPECT_TRUE(r.t.prn->docs[0].lines.contains("TOTAL TICKET(B):" + total)) << qPrintable(r.t.prn->docs[0].lines.join('|'));
}

} // namespace
