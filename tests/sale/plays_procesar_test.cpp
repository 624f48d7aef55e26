// Procesar against the double: plays typed into the sale window, sent with protkx, and the
// lines, reports, questions and totals their answers give.
#include "tests/sale/plays_fixture.h"

namespace {

using L = PlayRig;
const QString kNoValido = "Número no es válido." + blanks(10);

// protkx's values: "lotteries kind number units [confirming first-index]".
QStringList sent(const QString& values)
{
    QStringList v = values.split(' ');
    v[3] += "00000000";
    return QStringList{"1"} + v.mid(0, 4) + QStringList{v.value(4, "0"), v.value(5, "0"), "1"};
}

TEST(PlaysProcesar, EveryLineClass)
{
    const struct {
        const char *name, *lots, *tip, *num, *amount, *call;
        QStringList lines;
        QString box;
        const char* total;
    } cases[] = {
        {"terminal", "001", "N", "12", "10", "001 N 12 10", {L::line("TRIPLE CARACAS", "Terminal      12      ", "10", 0)}, "", "10"},
        {"triple on two lotteries", "001 002", "N", "123", "10", "001002 N 123 10",
         {L::line("TRIPLE CARACAS", "Triple       123      ", "10", 0), L::line("TRIPLE ZULIA", "Triple       123      ", "10", 1)}, "", "20"},
        {"doblete", "006", "N", "1234", "10", "006 N 1234 10", {L::line("DOBLETE ORIENTE", "Doblete     1234      ", "10", 0)}, "", "10"},
        {"tripleta", "007", "N", "123456", "100", "007 N 123456 100", {L::line("TRIPLETA LA MIL", "Tripleta  123456      ", "100", 0)}, "", "100"},
        {"serie", "002", "N", "*12", "10", "002 S 12 10", {L::line("TRIPLE ZULIA", "Serie         12      ", "10", 0)}, "", "100"},
        {"corrida of one digit", "002", "N", "1*", "10", "002 C 1 10", {L::line("TRIPLE ZULIA", "Corrida        1      ", "10", 0)}, "", "100"},
        {"permutation", "001", "P", "112", "1", "001 P 112 1",
         {L::line("TRIPLE CARACAS", "Triple       112      ", "1", 0), L::line("TRIPLE CARACAS", "Triple       121      ", "1", 1),
          L::line("TRIPLE CARACAS", "Triple       211      ", "1", 2)}, "", "3"},
        {"symbol 0 answered 0a", "008", "N", "0", "2", "008 N 0- 2", {L::line("LOTTO ACTIVO", " 0-Cero               ", "2", 0)}, "", "2"},
        {"three codes", "011", "N", "010203", "1", "011 T 010203 1", {L::line("LOTTO ACTIVO TR", "01-Sim 02-Sim 03-Sim  ", "1", 0)}, "", "1"},
        {"sold out", "001", "N", "000", "10", "001 N 000 10", {L::line("TRIPLE CARACAS", "Triple       000      ", "AGOTADO", 0)},
         "TRIPLE CARACAS  000 AGOTADO." + blanks(10), "0"},
        // A short grant does not lower the amount typed (1.000 is a thousand, not one).
        {"short", "002", "N", "777", "1.000", "002 N 777 1000", {L::line("TRIPLE ZULIA", "Triple       777      ", "5", 0)},
         "TRIPLE ZULIA  777 INCOMPLETO. CUPO DISPONIBLE: 5" + blanks(10), "5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlayRig r;
        r.model().sim_zero = "0a";
        ASSERT_TRUE(r.open());
        r.lots(c.lots);
        r.tik().tip_jug = c.tip;
        r.play(c.num, c.amount);
        ASSERT_EQ(r.t.srv->calls("protkx").size(), 1) << qPrintable(r.dlg().texts().join('|'));
        EXPECT_EQ(args(r.t.srv->calls("protkx")[0]), sent(c.call));
        EXPECT_EQ(r.lines(), c.lines);
        EXPECT_EQ(r.dlg().texts(), c.box.isEmpty() ? QStringList() : QStringList{c.box});
        EXPECT_EQ(r.w->tx_mtik->text(), c.total);
        EXPECT_EQ(r.w->tx_mont->currentText(), c.amount);
        EXPECT_EQ(r.tik().can_lin, c.lines.size());
        r.agree();
        // Ready for the next play.
        EXPECT_EQ(r.w->tx_nume->currentText() + r.tik().tip_jug, "N");
        EXPECT_EQ(r.tik().cam_act, 1);
        EXPECT_EQ(r.tik().lin_sim + r.tik().lin_sit, 0);
        EXPECT_EQ(r.dlg().pointer(), plat::ptr_default);
        EXPECT_EQ(r.t->cmd_protkx.params().size(), 8);
    }
}

TEST(PlaysProcesar, RefusedAndLostPlays)
{
    using Arrange = std::function<void(PlayRig&)>;
    const Arrange none = [](PlayRig&) {};
    const Arrange perm = [](PlayRig& r) { r.tik().tip_jug = "P"; };
    const struct {
        const char* name;
        Arrange arrange;
        const char *lots, *num, *amount;
        QString box;
        const char *num_after, *amount_after;
        int calls;
    } cases[] = {
        {"no lottery", none, "", "123", "10", "No hay loterías seleccionadas." + blanks(10), "123", "", 0},
        {"ticket at its maximum", [](PlayRig& r) { r.tik().tot_tik = 1e12; }, "001", "123", "10",
         "No se pueden hacer más jugadas en este ticket." + blanks(5), "", "", 0},
        {"seven characters", none, "001", "1234567", "10", kNoValido, "", "", 0},
        {"five digits", none, "001", "12345", "10", kNoValido, "", "", 0},
        {"star in a long number", none, "001", "12*4", "10", kNoValido, "", "", 0},
        {"two stars", none, "001", "**1", "10", kNoValido, "", "", 0},
        {"star inside a triple", none, "001", "1*2", "10", kNoValido, "", "10", 0},
        {"no lottery takes it", none, "001", "1", "10", kNoValido, "1", "10", 0},
        {"symbol code of one character", none, "008", "5", "1", kNoValido, "", "", 0},
        {"amount above the maximum", none, "001", "123", "2000", "Monto no es válido." + blanks(10), "123", "1.000", 0},
        // A plain lottery that names a symbol set keeps the limits of number plays.
        {"limits of a plain lottery", [](PlayRig& r) { r.tik().tab_lot[3].codsim = 1; r.t->lim_vta.jug_mas = "500000000"; },
         "001", "12", "10", "", "", "10", 1},
        {"a lottery without its list item", [](PlayRig& r) { delete r.w->lt_lote->takeItem(11); }, "001", "123", "10", "", "", "10", 1},
        {"permutation above 500 lines", [&](PlayRig& r) { perm(r); r.tik().can_lin = 489; }, "001 002", "123", "1",
         "Esta permuta genera demasiadas jugadas. Seleccione menos loterías." + blanks(10), "123", "1", 0},
        {"permutation of 500 lines", [&](PlayRig& r) { perm(r); r.tik().can_lin = 488; }, "001 002", "123", "1", "", "", "1", 1},
        // A serie refused at its amount is not one any more once the number has no "*".
        {"a plain number after a refused serie",
         [](PlayRig& r) { r.play("*12", "0"); r.dlg().boxes.clear(); r.tik().cam_act = 1; }, "001", "12", "10", "", "", "10", 1},
        // The number stays for another try once the connection is back.
        {"connection lost", [](PlayRig& r) { r.t.srv->fail_next(2, "protkx"); }, "002", "777", "10",
         "No hay conexión con el servidor." + blanks(10), "777", "10", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlayRig r;
        ASSERT_TRUE(r.open());
        r.lots(c.lots);
        c.arrange(r);
        r.play(c.num, c.amount);
        EXPECT_EQ(r.t.srv->calls("protkx").size(), c.calls);
        EXPECT_EQ(r.dlg().texts(), c.box.isEmpty() ? QStringList() : QStringList{c.box});
        EXPECT_EQ(r.w->tx_nume->currentText(), c.num_after);
        EXPECT_EQ(r.w->tx_mont->currentText(), c.amount_after);
        EXPECT_EQ(r.dlg().pointer(), plat::ptr_default);
        EXPECT_EQ(r.tik().can_jug > 0, c.calls == 1);
        if (c.calls == 1)
            EXPECT_EQ(r.tik().jug_tik[0].tipo, "N");
    }
}

// A short serie asks whether to sell what it can; OK sends the confirmation for its own
// lottery and every number sold becomes a line after the serie's own record.
TEST(PlaysProcesar, ShortSerieAsksAndConfirms)
{
    const QString question = "TRIPLE CARACAS SERIE 12 INCOMPLETA.\r\rNUMEROS FALTANTES:\r\r512 : 2\r\r"
                             "¿DESEA PROCESAR LA JUGADA INCOMPLETA?" + blanks(15);
    for (const int answer : {plat::ans_ok, plat::ans_cancel}) {
        SCOPED_TRACE(answer);
        PlayRig r;
        ASSERT_TRUE(r.open());
        r.lots("001");
        r.dlg().answers = {answer};
        r.play("*12", "10");
        EXPECT_EQ(r.dlg().texts(), QStringList({question}));
        EXPECT_EQ(r.dlg().boxes[0].style, 33);
        const QList<central::Call> calls = r.t.srv->calls("protkx");
        EXPECT_EQ(args(calls.last()), sent(answer == plat::ans_ok ? "001 S 12 10 1 1" : "001 S 12 10"));
        QStringList lines;
        if (answer == plat::ans_ok) {
            for (int d = 0; d <= 9; ++d)
                lines << L::line("TRIPLE CARACAS", "Triple       " + QString::number(d) + "12      ", d == 5 ? "2" : "10", d + 1);
        }
        EXPECT_EQ(calls.size(), answer == plat::ans_ok ? 2 : 1);
        EXPECT_EQ(r.lines(), lines);
        EXPECT_EQ(r.w->tx_mtik->text(), answer == plat::ans_ok ? "92" : "0");
        EXPECT_EQ(r.tik().jug_tik[0].stajug, "A");  // the serie, recorded sold out
        r.agree();
    }
}

// Answers the double does not give by itself: markers, unknown lotteries, missing-number
// lists.
TEST(PlaysProcesar, AnswerRows)
{
    using Rows = QList<QVariantList>;  // codlot, numero, tipo, monto (units), numago
    const QString ask = "\r\rNUMEROS FALTANTES:\r\r", tail = "\r¿DESEA PROCESAR LA JUGADA INCOMPLETA?" + blanks(15);
    const struct {
        const char *name, *lots;
        Rows rows;
        QStringList boxes, lines;
        int records;
        int confirms;  // confirming calls: one, for the first row's lottery
    } cases[] = {
        {"no rows", "001", {}, {}, {}, 0, 0},
        {"markers after a line", "001 002 003", {{"TCA", "123", "N", 10, ""}, {"***", "123", "", 0, ""}, {"***", "******", "", 0, ""}},
         {"Lotería cerrada." + blanks(10), "No se pueden incluir más jugadas para este sorteo en este ticket." + blanks(5)},
         {L::line("TRIPLE CARACAS", "Triple       123      ", "10", 0)}, 1, 0},
        {"a lottery the ticket does not hold", "001", {{"XYZ", "123", "N", 10, ""}, {"XYZ", "12", "S", 0, "512:0%"}}, {},
         {L::line("", "Triple       123      ", "10", 0)}, 2, 0},
        {"nothing listed", "001", {{"TCA", "12", "S", 1, "%512:0%"}}, {"TRIPLE CARACAS SERIE 12 INCOMPLETA." + ask + tail}, {}, 1, 1},
        {"two short corridas", "001 002", {{"TCA", "12", "C", 0, "120:0%121:2.5%"}, {"TZU", "12", "C", 0, "*"}},
         {"TRIPLE CARACAS CORRIDA 12 INCOMPLETA." + ask + "120 : 0\r121 : 2.5\r" + tail, "TRIPLE ZULIA CORRIDA 12 AGOTADO." + blanks(10)},
         {}, 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlayRig r;
        ASSERT_TRUE(r.open());
        r.lots(c.lots);
        r.t.srv->register_procedure("protkx", [rows = c.rows](central::Request& q) {
            auto& rs = q.rows({"codlot", "numero", "tipo", "monto", "numago"});
            for (QVariantList row : q.arg(5).toInt() == 0 ? rows : Rows()) {
                row[3] = row[3].toLongLong() * 100000000;
                rs.rows << row;
            }
            return true;
        });
        r.play("123", "10");
        EXPECT_EQ(r.dlg().texts(), c.boxes);
        EXPECT_EQ(r.lines(), c.lines);
        EXPECT_EQ(r.tik().can_jug, c.records);
        const QList<central::Call> calls = r.t.srv->calls("protkx");
        ASSERT_EQ(calls.size(), 1 + c.confirms);
        if (c.confirms)
            EXPECT_EQ(args(calls[1]).mid(1, 3), QStringList({"001", c.rows[0][2].toString(), "12"}));
    }
}

} // namespace
