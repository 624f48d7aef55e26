// Logging in over the wire: every answer of getutq, through the login window, the real
// driver and the central-server double behind its TDS endpoint.
#include "tests/e2e/wire_app.h"

namespace {

using namespace e2e;
using Arrange = std::function<void(central::Server&)>;

enum class After { logged_in, window_open, ended };

// box: the one message shown, empty for none; saves: the login settings saved and the symbols loaded.
struct Outcome { const char* name; Arrange arrange; QString user, clav, box; After after; bool saves; };

Arrange outlet(int status)
{
    return [status](central::Server& s) { s.model.outlet.status = status; };
}
Arrange answer(int code)  // no rows
{
    return [code](central::Server& s) {
        s.register_procedure("getutq", [code](central::Request& r) {
            r.status = code;
            return true;
        });
    };
}

TEST(WireLogin, EveryGetutqAnswer)
{
    const QString kFrameSuspendido = "            *** SERVICIO SUSPENDIDO ***               \r\n\r\n"
                                     "            ***      KELMARIS       ***               \r\n";
    const Arrange as_is = [](central::Server&) {};
    const Outcome outcomes[] = {
        {"0 accepted", as_is, "CAJERO", "CLAVE", "", After::logged_in, true},
        {"0 without IDUSER_VEN", [](central::Server& s) { s.model.getutq_override = 0; }, "NADIE", "CLAVE", "",
         After::ended, true},
        {"1 suspended", outlet(1), "CAJERO", "CLAVE", "Tovaren suspendida." + k10, After::logged_in, true},
        {"2 inactive", outlet(2), "CAJERO", "CLAVE", "Tovaren inactiva." + k10, After::window_open, true},
        {"3 wrong password", as_is, "CAJERO", "OTRA", "Clave incorrecta." + k10, After::window_open, false},
        {"4 unknown user", as_is, "NADIE", "CLAVE", "Usuario no es válido." + k10, After::window_open, false},
        {"7", answer(7), "CAJERO", "CLAVE", kFrameConexion, After::ended, false},
        {"8", answer(8), "CAJERO", "CLAVE", kFrameSuspendido, After::ended, false},
        {"9", answer(9), "CAJERO", "CLAVE", kFrameVersion, After::ended, false},
        {"12", answer(12), "CAJERO", "CLAVE", frame_not_available(5), After::ended, false},
        {"-1", answer(-1), "CAJERO", "CLAVE", frame_not_available(5), After::ended, false},
        // The rows of a cashier, but no return status: no meaning, no login.
        {"no status", [](central::Server& s) { s.no_status("getutq"); }, "CAJERO", "CLAVE", frame_not_available(5),
         After::ended, false},
    };
    for (const auto& o : outcomes) {
        SCOPED_TRACE(o.name);
        WireApp a;
        ASSERT_TRUE(a.up()) << qPrintable(a.error);
        a.arrange(o.arrange);
        QPointer<conexion> c = a.app->win<conexion>("conexion");
        c->show();
        bool visible_at_box = false;
        a.dlg->on_box = [&](const fake::Box&) { visible_at_box = c && c->isVisible(); };
        a.app->flg_nocox = 1;  // as an earlier try left it

        log_in(c, o.user, o.clav, "DEMO");

        // The calls in order, with the values they carried.
        const QList<central::Call> log = a.log();
        EXPECT_EQ(a.procs(), QStringList({"getcox", "getutq", "getsim"}).mid(0, o.saves ? 3 : 2));
        ASSERT_GE(log.size(), 2);
        EXPECT_EQ(log[0].values, QVariantList({a.app->num_hdd, "DEMO"}));
        EXPECT_EQ(log[1].values, QVariantList({o.user, o.clav, a.app->num_hdd, "3.8.2.4", "10.1.1.1"}));

        if (o.box.isEmpty()) {
            EXPECT_TRUE(a.dlg->boxes.isEmpty()) << qPrintable(a.dlg->texts().join('|'));
        } else {
            expect_box(*a.dlg, o.box, 48);
            EXPECT_EQ(visible_at_box, o.after != After::ended);  // a frame comes once the window is gone
        }
        EXPECT_EQ(a.dlg->pointer(), plat::ptr_default);
        EXPECT_EQ(a.sys->ended, o.after == After::ended);
        EXPECT_EQ(c && c->isVisible(), o.after == After::window_open);
        EXPECT_TRUE(o.after == After::ended || a.app->flg_nocox == 0);
        // The menus are set up for a cashier the server accepted, and only then.
        EXPECT_EQ(a.app->tab_per.per_cod.isEmpty(), !o.saves || o.after == After::window_open);
        switch (o.after) {
        case After::logged_in:
            EXPECT_EQ(a.app->tab_sim.sim_nom.size(), 101);
            EXPECT_EQ(a.w->windowTitle(), kCaptionCajero);
            EXPECT_TRUE(a.w->timers->isActive());
            break;
        case After::window_open:
            EXPECT_EQ(a.app->ses_val.cod_caj, "**");
            EXPECT_EQ(a.w->windowTitle(), kCaptionSinConexion);
            EXPECT_FALSE(a.w->timers->isActive());
            ASSERT_TRUE(c);
            EXPECT_EQ(c->focusWidget(), c->tx_clav);
            EXPECT_EQ(c->tx_clav->text(), o.clav);
            break;
        case After::ended:
            EXPECT_EQ(a.app->ses_val.cod_caj, "**");
            EXPECT_EQ(a.w->windowTitle(), "Tovaren");  // no caption before the program ends
            EXPECT_EQ(a.sys->end_code, 0);
            break;
        }
        if (o.saves)
            EXPECT_EQ(QStringList({a.saved("cox_user"), a.saved("cox_dtbs"), a.saved("cox_serv"), a.saved("cox_port")}),
                      QStringList({o.user, "DEMO", kHost, a.port()}));
        else
            EXPECT_TRUE(a.saved("cox_user").isNull());
        for (const QString& value : a.reg->values)
            EXPECT_NE(value, o.clav);  // the password is never saved
        delete c.data();
    }
}

} // namespace
