// Logging in over the wire: every answer of getutq, through the login window, the real
// driver and the central-server double behind its TDS endpoint.
#include "tests/e2e/wire_app.h"

namespace {

using namespace e2e;

const QString kFrameVersion = "            *** PROGRAMA NO ES VALIDO ***               \r\n\r\n"
                              "            ***  ACTUALIZAR PROGRAMA  ***               \r\n\r\n"
                              "            ***       KELMARIS        ***               \r\n";
const QString kFrameConexion = "            *** CONEXION NO ES VALIDA ***               \r\n\r\n"
                               "            ***       KELMARIS        ***               \r\n";
const QString kFrameSuspendido = "            *** SERVICIO SUSPENDIDO ***               \r\n\r\n"
                                 "            ***      KELMARIS       ***               \r\n";
const QString kFrameNoDisponible = "     *** SERVICIO NO ESTA DISPONIBLE ***               \r\n\r\n"
                                   "     ***          KELMARIS           ***               \r\n";

enum class After { logged_in, window_open, ended };

struct Outcome {
    const char* name;
    std::function<void(central::Server&)> arrange;
    QString user, clav;
    QString box;  // the one message shown, empty for none
    After after;
    bool saves;  // the login settings saved and the symbols loaded
};

void outlet_status(central::Server& s, int status) { s.model.outlet.status = status; }
std::function<void(central::Server&)> answer(int code)
{
    return [code](central::Server& s) { s.model.getutq_override = code; };
}

TEST(WireLogin, EveryGetutqAnswer)
{
    const Outcome outcomes[] = {
        {"0 accepted", [](central::Server&) {}, "CAJERO", "CLAVE", "", After::logged_in, true},
        {"1 suspended", [](central::Server& s) { outlet_status(s, 1); }, "CAJERO", "CLAVE",
         "Tovaren suspendida." + k10, After::logged_in, true},
        {"2 inactive", [](central::Server& s) { outlet_status(s, 2); }, "CAJERO", "CLAVE",
         "Tovaren inactiva." + k10, After::window_open, true},
        {"3 wrong password", [](central::Server&) {}, "CAJERO", "OTRA", "Clave incorrecta." + k10, After::window_open, false},
        {"4 unknown user", [](central::Server&) {}, "NADIE", "CLAVE", "Usuario no es válido." + k10, After::window_open, false},
        {"7", answer(7), "CAJERO", "CLAVE", kFrameConexion, After::ended, false},
        {"8", answer(8), "CAJERO", "CLAVE", kFrameSuspendido, After::ended, false},
        {"9", answer(9), "CAJERO", "CLAVE", kFrameVersion, After::ended, false},
        {"12", answer(12), "CAJERO", "CLAVE", kFrameNoDisponible, After::ended, false},
    };
    for (const auto& o : outcomes) {
        SCOPED_TRACE(o.name);
        WireApp a;
        ASSERT_TRUE(a.up()) << qPrintable(a.error);
        a.arrange(o.arrange);
        QPointer<conexion> c = a.login_window();
        ASSERT_TRUE(c);
        c->show();

        conectar(c, o.user, o.clav, "DEMO");

        // Only the saved server was tried, with the fixed database login.
        EXPECT_EQ(a.open_tries(), QStringList{a.target()});
        EXPECT_TRUE(a.http->calls.isEmpty());
        const db::ConnectProps open = a.last_open();
        EXPECT_EQ(open.user, QString::fromLatin1(deploy::db_user));
        EXPECT_EQ(open.password, QString::fromLatin1(deploy::db_password));
        EXPECT_EQ(open.app_name, "3.8.2.4");

        // The calls in order, with the values they carried over the wire.
        const QStringList procs = o.saves ? QStringList{"getcox", "getutq", "getsim"} : QStringList{"getcox", "getutq"};
        const QList<central::Call> log = a.log();
        EXPECT_EQ(a.procs(), procs);
        ASSERT_GE(log.size(), 2);
        EXPECT_EQ(log[0].values, QVariantList({a.app->num_hdd, "DEMO"}));
        EXPECT_EQ(log[1].values, QVariantList({o.user, o.clav, a.app->num_hdd, "3.8.2.4", "10.1.1.1"}));

        // The message.
        if (o.box.isEmpty()) {
            EXPECT_TRUE(a.dlg->boxes.isEmpty()) << qPrintable(a.dlg->texts().join('|'));
        } else {
            ASSERT_EQ(a.dlg->boxes.size(), 1) << qPrintable(a.dlg->texts().join('|'));
            EXPECT_EQ(a.dlg->boxes[0].text, o.box);
            EXPECT_EQ(a.dlg->boxes[0].style, 48);
            EXPECT_EQ(a.dlg->boxes[0].title, "Tovaren");
        }

        // The flag, the caption, the window, the program, the settings.
        EXPECT_EQ(a.app->flg_nocox, 0);
        EXPECT_EQ(a.dlg->pointer(), plat::ptr_default);
        switch (o.after) {
        case After::logged_in:
            EXPECT_EQ(a.app->ses_val.cod_caj, "01");
            EXPECT_EQ(a.app->ses_val.nom_ven, "AGENCIA DEMO");
            EXPECT_EQ(a.app->tab_sim.sim_nom.size(), 101);
            EXPECT_EQ(a.w->windowTitle(), kCaptionCajero);
            EXPECT_TRUE(a.w->timers->isActive());
            EXPECT_TRUE(!c || !c->isVisible());
            EXPECT_FALSE(a.sys->ended);
            break;
        case After::window_open:
            EXPECT_EQ(a.app->ses_val.cod_caj, "**");
            EXPECT_EQ(a.w->windowTitle(), kCaptionSinConexion);
            EXPECT_FALSE(a.w->timers->isActive());
            ASSERT_TRUE(c);
            EXPECT_TRUE(c->isVisible());
            EXPECT_EQ(c->focusWidget(), c->tx_clav);
            EXPECT_FALSE(a.sys->ended);
            break;
        case After::ended:
            EXPECT_EQ(a.w->windowTitle(), "Tovaren");  // no caption before the program ends
            EXPECT_TRUE(!c || !c->isVisible());
            EXPECT_TRUE(a.sys->ended);
            EXPECT_EQ(a.sys->end_code, 0);
            break;
        }
        if (o.saves) {
            EXPECT_EQ(a.saved("cox_user"), o.user);
            EXPECT_EQ(a.saved("cox_dtbs"), "DEMO");
            EXPECT_EQ(a.saved("cox_serv"), kHost);
            EXPECT_EQ(a.saved("cox_port"), a.port());
        } else {
            EXPECT_TRUE(a.saved("cox_user").isNull());
        }
        for (const QString& value : a.reg->values)
            EXPECT_NE(value, o.clav);  // the password is never saved
        delete c.data();
    }
}

} // namespace
