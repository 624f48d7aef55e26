// The two on/off lists (a user's menu permissions, the lotteries offered): the ticks, the
// save and its faults. The login that reads them back is tested with the login.
#include "core/shared/permissions.h"
#include "tests/admin/fixture.h"

#include <QMdiArea>

namespace {

// Ticked unless stored as off; stored codes compare exactly (blanks, other forms and
// unknown codes untick nothing); the lotteries are a window of their own. "Aceptar" removes
// the stored items, then stores each unticked one in list order (a lottery's code
// trimmed); "Cancelar" ("c") sends nothing.
TEST(OnOffLists, TicksAndSave)
{
    for (const bool perms : {true, false})
        for (const QString t : {"xxxxxxxxxx", "..........", ".xx.xxxx.x", "c.........."}) {
            SCOPED_TRACE(testing::Message() << perms << " " << t.toStdString());
            AdminShell s;
            onoff_list* w = open_onoff(s, perms, perms ? QStringList{"202", "404", " 302", "0301", "999", "404"}
                                                      : QStringList{"L0", "L3", "L9"});
            EXPECT_EQ(ticks(w->lista), perms ? ".xxxxxx.xx" : ".xx.xxxxx.");
            EXPECT_EQ(s.t.srv->calls(perms ? "getmap" : "dsxsrt").first().values, QVariantList{perms ? "ANA" : "001"});
            EXPECT_TRUE(perms || (w->isWindow() && w->isVisible() && s.w.mdi_area()->subWindowList().isEmpty()));
            const auto from = s.t.srv->log.size();
            const bool cancel = t.startsWith('c');
            set_ticks(w->lista, t.mid(cancel ? 1 : 0));
            (cancel ? w->b_cancelar : w->b_aceptar)->click();
            QStringList want{perms ? "delmap ANA" : "delsrt 001"};
            for (int k = 0; k < 10; ++k)
                if (t[k] == '.')
                    want << (perms ? QString("actmap ANA ") + per_entries()[k].cod : QString("actsrt 001 L%1").arg(k));
            EXPECT_EQ(calls_since(*s.t.srv, from), cancel ? QStringList{} : want);
            EXPECT_FALSE(w->isVisible());
        }
}

// Each call of both lists failing once or twice: once is not seen; twice gives one box. A
// failed save keeps the window open with its ticks, does nothing more while the connection
// stays lost, and saves the whole set again once it is back.
TEST(OnOffLists, FaultSweep)
{
    for (const bool perms : {true, false})
        for (int step = 0; step < 5; ++step)  // the opening's query, the removal, the first three stores
            for (int fails : {1, 2}) {
                if (step == 0 && fails == 2)
                    continue;  // an opening that fails is checked with the spoiled loads
                SCOPED_TRACE(testing::Message() << perms << " step " << step << " fails " << fails);
                AdminShell s;
                central::Outlet& o = s.model().outlet;
                const char* procs[] = {perms ? "getmap" : "dsxsrt", perms ? "delmap" : "delsrt", perms ? "actmap" : "actsrt"};
                fail_call(*s.t.srv, procs[std::min(step, 2)], std::max(step - 2, 0), fails, [&](central::Request& r) {
                    perms ? void(o.users["ANA"].denied << r.text(1).trimmed()) : void(o.lots_off.insert(r.text(1).trimmed()));
                    return true;
                });
                onoff_list* w = open_onoff(s, perms);
                EXPECT_EQ(ticks(w->lista), "xxxxxxxxx.");
                set_ticks(w->lista, ".x.xxxxx.x");
                w->b_aceptar->click();
                if (fails == 2) {
                    // Still lost: nothing is sent, so nothing stored is cleared.
                    const auto calls = s.t.srv->log.size();
                    w->b_aceptar->click();
                    w->b_aceptar->click();
                    EXPECT_EQ(s.t.srv->log.size(), calls);
                    EXPECT_TRUE(w->isVisible());
                    EXPECT_EQ(ticks(w->lista), ".x.xxxxx.x");
                    s.t->flg_nocox = 0;  // the keep-alive found the server again
                    w->b_aceptar->click();
                }
                EXPECT_FALSE(w->isVisible());
                EXPECT_EQ(s.boxes(), fails == 2 ? QStringList(3, kLost) : QStringList{});
                QStringList stored = perms ? o.users["ANA"].denied : QStringList(o.lots_off.begin(), o.lots_off.end());
                stored.sort();
                EXPECT_EQ(stored.join(' '), perms ? "202 301 405" : "L0 L2 L8");
            }
}

} // namespace
