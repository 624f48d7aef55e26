// Menu permissions, and the save of both on/off lists (permissions and lotteries) when a
// call does not go through.
#include "admin/permisos.h"
#include "admin/sorteos.h"
#include "admin/usuarios.h"
#include "core/shared/permissions.h"
#include "tests/admin/users_deposits.h"

namespace {

// The permissions of ANA (row 1 of the users list), as the users list opens them.
permisos* open_permisos(AdminShell& s, const QStringList& denied)
{
    s.model().outlet.users.insert("ANA", {"ROSA", "03", denied});
    auto* w = s.open<usuarios>("userx", "usuarios");
    w->lista->setCurrentItem(w->lista->topLevelItem(1));
    auto* p = s.t->win<permisos>("permisos");
    p->show();
    return p;
}

TEST(Permisos, TicksFromTheStoredCodesAndTheSave)
{
    AdminShell s;
    // Compared exactly: blanks, other forms and unknown codes untick nothing.
    permisos* p = open_permisos(s, {"202", "404", " 302", "0301", "999", "404"});
    EXPECT_EQ(p->windowTitle(), "Permisos - Usuario: ANA (Tovaren)");
    EXPECT_EQ(s.t.srv->calls("getmap").first().values, QVariantList{"ANA"});
    EXPECT_EQ(ticks(p->lista), ".xxxxxx.xx");
    EXPECT_EQ(p->lista->topLevelItem(3)->text(0), "Procesos - Anulación de Tickets");

}

// Either list over ten items, the last stored as off: ANA's permissions (503 denied) or
// ten lotteries whose codes come blank-filled as a CHAR column sends them (L9 off).
onoff_list* open_list(AdminShell& s, bool perms)
{
    if (perms)
        return open_permisos(s, {"503"});
    s.model().lotteries.resize(10);
    for (int k = 0; k < 10; ++k)
        s.model().lotteries[k].codint = QString("L%1 ").arg(k);
    s.model().outlet.lots_off = {"L9"};
    return s.open<onoff_list>("sorteo", "sorteos");
}

// The code a save stores for the unticked entry k of either list.
QString code(bool perms, int k) { return perms ? per_entries()[k].cod : QString("L%1").arg(k); }

TEST(OnOffLists, SaveRemovesThenStoresEachUntickedItem)
{
    for (const bool perms : {true, false}) {
        for (const QString t : {"xxxxxxxxxx", "..........", ".xx.xxxx.x"}) {
            SCOPED_TRACE(testing::Message() << perms << " " << t.toStdString());
            AdminShell s;
            onoff_list* w = open_list(s, perms);
            const auto from = s.t.srv->log.size();
            set_ticks(w->lista, t);
            w->b_aceptar->click();
            QStringList want{perms ? "delmap ANA" : "delsrt 001"};
            for (int k = 0; k < 10; ++k)
                if (t[k] == '.')
                    want << (perms ? "actmap ANA " : "actsrt 001 ") + code(perms, k);
            EXPECT_EQ(calls_since(*s.t.srv, from), want);
            EXPECT_FALSE(w->isVisible());
        }
        // Cancelling sends nothing.
        AdminShell s;
        onoff_list* w = open_list(s, perms);
        const auto from = s.t.srv->log.size();
        set_ticks(w->lista, "..........");
        w->b_cancelar->click();
        EXPECT_EQ(s.t.srv->log.size(), from);
        EXPECT_FALSE(w->isVisible());
    }
}

// Each call of both lists failing once or twice: once is not seen; twice gives one box.
// A failed opening leaves nothing to save; a failed save keeps the window open with its
// ticks, does nothing more while the connection stays lost, and saves the whole set again
// once it is back.
TEST(OnOffLists, FaultSweep)
{
    const char* steps[][4] = {{"getmap", "delmap", "actmap", "permisos"}, {"dsxsrt", "delsrt", "actsrt", "sorteos"}};
    for (const auto& names : steps) {
        const bool perms = QString(names[3]) == "permisos";
        for (int step = 0; step < 5; ++step) {
            for (int fails : {1, 2}) {
                SCOPED_TRACE(testing::Message() << names[3] << " step " << step << " fails " << fails);
                AdminShell s;
                auto& users = s.model().outlet.users;
                auto& off = s.model().outlet.lots_off;
                const QString proc = names[std::min(step, 2)];
                const auto arm = [&] {
                    fail_call(*s.t.srv, proc, std::max(step - 2, 0), fails, [&](central::Request& r) {
                        perms ? void(users["ANA"].denied << r.text(1).trimmed()) : void(off.insert(r.text(1).trimmed()));
                        return true;
                    });
                };
                if (step == 0)
                    arm();
                onoff_list* w = open_list(s, perms);
                const auto stored = [&] {
                    const QStringList denied = users["ANA"].denied;
                    return perms ? QSet<QString>(denied.begin(), denied.end()) : off;
                };
                if (step == 0 && fails == 2) {
                    EXPECT_EQ(s.boxes(), QStringList{kLost});
                    EXPECT_EQ(w->lista->topLevelItemCount(), 0);
                    EXPECT_FALSE(w->b_aceptar->isEnabled());
                    QTest::keyClick(w, Qt::Key_Return);
                    EXPECT_TRUE(s.t.srv->calls(names[1]).isEmpty());
                    EXPECT_EQ(stored(), QSet<QString>{perms ? "503" : "L9"});
                    continue;
                }
                EXPECT_EQ(ticks(w->lista), "xxxxxxxxx.");
                set_ticks(w->lista, ".x.xxxxx.x");
                if (step > 0)
                    arm();
                w->b_aceptar->click();
                if (fails == 2 && step > 0) {
                    EXPECT_TRUE(w->isVisible());
                    EXPECT_EQ(ticks(w->lista), ".x.xxxxx.x");
                    const auto from = s.t.srv->log.size();
                    w->b_aceptar->click();  // still lost: the connection is reopened, nothing is sent
                    EXPECT_EQ(s.t.srv->log.size(), from);
                    s.t->flg_nocox = 0;  // the keep-alive found the server again
                    w->b_aceptar->click();
                }
                EXPECT_EQ(s.boxes(), fails == 1 ? QStringList{} : QStringList{kLost});
                EXPECT_FALSE(w->isVisible());
                const QSet<QString> want = perms ? QSet<QString>{"202", "301", "405"} : QSet<QString>{"L0", "L2", "L8"};
                EXPECT_EQ(stored(), want);
            }
        }
    }
}

} // namespace
