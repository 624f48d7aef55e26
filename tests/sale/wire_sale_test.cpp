// The sale window over the wire, as scripts/run opens it: the demo cashier logs in through
// the TDS endpoint, the menu opens the sale window on the demo catalogue, and a ticket is
// committed and printed.
#include "tests/e2e/wire_app.h"
#include "sale/ticket/movtik.h"

namespace {

using namespace e2e;

TEST(WireSale, LoginOpenAndSell)
{
    WireApp a(true);
    ASSERT_TRUE(a.up()) << qPrintable(a.error);
    QPointer<conexion> c = a.app->win<conexion>("conexion");
    c->show();
    log_in(c, "CAJERO", "CLAVE", "DEMO");
    ASSERT_EQ(a.app->ses_val.cod_caj, "01");

    a.app->mnu.value("mov_tik")->trigger();
    ASSERT_TRUE(a.app->is_loaded("movtik"));
    auto* w = a.app->win<movtik>("movtik");
    EXPECT_TRUE(a.dlg->boxes.isEmpty()) << qPrintable(a.dlg->texts().join('|'));
    EXPECT_EQ(a.procs().mid(3), QStringList({"dstlot", "dsplot", "getpaq", "newtkx"}));
    EXPECT_EQ(w->tx_ntik->text(), "00000001");
    EXPECT_EQ(w->tik_cur.fec_tik, QDate::currentDate().toString("dd/MM/yyyy"));
    EXPECT_EQ(w->lt_lote->count(), 12);

    // One play of 10 on Triple Caracas, as play registration leaves it, committed.
    a.arrange([](central::Server& s) { s.model.ticket(1)->plays << central::Play{0, "TCA", "N", "123", 1000000000}; });
    w->tik_cur.tot_tik = 1000000000;
    w->b_imprimir->click();
    EXPECT_TRUE(a.dlg->boxes.isEmpty()) << qPrintable(a.dlg->texts().join('|'));
    EXPECT_EQ(a.procs().mid(7), QStringList({"valtkx", "getpaq", "newtkx"}));
    EXPECT_EQ(dynamic_cast<fake::Printers&>(a.app->prn).docs.value(0).lines.mid(2, 2),
              QStringList({"TICKT:1 SERIAL:10000001", "TRIPLE CARACAS 13:00"}));
    EXPECT_EQ(w->tx_ntik->text(), "00000002");

    a.app->unload("movtik");
    delete c.data();
}

} // namespace
