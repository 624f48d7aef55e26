// The sale window against the central-server double: its set-up, opening a ticket, the
// lottery list and its modes, the pending-ticket watch, closing and reopening.
#include "tests/sale/sale_fixture.h"
#include "core/shared/twips.h"
#include "core/shell/mdi_child.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QScreen>
#include <functional>

namespace {

// The demo catalogue by draw time and by name.
const QStringList kCatalogue = {"008", "009", "010", "001", "004", "005", "002", "012", "006", "011", "007", "003"};
const QStringList kByName = {"005", "006", "009", "008", "011", "010", "012", "001", "004", "003", "002", "007"};

TEST_F(SaleTest, LoadPreparesTheWindowAndOpensTheFirstTicket)
{
    t->ses_val.lot_mnu = "S - SELVA PLUS,,C - CHANCES,";
    t->dat_cox.cod_dtbs = "DE$MO";
    ASSERT_TRUE(open());

    EXPECT_EQ(t.srv->procs(), QStringList({"dstlot", "dsplot", "getpaq", "newtkx"}));
    EXPECT_EQ(args(t.srv->calls("dstlot")[0]), QStringList({"0", "1"}));
    EXPECT_EQ(args(t.srv->calls("getpaq")[0]), QStringList({"001"}));
    EXPECT_EQ(args(t.srv->calls("newtkx")[0]).mid(4), QStringList({"001", "01", "0305419896", "0", "1", "0"}));
    EXPECT_TRUE(dlg().boxes.isEmpty()) << qPrintable(dlg().texts().join('|'));
    EXPECT_EQ(dlg().pointer(), plat::ptr_default);

    // Play types: the thirteen, then the extras as written, empty ones included; N ticked.
    const QStringList types = items(w->lt_tipo);
    ASSERT_EQ(types.size(), 17);
    EXPECT_EQ(types.mid(10, 3), QStringList({"A - ANIMALITOS", "I - TPL/TER/ZOD", "J - TRIPLETA"}));
    EXPECT_EQ(types.mid(13), QStringList({"S - SELVA PLUS", "", "C - CHANCES", ""}));
    EXPECT_EQ(ticked(w->lt_tipo), QList<int>({0}));

    // The prepared commands.
    EXPECT_EQ(t->cmd_getpaq.param_names(), QStringList({"q1"}));
    EXPECT_EQ(t->cmd_statik.param_names(), QStringList({"w0", "w1"}));
    EXPECT_EQ(t->cmd_protkx.param_names(), QStringList({"x1", "x2", "x3", "x4", "x5", "x6", "x7", "x8"}));
    EXPECT_EQ(t->cmd_valtkx.param_names(), QStringList({"y0", "y1", "y2", "y3", "y4", "y5", "y6"}));
    EXPECT_EQ(t->cmd_newtkx.param_names().size(), 11);
    EXPECT_TRUE(t->cmd_sp.params().isEmpty());

    // The catalogue, the limits, the ticket and its lotteries in draw order; a 25-character
    // name is cut to 20, so every code stands at column 61.
    EXPECT_EQ(t->tab_cat.size(), 12);
    EXPECT_EQ(w->tik_cur.can_cat, 12);
    EXPECT_EQ(t->lim_vta.vta_max, "1000000000000");
    EXPECT_EQ(t->lim_vta.jug_mayor, "100000000000");
    EXPECT_EQ(w->tx_ntik->text(), "00000001");
    EXPECT_EQ(w->tx_mtik->text(), "0");
    EXPECT_EQ(w->tik_cur.ser_tik, "10000001");
    EXPECT_EQ(w->tik_cur.fec_tik, QDate::currentDate().toString("dd/MM/yyyy"));
    EXPECT_EQ(listed(), kCatalogue);
    for (const QString& text : items(w->lt_lote))
        EXPECT_EQ(text.size(), 63) << qPrintable(text);
    EXPECT_EQ(w->lt_lote->item(7)->text(), "SELVA PLUS ANIMALITO" + blanks(40) + "012");
    EXPECT_EQ(w->lt_lote->currentRow(), -1);

    EXPECT_TRUE(w->timer_tik->isActive());
    EXPECT_EQ(w->timer_tik->interval(), 30000);
    EXPECT_EQ(w->windowTitle(), "Venta de Tickets   ($$$$$$$$$$$$$$$$$$$$)");
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int place = screen->geometry().width() * 15 > 12000 ? 500 : 50;
    EXPECT_EQ(w->pos(), QPoint(tw(place), tw(place)));
    EXPECT_TRUE(w->lx_nume->isHidden());
    EXPECT_EQ(w->lx_nume->columnWidth(0), tw(3300));
    EXPECT_FALSE(closed());
}

TEST(SaleOpen, EveryAnswerOfNewtkx)
{
    using Arrange = std::function<void(SaleRig&)>;
    const auto status = [](int code) -> Arrange { return [code](SaleRig& r) { r.model().newtkx_override = code; }; };
    struct Case {
        const char* name;
        Arrange arrange;
        QString box;  // empty: the ticket opens
        int style;
    };
    const QString inactiva = "Tovaren inactiva." + blanks(15);
    const QString servicio = "Servicio no esta disponible." + blanks(10);
    const Case cases[] = {
        {"opened", [](SaleRig&) {}, "", 0},
        {"eight digits", [](SaleRig& r) { r.model().next_numtik = 99999999; }, "", 0},
        {"ticket number 0", [](SaleRig& r) { r.model().next_numtik = 0; }, "Error de conexión con servidor." + blanks(10), 16},
        {"no lottery in the sale mode", [](SaleRig& r) { r.t->cfg_reg.sys_modv = "7"; },
         "No hay loterías disponibles para vender." + blanks(5), 48},
        {"every draw closed", [](SaleRig& r) { r.model().sale_time = QTime(23, 0); },
         "No hay loterías disponibles para vender." + blanks(5), 48},
        {"1 inactive", [](SaleRig& r) { r.model().outlet.status = 2; }, inactiva, 48},
        {"2 suspended", [](SaleRig& r) { r.model().outlet.status = 1; }, "Tovaren suspendida." + blanks(15), 48},
        {"3", status(3), inactiva, 48},
        {"4", status(4), servicio, 48},
        {"5", status(5), servicio, 48},
        {"6 not registered", [](SaleRig& r) { r.t->ses_val.cod_ven = "002"; }, "Tovaren no registrada." + blanks(15), 48},
        {"7 quota", [](SaleRig& r) { r.model().outlet.quota = 0; }, "Cupo de venta agotado." + blanks(15), 48},
        {"8", status(8), servicio, 48},
        // deltik and valtkx take 8 digits: such a ticket could never be committed.
        {"nine digits", [](SaleRig& r) { r.model().next_numtik = 123456789; }, servicio, 48},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        c.arrange(r);
        ASSERT_TRUE(r.t->win<movtik>("movtik"));
        r.w = r.t->win<movtik>("movtik");
        const TikCur& tik = r.w->tik_cur;
        if (c.box.isEmpty()) {
            EXPECT_TRUE(r.dlg().boxes.isEmpty()) << qPrintable(r.dlg().texts().join('|'));
            EXPECT_EQ(tik.num_tik, r.w->tx_ntik->text());
            EXPECT_EQ(tik.num_tik.size(), 8);
            EXPECT_EQ(r.w->lt_lote->count(), tik.tab_lot.size());
            EXPECT_GT(tik.tab_lot.size(), 0);
        } else {
            ASSERT_EQ(r.dlg().boxes.size(), 1) << qPrintable(r.dlg().texts().join('|'));
            EXPECT_EQ(r.dlg().boxes[0].text, c.box);
            EXPECT_EQ(r.dlg().boxes[0].style, c.style);
            EXPECT_EQ(r.dlg().boxes[0].title, "Tovaren");
            EXPECT_EQ(tik.num_tik, "0");
            // The list and its table always agree.
            EXPECT_EQ(r.w->lt_lote->count(), tik.tab_lot.size());
        }
        EXPECT_EQ(r.dlg().pointer(), plat::ptr_default);
        // The first activation closes a window without a ticket.
        r.w->show();
        SaleRig::settle();
        EXPECT_EQ(r.closed(), !c.box.isEmpty());
    }
}

TEST(SaleOpen, LostConnectionWhileLoading)
{
    const struct {
        const char* proc;
        QStringList calls;
    } cases[] = {
        {"dstlot", {"dstlot", "dstlot"}},
        {"dsplot", {"dstlot", "dsplot", "dsplot"}},
        {"getpaq", {"dstlot", "dsplot", "getpaq", "getpaq"}},
        {"newtkx", {"dstlot", "dsplot", "getpaq", "newtkx", "newtkx"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.proc);
        SaleRig r;
        // A ticket of an earlier opening keeps no window open.
        ASSERT_TRUE(r.open());
        r.unload();
        r.t.srv->log.clear();
        r.t.srv->fail_next(2, c.proc);
        ASSERT_TRUE(r.t->win<movtik>("movtik"));
        EXPECT_EQ(r.t->win<movtik>("movtik")->tik_cur.num_tik, "0");
        r.open();
        EXPECT_EQ(r.t.srv->procs(), c.calls);
        EXPECT_EQ(r.dlg().texts(), QStringList({kNoConexion}));
        EXPECT_EQ(r.dlg().boxes[0].style, 16);
        EXPECT_EQ(r.t->flg_nocox, 1);
        EXPECT_EQ(r.dlg().pointer(), plat::ptr_default);
        EXPECT_TRUE(r.t->cmd_sp.params().isEmpty());
        EXPECT_TRUE(r.closed());
        EXPECT_EQ(r.t->tab_cat.size(), 12);  // an earlier catalogue stays
    }
}

// Open lotteries are taken by the configured sale mode and listed in the lottery order.
TEST(SaleOpen, SaleModeAndLotteryOrder)
{
    const struct {
        QString sys_modv;
        int ord_lot;
        QStringList listed;
    } cases[] = {
        {"0", 0, kCatalogue},
        {"1", 0, {"008", "009", "010", "012"}},
        {"2", 0, {"001", "004", "005", "002", "006", "011", "007", "003"}},
        {"0", 1, kByName},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.sys_modv + "/" + QString::number(c.ord_lot)));
        SaleRig r;
        r.t->cfg_reg.sys_modv = c.sys_modv;
        r.t->ses_val.ord_lot = c.ord_lot;
        ASSERT_TRUE(r.open());
        EXPECT_EQ(r.listed(), c.listed);
        EXPECT_EQ(r.w->tik_cur.mod_lot, c.sys_modv.toInt());
        EXPECT_EQ(r.ticked(r.w->lt_tipo), c.sys_modv == "0" ? QList<int>({0}) : QList<int>({0, 9 + c.sys_modv.toInt()}));
        EXPECT_EQ(args(r.t.srv->calls("newtkx")[0]).mid(7), QStringList({QString::number(c.ord_lot), "1", c.sys_modv}));
    }
}

// The watch checks the pending ticket every sixth tick; a ticket the server gave up is
// deleted and replaced, the lotteries ticked again when sys_rlot is "0" and still open.
TEST(SaleWatch, ChecksEverySixthTickAndReplacesADroppedTicket)
{
    for (const QString rlot : {"0", "1"}) {
        SCOPED_TRACE(qPrintable(rlot));
        SaleRig r;
        r.t->cfg_reg.sys_rlot = rlot;
        ASSERT_TRUE(r.open());
        r.w->lt_lote->item(3)->setCheckState(Qt::Checked);  // TRIPLE CARACAS, 13:00
        r.w->lt_lote->item(6)->setCheckState(Qt::Checked);  // TRIPLE ZULIA, 16:45
        r.put_play("TCA", "123", 10);
        r.t.srv->log.clear();

        r.tick(5);
        EXPECT_TRUE(r.t.srv->log.isEmpty());
        r.tick(1);
        ASSERT_EQ(r.t.srv->procs(), QStringList({"statik"}));
        EXPECT_EQ(args(r.t.srv->calls("statik")[0]), QStringList({"1"}));
        EXPECT_TRUE(r.w->timer_tik->isActive());

        // Not answered: no message, no reconnect; the next check six ticks later.
        r.t.srv->error_next(1, "statik");
        r.tick(6);
        r.tick(5);
        EXPECT_EQ(r.t.srv->procs().size(), 2);
        EXPECT_EQ(r.t->flg_nocox, 0);

        // The server gave the ticket up (left from yesterday); Caracas has drawn since.
        r.model().ticket(1)->fecha = QDate::currentDate().addDays(-1);
        r.model().sale_time = QTime(13, 0);
        r.tick(1);
        EXPECT_EQ(r.t.srv->procs().mid(2), QStringList({"statik", "deltik", "newtkx"}));
        EXPECT_EQ(args(r.t.srv->calls("deltik")[0]), QStringList({"00000001"}));
        EXPECT_EQ(r.state(1), central::Ticket::deleted);
        EXPECT_TRUE(r.dlg().boxes.isEmpty()) << qPrintable(r.dlg().texts().join('|'));
        EXPECT_EQ(r.w->tx_ntik->text(), "00000002");
        EXPECT_EQ(r.w->tx_mtik->text(), "0");
        EXPECT_EQ(r.w->lt_nume->count(), 0);
        EXPECT_EQ(r.w->tik_cur.tot_tik, 0);
        EXPECT_EQ(r.w->tik_cur.can_jug, 0);
        const QStringList retick = rlot == "0" ? QStringList({"002"}) : QStringList();
        QStringList now;
        for (int row : r.ticked(r.w->lt_lote))
            now << movtik::item_codint(r.w->lt_lote->item(row));
        EXPECT_EQ(now, retick);
        EXPECT_TRUE(r.w->timer_tik->isActive());

        // Answers other than 1 change nothing.
        for (int answer : {0, 2}) {
            r.model().ticket(2)->state = answer == 0 ? central::Ticket::pending : central::Ticket::sold;
            r.tick(6);
            EXPECT_EQ(r.t.srv->procs().last(), "statik");
            EXPECT_EQ(r.w->tx_ntik->text(), "00000002");
        }
    }
}

// A next ticket that does not open never leaves the lottery list and its table apart: a
// refusal empties both, an opening without a number keeps both as they were.
TEST(SaleWatch, ARefusedNextTicketKeepsListAndTableTogether)
{
    const struct {
        const char* name;
        std::function<void(central::Model&)> refuse;
        int lotteries;
    } cases[] = {
        {"refused", [](central::Model& m) { m.newtkx_override = 7; }, 0},
        {"no number", [](central::Model& m) { m.next_numtik = 0; }, 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        ASSERT_TRUE(r.open());
        r.model().ticket(1)->fecha = QDate::currentDate().addDays(-1);
        r.model().sale_time = QTime(13, 0);  // fewer lotteries now
        c.refuse(r.model());
        r.tick(6);
        EXPECT_EQ(r.w->tik_cur.num_tik, "0");
        ASSERT_EQ(r.w->lt_lote->count(), c.lotteries);
        ASSERT_EQ(r.w->tik_cur.tab_lot.size(), c.lotteries);
        for (int i = 0; i < c.lotteries; ++i) {
            EXPECT_EQ(movtik::item_codint(r.w->lt_lote->item(i)), r.w->tik_cur.tab_lot[i].codint);
            EXPECT_EQ(movtik::item_index(r.w->lt_lote->item(i)), i);
        }
    }
}

// A check that falls due while a message box is open waits: the ticket does not change
// under the handler that showed it.
TEST_F(SaleTest, WatchWaitsWhileAModalBoxIsOpen)
{
    model().set_param("VENTIK_MIN", "1000000000");
    ASSERT_TRUE(open());
    put_play("TCA", "123", 5);  // below the minimum: Imprimir shows its message
    tick(5);
    t.srv->log.clear();
    dlg().on_box = [this](const fake::Box&) { tick(3); };
    press_imprimir();
    dlg().on_box = nullptr;
    EXPECT_EQ(t.srv->procs(), QStringList({"deltik", "getpaq", "newtkx"}));
    tick(1);
    EXPECT_EQ(t.srv->procs().last(), "statik");
    EXPECT_EQ(args(t.srv->calls("statik")[0]), QStringList({"2"}));
}

// The lottery list's modes, its order, the extras and L, as the play-type dispatch asks
// for them; each step goes on from the one before.
TEST_F(SaleTest, ListModesAndReloads)
{
    t->ses_val.lot_mnu = "S - SELVA PLUS,,C - CHANCES,d - DIA";
    ASSERT_TRUE(open());
    auto& c = w->tik_cur;
    const QStringList animals = {"008", "009", "010", "012"};
    const QStringList triples = {"001", "004", "005", "002", "006", "003"};
    const QString none = "No hay loterías disponibles." + blanks(10);
    struct Step {
        const char* name;
        std::function<void()> act;
        QStringList sent;     // the modes dttlot received, in order
        QStringList listed;   // empty: as the step before left it
        QList<int> tipo;      // ticks of lt_tipo
        int mod_lot;
        QString box;
    };
    const Step steps[] = {
        {"A", [&] { w->sel_tip(10, 0, 0); }, {"1"}, animals, {0, 10}, 1, ""},
        {"A again: all", [&] { w->sel_tip(10, 0, 0); }, {"0"}, kCatalogue, {0}, 0, ""},
        {"I", [&] { w->sel_tip(11, 0, 0); }, {"2"}, triples, {0, 11}, 2, ""},
        {"J without lotteries: back to I",
         [&] {
             model().outlet.lots_off = {"TML", "LAT"};
             w->sel_tip(12, 0, 0);
         },
         {"3"}, {}, {0, 11}, 2, none},
        {"J not offered", [&] { c.hab_trp = false; w->sel_tip(12, 0, 0); }, {}, {}, {0, 11}, 2, ""},
        {"extra C over I: 2 x 100 + 67",
         [&] { w->sel_tip(13, 'c', 0); }, {"267"}, {"005", "006"}, {7, 11, 15}, 2, ""},
        {"the same letter: off", [&] { w->sel_tip(13, 'C', 0); }, {"2"}, triples, {7, 11}, 2, ""},
        {"a letter no extra has", [&] { w->sel_tip(13, 'Q', 0); }, {"2"}, triples, {7, 11}, 2, ""},
        {"O", [&] { w->sel_tip(9, 0, 0); }, {"2"}, {"005", "006", "001", "004", "003", "002"}, {7, 11}, 2, ""},
        {"extra S by mouse over I: no lottery, back",
         [&] {
             w->lt_tipo->item(13)->setCheckState(Qt::Checked);
             w->sel_tip(13, 0, 13);
         },
         {"283", "2"}, {"005", "006", "001", "004", "003", "002"}, {7, 11}, 2, none},
        {"an empty extra does nothing",
         [&] {
             w->lt_tipo->item(14)->setCheckState(Qt::Checked);
             w->sel_tip(13, 0, 14);
         },
         {}, {}, {7, 11}, 2, ""},
        {"L in the lottery list: all",
         [&] {
             model().outlet.lots_off.clear();
             c.foc_lot = true;
             w->sel_tip(7, 0, 0);
         },
         {"0"}, kByName, {7}, 0, ""},
        {"extra S by mouse over all: 83",
         [&] {
             w->lt_tipo->item(13)->setCheckState(Qt::Checked);
             w->sel_tip(13, 0, 13);
         },
         {"83"}, {"012"}, {7, 13}, 0, ""},
        {"L in the lottery list leaves the extra", [&] { w->sel_tip(7, 0, 0); }, {"0"}, {}, {7}, 0, ""},
        // A letter code of 100 and above is never read back as a mode.
        {"extra d by mouse: 100, still all",
         [&] {
             model().lotteries[8].extra = 'd';  // LA GRANJITA
             w->lt_tipo->item(16)->setCheckState(Qt::Checked);
             w->sel_tip(13, 0, 16);
         },
         {"100"}, {"009"}, {7, 16}, 0, ""},
        {"A from there", [&] { w->sel_tip(10, 0, 0); }, {"1"}, {"009", "008", "010", "012"}, {7, 10}, 1, ""},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        t.srv->log.clear();
        dlg().boxes.clear();
        s.act();
        QStringList sent;
        for (const auto& call : t.srv->calls("dttlot")) {
            EXPECT_EQ(args(call)[0], "001");
            EXPECT_EQ(args(call)[2], QString::number(c.ord_act));
            sent << args(call)[1];
        }
        EXPECT_EQ(sent, s.sent);
        if (!s.listed.isEmpty())
            EXPECT_EQ(listed(), s.listed);
        EXPECT_EQ(w->lt_lote->count(), c.tab_lot.size());
        EXPECT_EQ(ticked(w->lt_tipo), s.tipo);
        EXPECT_EQ(c.mod_lot, s.mod_lot);
        EXPECT_EQ(dlg().texts(), s.box.isEmpty() ? QStringList() : QStringList({s.box}));
        if (!s.sent.isEmpty())  // the last reload found lotteries
            EXPECT_EQ(c.flg_lot, s.box.isEmpty() || s.sent.size() > 1);
        EXPECT_EQ(w->lt_tipo->currentRow(), -1);
        EXPECT_EQ(w->tik_cur.num_tik, "00000001");  // the ticket is untouched
    }
}

// L outside the lottery list only clears the ticks and goes there; a reload drops ticks.
TEST_F(SaleTest, PlayTypeLClearsTheLotteries)
{
    ASSERT_TRUE(open());
    w->tx_nume->setEditText("123");
    w->lt_lote->item(3)->setCheckState(Qt::Checked);
    w->lt_lote->item(6)->setCheckState(Qt::Checked);
    w->lt_tipo->item(10)->setCheckState(Qt::Checked);
    t.srv->log.clear();
    w->sel_tip(7, 0, 0);
    EXPECT_TRUE(t.srv->log.isEmpty());
    EXPECT_TRUE(ticked(w->lt_lote).isEmpty());
    EXPECT_EQ(ticked(w->lt_tipo), QList<int>({7, 10}));
    EXPECT_EQ(w->tx_nume->currentText(), "");
}

// Ticking the lottery list: only lotteries of one kind together, at most 31.
TEST_F(SaleTest, LotteryTicksKeepOneKind)
{
    ASSERT_TRUE(open());
    const auto tick_code = [this](const QString& code) {
        w->lt_lote->item(listed().indexOf(code))->setCheckState(Qt::Checked);
    };
    tick_code("001");
    tick_code("002");
    EXPECT_EQ(ticked(w->lt_lote), QList<int>({3, 6}));
    tick_code("008");  // an animal lottery unticks the triples
    EXPECT_EQ(ticked(w->lt_lote), QList<int>({0}));

    // At most 31 ticked.
    unload();
    for (int i = 0; i < 31; ++i) {
        central::Lottery l = model().lotteries[0];
        l.codint = QString::number(100 + i);
        l.codlot = "T" + l.codint;
        model().lotteries << l;
    }
    ASSERT_TRUE(open());
    for (int row = 0; row < 32; ++row)
        w->lt_lote->item(listed().indexOf(row == 0 ? "001" : QString::number(99 + row)))->setCheckState(Qt::Checked);
    EXPECT_EQ(ticked(w->lt_lote).size(), 31);
}

TEST_F(SaleTest, LotteryLookupByCode)
{
    ASSERT_TRUE(open());
    auto& tab = w->tik_cur.tab_lot;
    tab[5].codlot = "TCA";  // a code two rows share: the first wins
    EXPECT_EQ(w->idx_lot("TCA"), 3);
    EXPECT_EQ(w->idx_lot("tca"), -1);
    EXPECT_EQ(w->idx_lot("TCA "), -1);
    EXPECT_EQ(w->idx_lot("LAC"), 0);
    EXPECT_EQ(w->idx_lot("XXX"), -1);
}

// Opening, closing and reopening: every command holds exactly its own parameters while the
// window is open and none once it closed; nothing of a closed window is left.
TEST_F(SaleTest, ReopeningLeavesNoParameterWindowOrTimer)
{
    const auto top_levels = QApplication::topLevelWidgets().size();
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(open());
        put_play("TCA", "123", 10);
        QPointer<QTimer> timer = w->timer_tik;
        EXPECT_EQ(t->cmd_getpaq.param_names(), QStringList({"q1"}));
        EXPECT_EQ(t->cmd_statik.param_names(), QStringList({"w0", "w1"}));
        EXPECT_EQ(t->cmd_protkx.param_names().size(), 8);
        EXPECT_EQ(t->cmd_valtkx.param_names().size(), 7);
        EXPECT_EQ(t->cmd_newtkx.param_names().size(), 11);
        EXPECT_EQ(items(w->lt_tipo).size(), 15);
        EXPECT_EQ(w->lx_nume->columnCount(), 1);
        t.srv->log.clear();
        w->close();  // the cashier closes it: no server call, the ticket stays pending
        settle();
        EXPECT_TRUE(t.srv->log.isEmpty());
        EXPECT_EQ(state(round + 1), central::Ticket::pending);
        unload();
        EXPECT_FALSE(w);
        EXPECT_FALSE(timer);
        for (db::Command* cmd : t->commands())
            EXPECT_TRUE(cmd->params().isEmpty()) << qPrintable(cmd->command_text);
        EXPECT_EQ(QApplication::topLevelWidgets().size(), top_levels);
    }
}

// In the main window's MDI area the window closes at its next activation when the ticket
// after a commit could not be opened.
TEST_F(SaleTest, ClosesAtTheNextActivationWithoutATicket)
{
    QMdiArea area;
    t->mdi = &area;
    area.show();
    w = t->win<movtik>("movtik");
    show_mdi_child(*t, w);
    settle();
    ASSERT_TRUE(w && w->isVisible());
    put_play("TCA", "123", 10);
    model().outlet.quota = 1000000000;  // 10 units: this ticket uses it up
    press_imprimir();
    EXPECT_EQ(dlg().texts(), QStringList({"Cupo de venta agotado." + blanks(15)}));
    EXPECT_EQ(w->tik_cur.num_tik, "0");
    ASSERT_TRUE(w && w->isVisible());  // until it is activated again

    auto* other = new QWidget;
    show_mdi_child(*t, other);
    settle();
    EXPECT_TRUE(w && w->isVisible());
    area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(w->parentWidget()));
    settle();
    EXPECT_TRUE(closed());
    EXPECT_FALSE(t->is_loaded("movtik"));
    t->mdi = nullptr;
}

} // namespace
