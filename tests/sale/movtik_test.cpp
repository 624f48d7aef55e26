// The sale window against the central-server double: its set-up, opening a ticket, the
// lottery list and its modes, the pending-ticket watch, closing and reopening.
#include "tests/sale/sale_fixture.h"
#include "core/shell/mdi_child.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <functional>

namespace {

// The demo catalogue by draw time and by name.
const QStringList kByTime = {"008", "009", "010", "001", "004", "005", "002", "012", "006", "011", "007", "003"};
const QStringList kByName = {"005", "006", "009", "008", "011", "010", "012", "001", "004", "003", "002", "007"};
const QString kNoConexion = "No hay conexión con el servidor." + blanks(10);

// The animal lotteries of sale mode 1, in the lottery order by name; a 25-character name
// is cut to 20, so every code stands at column 61.
TEST_F(SaleTest, LoadPreparesTheWindowAndOpensTheFirstTicket)
{
    t->ses_val.lot_mnu = "S - SELVA PLUS,,C - CHANCES,";
    t->ses_val.ord_lot = 1;
    t->cfg_reg.sys_modv = "1";
    t->dat_cox.cod_dtbs = "DE$MO";
    ASSERT_TRUE(open());
    EXPECT_EQ(procs(), QStringList({"dstlot", "dsplot", "getpaq", "newtkx"}));
    EXPECT_EQ(args(t.srv->log.value(3)).mid(4), QStringList({"001", "01", "0305419896", "1", "1", "1"}));
    EXPECT_TRUE(dlg().boxes.isEmpty());
    EXPECT_EQ(dlg().pointer(), plat::ptr_default);
    EXPECT_EQ(t->tab_cat.size(), 12);
    EXPECT_EQ(listed(), QStringList({"009", "008", "010", "012"}));
    EXPECT_EQ(w->lt_lote->item(3)->text(), "SELVA PLUS ANIMALITO" + blanks(40) + "012");
    // The extras follow the thirteen play types as written, empty ones too; A ticked, and L:
    // with no lottery ticked the number field sends the cashier to the lottery list.
    ASSERT_EQ(w->lt_tipo->count(), 17);
    EXPECT_EQ(w->lt_tipo->item(14)->text() + w->lt_tipo->item(16)->text(), "");
    EXPECT_EQ(ticked(w->lt_tipo), QList<int>({7, 10}));
    EXPECT_EQ(w->tx_ntik->text(), "00000001");
    EXPECT_EQ(w->tik_cur.fec_tik, QDate::currentDate().toString("dd/MM/yyyy"));
    EXPECT_TRUE(w->timer_tik->isActive());
    EXPECT_EQ(w->windowTitle(), "Venta de Tickets   ($$$$$$$$$$$$$$$$$$$$)");
}

TEST(SaleOpen, EveryAnswerOfNewtkx)
{
    using Arrange = std::function<void(SaleRig&)>;
    const auto status = [](int code) -> Arrange { return [code](SaleRig& r) { r.model().newtkx_override = code; }; };
    const QString inactiva = "Tovaren inactiva." + blanks(15), servicio = "Servicio no esta disponible." + blanks(10);
    const QString no_lots = "No hay loterías disponibles para vender." + blanks(5);
    const struct {
        const char* name;
        Arrange arrange;
        QString box;  // empty: the ticket opens
        int style;
    } cases[] = {
        {"opened", [](SaleRig&) {}, "", 0},
        {"eight digits", [](SaleRig& r) { r.model().next_numtik = 99999999; }, "", 0},
        {"number 0", [](SaleRig& r) { r.model().next_numtik = 0; }, "Error de conexión con servidor." + blanks(10), 16},
        {"none in the sale mode", [](SaleRig& r) { r.t->cfg_reg.sys_modv = "7"; }, no_lots, 48},
        {"every draw closed", [](SaleRig& r) { r.model().sale_time = QTime(23, 0); }, no_lots, 48},
        {"1", [](SaleRig& r) { r.model().outlet.status = 2; }, inactiva, 48},
        {"2", [](SaleRig& r) { r.model().outlet.status = 1; }, "Tovaren suspendida." + blanks(15), 48},
        {"3", status(3), inactiva, 48},
        {"4", status(4), servicio, 48},
        {"6", [](SaleRig& r) { r.t->ses_val.cod_ven = "002"; }, "Tovaren no registrada." + blanks(15), 48},
        {"7", [](SaleRig& r) { r.model().outlet.quota = 0; }, "Cupo de venta agotado." + blanks(15), 48},
        {"8", status(8), servicio, 48},
        // deltik and valtkx take 8 digits: such a ticket could never be committed.
        {"nine digits", [](SaleRig& r) { r.model().next_numtik = 123456789; }, servicio, 48},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        c.arrange(r);
        r.w = r.t->win<movtik>("movtik");
        ASSERT_TRUE(r.w);
        const TikCur& tik = r.w->tik_cur;
        if (c.box.isEmpty()) {
            EXPECT_TRUE(r.dlg().boxes.isEmpty());
            EXPECT_EQ(r.w->tx_ntik->text(), QString::number(r.model().next_numtik - 1).rightJustified(8, '0'));
        } else {
            ASSERT_EQ(r.dlg().boxes.size(), 1);
            EXPECT_EQ(r.dlg().boxes[0].text, c.box);
            EXPECT_EQ(r.dlg().boxes[0].style, c.style);
            EXPECT_EQ(tik.num_tik, "0");
        }
        EXPECT_EQ(r.w->lt_lote->count(), tik.tab_lot.size());
        // The first activation closes a window without a ticket.
        r.w->show();
        SaleRig::settle();
        EXPECT_EQ(r.closed(), !c.box.isEmpty());
    }
}

TEST(SaleOpen, LostConnectionWhileLoading)
{
    for (const char* proc : {"dstlot", "dsplot", "getpaq", "newtkx"}) {
        SCOPED_TRACE(proc);
        SaleRig r;
        ASSERT_TRUE(r.open());  // an earlier window's ticket keeps no window open
        r.unload();
        r.t.srv->log.clear();
        r.t.srv->fail_next(2, proc);
        r.open();
        EXPECT_EQ(r.procs().last(), proc);
        EXPECT_EQ(r.procs().count(proc), 2);
        EXPECT_EQ(r.dlg().texts(), QStringList({kNoConexion}));
        EXPECT_EQ(r.dlg().pointer(), plat::ptr_default);
        EXPECT_TRUE(r.t->cmd_sp.params().isEmpty());
        EXPECT_TRUE(r.closed());
        EXPECT_EQ(r.t->tab_cat.size(), 12);
    }
}

// The watch checks the pending ticket every sixth tick, tried once; a ticket the server
// gave up is deleted and replaced, its lotteries ticked again when sys_rlot is "0" and
// still open.
TEST(SaleWatch, ChecksEverySixthTickAndReplacesADroppedTicket)
{
    for (const QString rlot : {"0", "1"}) {
        SaleRig r;
        r.t->cfg_reg.sys_rlot = rlot;
        ASSERT_TRUE(r.open());
        r.w->lt_lote->item(3)->setCheckState(Qt::Checked);  // TRIPLE CARACAS, 13:00
        r.w->lt_lote->item(6)->setCheckState(Qt::Checked);  // TRIPLE ZULIA, 16:45
        r.put_play("TCA", "123", 10);
        r.t.srv->log.clear();
        r.t.srv->error_next(1, "statik");
        r.tick(11);
        EXPECT_EQ(r.procs(), QStringList({"statik"}));
        EXPECT_TRUE(r.dlg().boxes.isEmpty());
        r.tick(1);
        EXPECT_EQ(r.procs(), QStringList({"statik", "statik"}));
        EXPECT_EQ(args(r.t.srv->log.value(1)), QStringList({"1"}));

        r.model().ticket(1)->fecha = QDate::currentDate().addDays(-1);
        r.model().sale_time = QTime(13, 0);  // Caracas has drawn since
        r.tick(6);
        EXPECT_EQ(r.procs().mid(2), QStringList({"statik", "deltik", "newtkx"}));
        EXPECT_EQ(args(r.t.srv->log.value(3)), QStringList({"00000001"}));
        EXPECT_EQ(r.state(1), central::Ticket::deleted);
        EXPECT_TRUE(r.dlg().boxes.isEmpty());
        EXPECT_EQ(r.w->tx_ntik->text(), "00000002");
        EXPECT_EQ(r.w->lt_nume->count(), 0);
        EXPECT_EQ(r.w->tik_cur.tot_tik, 0);
        EXPECT_EQ(r.listed(true), rlot == "0" ? QStringList({"002"}) : QStringList());
        EXPECT_TRUE(r.w->timer_tik->isActive());
    }
}

// A next ticket that does not open never leaves the lottery list and its table apart: a
// refusal empties both, an opening without a number keeps both as they were.
TEST(SaleWatch, ARefusedNextTicketKeepsListAndTableTogether)
{
    for (int lotteries : {0, 12}) {
        SaleRig r;
        ASSERT_TRUE(r.open());
        r.model().ticket(1)->fecha = QDate::currentDate().addDays(-1);
        r.model().sale_time = QTime(13, 0);  // fewer lotteries now
        if (lotteries == 0)
            r.model().newtkx_override = 7;
        else
            r.model().next_numtik = 0;
        r.tick(6);
        EXPECT_EQ(r.w->tik_cur.num_tik, "0");
        ASSERT_EQ(r.w->lt_lote->count(), lotteries);
        ASSERT_EQ(r.w->tik_cur.tab_lot.size(), lotteries);
        for (int i = 0; i < lotteries; ++i)
            EXPECT_EQ(movtik::item_codint(r.w->lt_lote->item(i)), r.w->tik_cur.tab_lot[i].codint);
    }
}

// The lottery list's modes, its order, the extras and L, as the play-type dispatch asks
// for them; each step goes on from the one before.
TEST_F(SaleTest, ListModesAndReloads)
{
    t->ses_val.lot_mnu = "S - SELVA PLUS,,C - CHANCES,d - DIA";
    ASSERT_TRUE(open());
    auto& c = w->tik_cur;
    const auto mouse = [this](int item) {
        w->lt_tipo->item(item)->setCheckState(Qt::Checked);
        w->sel_tip(13, 0, item);
    };
    const QStringList triples = {"001", "004", "005", "002", "006", "003"};
    const QStringList triples_by_name = {"005", "006", "001", "004", "003", "002"};
    const QString none = "No hay loterías disponibles." + blanks(10);
    const struct {
        const char* name;
        std::function<void()> act;
        QStringList sent;    // the modes dttlot received, in order
        QStringList listed;  // empty: as the step before left it
        QList<int> tipo;     // ticks of lt_tipo
        int mod_lot;
        QString box;
    } steps[] = {
        {"A", [&] { w->sel_tip(10, 0, 0); }, {"1"}, {"008", "009", "010", "012"}, {7, 10}, 1, ""},
        {"A again: all", [&] { w->sel_tip(10, 0, 0); }, {"0"}, kByTime, {7}, 0, ""},
        {"I", [&] { w->sel_tip(11, 0, 0); }, {"2"}, triples, {7, 11}, 2, ""},
        {"J without lotteries: back to I", [&] { model().outlet.lots_off = {"TML", "LAT"}; w->sel_tip(12, 0, 0); },
         {"3"}, triples, {7, 11}, 2, none},
        {"extra C over I: 2 x 100 + 67", [&] { w->sel_tip(13, 'c', 0); }, {"267"}, {"005", "006"}, {7, 11, 15}, 2, ""},
        {"the same letter: off", [&] { w->sel_tip(13, 'C', 0); }, {"2"}, triples, {7, 11}, 2, ""},
        {"O", [&] { w->sel_tip(9, 0, 0); }, {"2"}, triples_by_name, {7, 11}, 2, ""},
        {"extra S over I: none, back", [&] { mouse(13); }, {"283", "2"}, triples_by_name, {7, 11}, 2, none},
        {"an empty extra does nothing", [&] { mouse(14); }, {}, {}, {7, 11}, 2, ""},
        {"L in the lottery list: all",
         [&] {
             model().outlet.lots_off.clear();
             c.foc_lot = true;
             w->sel_tip(7, 0, 0);
         },
         {"0"}, kByName, {7}, 0, ""},
        // A letter code of 100 and above is never read back as a mode.
        {"extra d: 100, still all",
         [&] {
             model().lotteries[8].extra = 'd';  // LA GRANJITA
             mouse(16);
         },
         {"100"}, {"009"}, {7, 16}, 0, ""},
        {"L elsewhere: the lotteries unticked",
         [&] {
             c.foc_lot = false;
             w->lt_lote->item(0)->setCheckState(Qt::Checked);
             w->sel_tip(7, 0, 0);
         },
         {}, {}, {7, 16}, 0, ""},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        t.srv->log.clear();
        dlg().boxes.clear();
        w->tx_nume->setEditText("12");
        s.act();
        QStringList sent;
        for (const auto& call : t.srv->log) {
            EXPECT_EQ(call.proc, "dttlot");
            EXPECT_EQ(args(call)[2], QString::number(c.ord_act));
            sent << args(call)[1];
        }
        EXPECT_EQ(sent, s.sent);
        if (!s.listed.isEmpty())
            EXPECT_EQ(listed(), s.listed);
        EXPECT_EQ(w->lt_lote->count(), c.tab_lot.size());
        EXPECT_TRUE(ticked(w->lt_lote).isEmpty());
        EXPECT_EQ(ticked(w->lt_tipo), s.tipo);
        EXPECT_EQ(c.mod_lot, s.mod_lot);
        EXPECT_EQ(dlg().texts(), s.box.isEmpty() ? QStringList() : QStringList({s.box}));
        if (!s.sent.isEmpty())  // the last reload found lotteries
            EXPECT_EQ(c.flg_lot, s.box.isEmpty() || s.sent.size() > 1);
        EXPECT_EQ(w->tx_nume->currentText(), "");
        EXPECT_EQ(c.num_tik, "00000001");
    }
}

// Opening, closing and reopening: every command holds exactly its own parameters while the
// window is open and none once it closed; nothing of a closed window is left.
TEST_F(SaleTest, ReopeningLeavesNoParameterWindowOrTimer)
{
    const auto top_levels = QApplication::topLevelWidgets().size();
    for (int round = 1; round <= 3; ++round) {
        ASSERT_TRUE(open());
        put_play("TCA", "123", 10);
        QPointer<QTimer> timer = w->timer_tik;
        QStringList names;
        for (db::Command* cmd : t->commands())
            names += cmd->param_names();
        EXPECT_EQ(names.join(""), "q1z0z1z2z3z4z5z6z7z8z9z10w0w1x1x2x3x4x5x6x7x8y0y1y2y3y4y5y6");
        t.srv->log.clear();
        w->close();  // no server call: the ticket stays pending
        unload();
        EXPECT_TRUE(t.srv->log.isEmpty());
        EXPECT_EQ(state(round), central::Ticket::pending);
        EXPECT_FALSE(w);
        EXPECT_FALSE(timer);
        for (db::Command* cmd : t->commands())
            EXPECT_TRUE(cmd->params().isEmpty());
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
    put_play("TCA", "123", 10);
    model().outlet.quota = 1000000000;  // this ticket uses the quota up
    press_imprimir();
    EXPECT_EQ(dlg().texts(), QStringList({"Cupo de venta agotado." + blanks(15)}));
    ASSERT_TRUE(w && w->isVisible());

    show_mdi_child(*t, new QWidget);
    settle();
    EXPECT_TRUE(w && w->isVisible());
    area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(w->parentWidget()));
    settle();
    EXPECT_FALSE(t->is_loaded("movtik"));
    t->mdi = nullptr;
}

} // namespace
