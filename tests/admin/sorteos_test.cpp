// The lotteries offered: a window of its own, ticked from the server's states (the save
// is tested with the permissions' in permisos_test.cpp).
#include "admin/sorteos.h"
#include "tests/admin/users_deposits.h"

#include <QMdiArea>

namespace {

TEST(Sorteos, OpensAsAWindowOfItsOwnTickedFromTheStates)
{
    AdminShell s;
    // Five lotteries, one code blank-filled as a CHAR column sends it; two switched off.
    s.model().lotteries.resize(5);
    for (int k = 0; k < 5; ++k) {
        s.model().lotteries[k].codint = k == 2 ? "L3 " : QString("L%1").arg(k + 1);
        s.model().lotteries[k].nomlot = QString("LOTERIA %1").arg(k + 1);
    }
    s.model().outlet.lots_off = {"L1", "L3"};
    auto* w = s.open<sorteos>("sorteo", "sorteos");
    EXPECT_TRUE(w->isWindow() && w->isVisible());
    EXPECT_TRUE(s.w->mdi_area()->subWindowList().isEmpty());
    EXPECT_EQ(w->windowTitle(), "Loterias");
    EXPECT_EQ(s.t.srv->calls("dsxsrt").first().values, QVariantList{"001"});
    EXPECT_EQ(ticks(w->lista), ".x.xx");
    EXPECT_EQ(rows_of(w->lista)[2], "L3 |LOTERIA 3");

    // The item again brings it forward as it is: no second reading.
    set_ticks(w->lista, ".....");
    s.item("sorteo");
    EXPECT_EQ(s.t->window("sorteos"), w);
    EXPECT_EQ(ticks(w->lista), ".....");
    EXPECT_EQ(s.t.srv->calls("dsxsrt").size(), 1);
}

} // namespace
