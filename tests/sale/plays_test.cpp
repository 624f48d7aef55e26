// Play registration against the double, transcripts compared with golden files: plays
// typed and sent with Procesar, the lines, reports, questions and totals of their answers;
// the procedures the sale dialogs hand their choices to (plays the server builds, sign and
// animal plays, lines taken off), each call also failing; a ticket of all of them sold.
#include "tests/sale/sale_fixture.h"
#include "core/shared/vocab.h"
#include "sale/plays/lines.h"
#include "sale/plays/requests.h"

namespace {

using Step = std::function<void(SaleRig&)>;
const Step none = [](SaleRig&) {};

// The answer protkx gives to requests (not to confirmations): codlot, numero, tipo, monto
// (units, a fraction of a stored unit too), numago.
Step answer(const QList<QVariantList>& rows)
{
    return [rows](SaleRig& r) {
        r.t.srv->register_procedure("protkx", [rows](central::Request& q) {
            auto& rs = q.rows({"codlot", "numero", "tipo", "monto", "numago"});
            for (QVariantList row : q.arg(5).toInt() == 0 ? rows : QList<QVariantList>()) {
                row[3] = row[3].toDouble() * 100000000;
                rs.rows << row;
            }
            return true;
        });
    };
}

// Keys typed from the lottery list, where the window leaves the cashier, after ticking
// lotteries: digits go on to the number field, Enter presses Procesar.
TEST(Plays, Procesar)
{
    const struct {
        const char *name, *lots, *keys;
        Step arrange = none;
        bool faked = false;  // the ticket is not the double's (a line count, answers it does not keep)
    } cases[] = {
        {"terminal", "001", "12<enter>10<enter>"},
        {"triple on two lotteries", "001 002", "123<enter>10<enter>"},
        {"doblete", "006", "1234<enter>10<enter>"},
        {"tripleta", "007", "123456<enter>100<enter>"},
        {"serie", "002", "*12<enter>10<enter>"},
        {"corrida of one digit", "002", "1*<enter>10<enter>"},
        {"permutation", "001", "p112<enter>1<enter>"},
        {"symbol 0 answered 0a", "008", "0<enter>2<enter>", [](SaleRig& r) { r.model().sim_zero = "0a"; }},
        {"three codes", "011", "010203<enter>1<enter>"},
        {"sold out", "001", "000<enter>10<enter>"},
        // A short grant does not lower the amount typed (1.000 is a thousand, not one).
        {"short", "002", "777<enter>1000<enter>"},
        {"no lottery", "", "<enter>", [](SaleRig& r) { r.w->tx_nume->setEditText("123"); }},
        {"ticket at its maximum", "001", "123<enter>10<enter>456<enter>", [](SaleRig& r) { r.t->lim_vta.vta_max = "1000000000"; }},
        {"seven characters", "001", "<enter>", [](SaleRig& r) { r.w->tx_nume->setEditText("1234567"); }},
        {"five digits", "007", "12345<enter>"},
        {"star in a long number", "007", "12*4<enter>"},
        {"two stars", "001", "**1<enter>"},
        {"star inside a triple", "001", "1*2<enter>10<enter>"},
        {"no lottery takes it", "001", "1<enter>10<enter>"},
        {"symbol code of one character", "008", "5<enter>"},
        {"amount below the minimum", "001", "123<enter><bs><enter>"},
        {"a lottery without its list item", "001", "123<enter>10<enter>",
         [](SaleRig& r) { delete r.w->lt_lote->takeItem(11); }},
        {"permutation above 500 lines", "001 002", "p123<enter>1<enter>", [](SaleRig& r) { r.tik().can_lin = 489; }, true},
        {"permutation of 500 lines", "001 002", "p123<enter>1<enter>", [](SaleRig& r) { r.tik().can_lin = 488; }, true},
        // A serie refused at its amount is not one any more once the number has no "*".
        {"a plain number after a refused serie", "001", "*12<enter>0<enter><up>12<enter>10<enter>"},
        // The number stays for another try once the connection is back.
        {"connection lost", "002", "777<enter>10<enter>", [](SaleRig& r) { r.t.srv->fail_next(2, "protkx"); }},
        // A short serie asks whether to sell what it can; OK sends the confirmation for its
        // own lottery and every number sold becomes a line after the serie's own record.
        {"short serie confirmed", "001", "*12<enter>10<enter>"},
        {"short serie not confirmed", "001", "*12<enter>10<enter>", [](SaleRig& r) { r.dlg().answers = {plat::ans_cancel}; }},
        // Answers the double does not give by itself: markers, unknown lotteries, missing numbers.
        {"no rows", "001", "123<enter>10<enter>", answer({}), true},
        {"markers after a line", "001 002 003", "123<enter>10<enter>",
         answer({{"TCA", "123", "N", 10, ""}, {"***", "123", "", 0, ""}, {"***", "******", "", 0, ""}}), true},
        // A line of a lottery the ticket does not hold shows without its name, and counts;
        // one of a kind no line can be refuses the answer: nothing is shown or counted.
        {"a lottery the ticket does not hold", "001", "123<enter>10<enter>",
         answer({{"XYZ", "123", "N", 10, ""}, {"XYZ", "12", "S", 0, "512:0%"}}), true},
        {"a lottery code with a blank more", "001", "123<enter>10<enter>", answer({{"TCA ", "123", "N", 10, ""}}), true},
        {"a kind no line can be", "001", "123<enter>10<enter>",
         answer({{"TCA", "123", "N", 10, ""}, {"TCA", "123", "P", 10, ""}}), true},
        {"a kind in small letters", "001", "123<enter>10<enter>", answer({{"TCA", "123", "n", 10, ""}}), true},
        {"nothing listed missing", "001", "123<enter>10<enter>", answer({{"TCA", "12", "S", 1, "%512:0%"}}), true},
        {"two short corridas", "001 002", "123<enter>10<enter>",
         answer({{"TCA", "12", "C", 0, "120:0%121:2.5%122:149999999.9999%"}, {"TZU", "12", "C", 0, "*"}}), true},
        // A money column's fraction of a stored unit is kept in the line and the total.
        {"a grant with a fraction", "001", "123<enter>10<enter>", answer({{"TCA", "123", "N", 1.499999999999, ""}}), true},
    };
    QStringList transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        ASSERT_TRUE(r.open());
        r.lots(c.lots);
        c.arrange(r);
        r.t.srv->log.clear();
        type_keys(c.keys);
        transcript << QString("== ") + c.name << r.report(!c.faked);
        EXPECT_EQ(r.t->cmd_protkx.params().size(), 8);
    }
    SaleRig::expect_transcript(transcript, "procesar.txt");
}

// The dialogs' procedures, with dlg_datos filled as each dialog fills it.
Step typed(const char* lots, const char* keys)
{
    return [=](SaleRig& r) {
        r.lots(lots);
        r.enter(keys);
    };
}
Step signs(const char* lots, const char* num, const QString& letters, bool cacho = false)
{
    return [=](SaleRig& r) { r.sign_play(lots, num, letters, cacho); };
}
Step with(std::function<void(DlgDatos&)> fill, void (movtik_plays::*proc)())
{
    return [=](SaleRig& r) {
        fill(r.t->dlg_datos);
        (r.w->*proc)();
    };
}

TEST(Plays, DialogProcedures)
{
    const Step triple = typed("001", "123<enter>10<enter>");
    const struct {
        const char* name;
        QList<Step> before;
        Step act;
        const char* proc;  // the call that fails on the second run
        bool agrees = true;  // false: the double holds plays whose answer was refused
    } cases[] = {
        {"terminals", {triple}, with([](DlgDatos& d) { d.dlg_mon = "0"; }, &movtik_plays::add_ter), "tertix"},
        {"repeat", {triple}, with([](DlgDatos& d) { d.dlg_lotsel = {"002", " 003 "}, d.dlg_mon = "500000000"; }, &movtik_plays::add_rep),
         "reptix"},
        // A repeated play on a lottery the window does not hold gives no line, and as the last
        // row it tells that nothing was added.
        {"repeat onto a lottery the window does not hold", {triple, [](SaleRig& r) { r.tik().tab_lot[11].codlot = "?"; }},
         with([](DlgDatos& d) { d.dlg_lotsel = {"003"}, d.dlg_mon = "0"; }, &movtik_plays::add_rep), "reptix", false},
        {"repeated cacho keeps its kind", {signs("005", "25", "A", true)},
         with([](DlgDatos& d) { d.dlg_lotsel = {"005"}, d.dlg_mon = "0"; }, &movtik_plays::add_rep), "reptix"},
        {"duplicate", {triple, [](SaleRig& r) { r.press_imprimir(); }},
         [](SaleRig& r) {
             with([&r](DlgDatos& d) {
                 d.dlg_res = eight(r.first), d.dlg_lot = "001", d.dlg_lots = "002", d.dlg_mon = "0";
             }, &movtik_plays::add_dup)(r);
         },
         "duptix"},
        {"duplicate of no ticket", {}, with([](DlgDatos& d) { d.dlg_res = "00000099"; }, &movtik_plays::add_dup), "duptix"},
        {"zodiac signs", {}, signs("004", "25", "AL"), "protkx"},
        {"every zodiac sign", {}, signs("004", "45", "ABCDEFGHIJKL"), "protkx"},
        {"a permutation of one digit", {}, signs("004", "P111", "A"), "protkx"},
        {"a permutation of two digits, two signs", {}, signs("004", "P121", "AB"), "protkx"},
        {"cacho kinds", {}, signs("005", "25", "ABC", true), "protkx"},
        {"a sign number no lottery takes", {}, signs("004 001", "12345", "A"), ""},
        {"animals", {[](SaleRig& r) { r.model().sale_time = QTime(11, 30); }},
         with([](DlgDatos& d) { d.flg_sim[2] = 1, d.flg_sim[5] = 2, d.dlg_mon = "500000000"; }, &movtik_plays::sim_tik), "protkx"},
        {"two animals", {}, with([](DlgDatos& d) { d.dlg_num1 = "05 ", d.dlg_num2 = "12", d.dlg_mon = "500000000"; }, &movtik_plays::dbl_tik),
         "protkx"},
        {"three animals", {}, with([](DlgDatos& d) { d.dlg_res = "010203", d.dlg_mon = "500000000"; }, &movtik_plays::mor_tik), "protkx"},
        // By code: Triple Caracas Zodiacal shares the first 15 characters of Triple Caracas.
        {"delete a lottery", {triple, signs("004", "25", "A"), signs("005", "25", "A", true)},
         with([](DlgDatos& d) { d.dlg_lotsel = {"001"}; }, &movtik_plays::bor_jug), "bortix"},
        {"delete every lottery", {typed("001 002", "123<enter>10<enter>")},
         with([](DlgDatos& d) { d.dlg_lotsel = {"*"}; }, &movtik_plays::bor_jug), "bortix"},
        {"delete the selected line with Delete", {typed("001 002", "123<enter>10<enter>")},
         [](SaleRig&) { type_keys("<@lt_nume><up><del>"); }, "delnux"},
        {"delete with no line selected", {triple}, [](SaleRig& r) { r.w->lt_nume_DblClick(); }, ""},
    };
    QStringList transcript;
    for (const bool lost : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (lost ? " (connection lost)" : ""));
            if (lost && !*c.proc)
                continue;
            SaleRig r;
            ASSERT_TRUE(r.open());
            for (const Step& step : c.before)
                step(r);
            r.report();
            if (lost)
                r.t.srv->fail_next(2, c.proc);
            c.act(r);
            transcript << QString("== ") + c.name + (lost ? " (connection lost)" : "") << r.report(c.agrees);
            EXPECT_EQ(r.tik().lin_zod + r.tik().lin_sim + r.tik().lin_sit, 0);
        }
    }
    SaleRig::expect_transcript(transcript, "dialog_procedures.txt");
}

// A lottery the server comes to name by a code the window does not hold (it renamed the
// lottery after the window read its catalogue), met by the cashier's keys. A line of a play
// typed or of the terminals shows without the lottery's name and counts. A repeated or
// copied play on it gives no line, tells that nothing was added when it comes last, and
// keeps its index, so that the line deleted after it takes its own play off the server; it
// stays without a line when another lottery's plays are deleted and the lines are drawn
// again. Imprimir then sends the total shown.
TEST(Plays, ALotteryTheWindowDoesNotHold)
{
    const auto renamed = [](const char* codint) {
        return [codint](SaleRig& r) {
            for (central::Lottery& lot : r.model().lotteries)
                if (lot.codint == QLatin1String(codint))
                    lot.codlot = "NEW";
        };
    };
    const Step triple = typed("001", "123<enter>10<enter>");
    // The repeat dialog ticks TRIPLE CARACAS, TRIPLE ZULIA and TRIPLE TACHIRA (001, 002, 003).
    const char* three = "<down><down><down> <down><down> <down><down><down><down> <enter>";
    // A ticket sold with plays on 001 and 002, copied onto 002 and 003.
    const Step sold = [](SaleRig& r) {
        typed("001 002", "123<enter>10<enter>")(r);
        typed("001", "45<enter>5<enter>")(r);
        r.press_imprimir();
    };
    const struct {
        const char* name;
        QList<Step> before;
        QStringList dialogs;  // the keys typed in each dialog shown, in turn
        const char* keys;
        bool agrees;  // the double's ticket holds the client's plays
    } cases[] = {
        {"a play typed", {renamed("001")}, {}, "<@lt_lote>123<enter>10<enter>", true},
        {"terminals", {renamed("001"), triple}, {"5<enter>"}, "<@tx_nume>t", true},
        {"repeated, the lottery in the middle, then the last line deleted", {triple, renamed("002")}, {three},
         "<@tx_nume>r<@lt_nume><del>", false},
        {"repeated, the lottery last", {triple, renamed("003")}, {three}, "<@tx_nume>r", false},
        {"copied", {sold, renamed("003")},
         {"76<enter><tab><tab><down><down><down> <down><down> <tab><down>5<enter>"}, "<@tx_nume>d", false},
        // The delete dialog lists TRIPLE CARACAS and TRIPLE TACHIRA: the lines are drawn again
        // without Triple Tachira's, then the last line left is deleted by its own index.
        {"repeated, the lottery in the middle, then another lottery's plays and the last line deleted",
         {triple, renamed("002")}, {three, "<down><down> <enter>"}, "<@tx_nume>r<@tx_nume>e<@lt_nume><del>", false},
    };
    QStringList transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        ASSERT_TRUE(r.open());
        r.lots("001 002");
        for (const Step& step : c.before)
            step(r);
        r.report();
        QStringList dialogs = c.dialogs;
        r.in_dialog = [&dialogs](SaleDialog*) { type_keys(dialogs.isEmpty() ? "<esc>" : dialogs.takeFirst()); };
        type_keys(c.keys);
        EXPECT_TRUE(dialogs.isEmpty());
        transcript << QString("== ") + c.name << r.report(c.agrees);
        type_keys("<esc>");
        r.settle();
        transcript << r.report(false);
    }
    SaleRig::expect_transcript(transcript, "lottery_not_held.txt");
}

// A ticket with plays typed, terminals, repeated and sign plays, a deleted line and a
// deleted lottery is committed: the double holds what the client shows and prints.
TEST(Plays, TicketOfEveryKindSold)
{
    SaleRig r;
    ASSERT_TRUE(r.open());
    typed("001 002", "123<enter>10<enter>")(r);
    typed("001", "45<enter>10<enter>")(r);
    signs("004", "25", "AB")(r);
    with([](DlgDatos& d) { d.dlg_mon = "0"; }, &movtik_plays::add_ter)(r);
    with([](DlgDatos& d) { d.dlg_lotsel = {"003"}, d.dlg_mon = "200000000"; }, &movtik_plays::add_rep)(r);
    r.w->lt_nume->setCurrentRow(1);
    r.w->del_jug();
    with([](DlgDatos& d) { d.dlg_lotsel = {"004"}; }, &movtik_plays::bor_jug)(r);
    EXPECT_EQ(r.dlg().texts(), QStringList({"¿Desea eliminar el registro seleccionado?" + blanks(5)}));
    EXPECT_EQ(r.lines().size(), 7);  // 10 appended: 2 + 1 typed, 2 signs, 2 terminals, 3 repeated
    r.agree();
    const QString total = r.w->tx_mtik->text();
    r.press_imprimir();
    EXPECT_EQ(r.state(r.first), "sold");
    ASSERT_EQ(r.t.prn->docs.size(), 1);
    EXPECT_TRUE(r.t.prn->docs[0].lines.contains("TOTAL TICKET(B):" + total)) << qPrintable(r.t.prn->docs[0].lines.join('|'));
}

// The server's forms of the symbol 0 in the numbers of a symbol lottery.
TEST(Plays, ZeroForms)
{
    // Set 1 names 99 as it names 0, set 2 otherwise, set 3 has no 99.
    const TabSim tab{{1, 1, 2, 2, 3}, {"99", "0", "99", "0", "0"}, {"Ballena", "Ballena", "Noventa", "Cero", "Cero"}};
    const struct {
        int set;
        const char *number, *shown;
    } cases[] = {{1, "0a", "0-"},   {1, "0a0512", "0-0512"}, {1, "99", "0-"}, {1, "0599", "050-"}, {1, "0a99", "0-99"},
                 {1, "1991", "1991"}, {2, "99", "99"},         {3, "99", "99"}, {1, "05", "05"}};
    for (const auto& c : cases)
        EXPECT_EQ(zero_form(tab, c.set, c.number), c.shown) << c.set << c.number;
}

// The numbers a sign play is sent for: the permutations of "P" and its three digits, each
// once, in the order of their digits' positions; "*" and two digits for every first digit.
TEST(Plays, SignNumbers)
{
    const QStringList tens = {"025", "125", "225", "325", "425", "525", "625", "725", "825", "925"};
    const struct {
        const char* typed;
        QStringList numbers;
    } cases[] = {
        {"P123", {"123", "132", "213", "231", "312", "321"}},
        {"P907", {"907", "970", "097", "079", "790", "709"}},
        {"P112", {"211", "121", "112"}}, {"P121", {"211", "121", "112"}}, {"P211", {"211", "121", "112"}},
        {"P344", {"344", "434", "443"}}, {"P111", {"111"}},
        {"*25", tens}, {"25", {"25"}}, {" 125 ", {"125"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sign_numbers(c.typed), c.numbers) << c.typed;
}

} // namespace
