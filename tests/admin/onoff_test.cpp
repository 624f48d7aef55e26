// The two on/off lists (a user's menu permissions, the lotteries offered): the ticks, the
// save and its faults; and users and permissions kept here at the next login.
#include "admin/permisos.h"
#include "admin/usuarios.h"
#include "core/app/rule.h"
#include "core/login/conexion.h"
#include "core/login/windows.h"
#include "core/shared/permissions.h"
#include "tests/admin/fixture.h"

#include <QMdiArea>

namespace {

// Either list over ten items with these stored as off (none given: the last): ANA's
// permissions (row 1 of the users list, as it opens them) or ten lotteries whose codes
// come blank-filled as a CHAR column sends them.
onoff_list* open_onoff(AdminShell& s, bool perms, QStringList off = {})
{
    if (off.isEmpty())
        off = {perms ? "503" : "L9"};
    if (perms) {
        s.model().outlet.users["ANA"].denied = off;
        s.open<usuarios>("userx", "usuarios")->lista->setCurrentItem(s.t->win<usuarios>("usuarios")->lista->topLevelItem(1));
        auto* p = s.t->win<permisos>("permisos");
        p->show();
        return p;
    }
    s.model().lotteries.resize(10);
    for (int k = 0; k < 10; ++k)
        s.model().lotteries[k].codint = QString("L%1 ").arg(k);
    s.model().outlet.lots_off = QSet<QString>(off.begin(), off.end());
    return s.open<onoff_list>("sorteo", "sorteos");
}

// Ticked unless stored as off; the lotteries are a window of their own. "Aceptar" removes
// the stored items, then stores each unticked one in list order (a lottery's code
// trimmed), then a denied code no menu of this program has, once; "Cancelar" ("c") sends
// nothing.
TEST(OnOffLists, TicksAndSave)
{
    for (const bool perms : {true, false})
        for (const QString t : {"xxxxxxxxxx", "..........", ".xx.xxxx.x", "c.........."}) {
            SCOPED_TRACE(testing::Message() << perms << " " << t.toStdString());
            AdminShell s;
            onoff_list* w = open_onoff(s, perms, perms ? QStringList{"202", "404", "999", "404", "999"}
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
            if (perms)
                want << "actmap ANA 999";
            EXPECT_EQ(calls_since(*s.t.srv, from), cancel ? QStringList{} : want);
            EXPECT_FALSE(w->isVisible());
        }
}

// Each call of both lists failing once or twice: once is not seen; twice gives one box.
// A failed opening leaves nothing to save; a failed save keeps the window open with its
// ticks, does nothing more while the connection stays lost, and saves the whole set again
// once it is back.
TEST(OnOffLists, FaultSweep)
{
    for (const bool perms : {true, false})
        for (int step = 0; step < 5; ++step)  // the opening's query, the removal, the first three stores
            for (int fails : {1, 2}) {
                SCOPED_TRACE(testing::Message() << perms << " step " << step << " fails " << fails);
                AdminShell s;
                central::Outlet& o = s.model().outlet;
                const char* procs[] = {perms ? "getmap" : "dsxsrt", perms ? "delmap" : "delsrt", perms ? "actmap" : "actsrt"};
                fail_call(*s.t.srv, procs[std::min(step, 2)], std::max(step - 2, 0), fails, [&](central::Request& r) {
                    perms ? void(o.users["ANA"].denied << r.text(1).trimmed()) : void(o.lots_off.insert(r.text(1).trimmed()));
                    return true;
                });
                onoff_list* w = open_onoff(s, perms);
                const bool unread = step == 0 && fails == 2;
                if (unread) {
                    EXPECT_EQ(w->lista->topLevelItemCount(), 0);
                    s.t->flg_nocox = 0;
                    QTest::keyClick(w, Qt::Key_Return);
                } else {
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
                }
                EXPECT_EQ(s.boxes(), fails == 1 ? QStringList{} : unread ? QStringList{kLost} : QStringList(3, kLost));
                QStringList stored = perms ? o.users["ANA"].denied : QStringList(o.lots_off.begin(), o.lots_off.end());
                stored.sort();
                EXPECT_EQ(stored.join(' '), unread ? (perms ? "503" : "L9") : (perms ? "202 301 405" : "L0 L2 L8"));
            }
}

// A user included here logs in, and the options denied him are hidden at his login.
TEST(Permisos, UsersAndPermissionsTakeEffectAtTheNextLogin)
{
    AdminShell s;
    register_login_windows(*s.t);
    s.t->num_hdd = hdd_serial(*s.t.sys);
    auto* w = s.open<usuarios>("userx", "usuarios");
    s.with_modal([&] { w->b_incluir->click(); }, [](QWidget* d) {
        type_in(d, {{"tx_user", "luisa"}, {"tx_clav", "clave9"}, {"tx_caja", "4"}});
        d->findChild<QPushButton*>("b_aceptar")->click();
    });
    ASSERT_EQ(rows_of(w->lista).value(3), "LUISA     |CLAVE9    |04");
    w->lista->setCurrentItem(w->lista->topLevelItem(3));
    s.with_modal<permisos>([&] { w->b_permiso->click(); }, [](permisos* p) {
        set_ticks(p->lista, ".xxxxxx.x.");  // 202, 404 and 503 denied
        p->b_aceptar->click();
    });

    auto* c = s.t->win<conexion>("conexion");
    c->show();
    type_in(c, {{"tx_user", "luisa"}, {"tx_clav", "clave9"}, {"tx_dtbs", "DEMO"}});
    c->b_conectar->click();
    EXPECT_EQ(s.t->ses_val.cod_caj, "04");
    QStringList hidden;
    for (const auto& e : per_entries())
        if (!s.t->mnu.value(e.item)->isVisible())
            hidden << e.item;
    EXPECT_EQ(hidden, QStringList({"mov_prm", "rep_caj", "userx"}));
}

} // namespace
