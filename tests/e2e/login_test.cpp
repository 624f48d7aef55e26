// Logging in over the wire: every answer of getutq, through the login window, the real
// driver and the central-server double behind its TDS endpoint; one golden transcript
// (tests/golden/e2e/).
#include "tests/e2e/wire_app.h"

namespace {

using namespace e2e;
using Arrange = std::function<void(central::Server&)>;

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
    const Arrange as_is = [](central::Server&) {};
    const struct { const char* name; Arrange arrange; QString user = "CAJERO", clav = "CLAVE"; } outcomes[] = {
        {"0 accepted", as_is},
        {"0 without IDUSER_VEN", [](central::Server& s) { s.model.getutq_override = 0; }, "NADIE"},
        {"1 suspended", outlet(1)},
        {"2 inactive", outlet(2)},
        {"3 wrong password", as_is, "CAJERO", "OTRA"},
        {"4 unknown user", as_is, "NADIE"},
        {"7", answer(7)}, {"8", answer(8)}, {"9", answer(9)}, {"12", answer(12)}, {"-1", answer(-1)},
        // The rows of a cashier, but no return status: no meaning, no login.
        {"no status", [](central::Server& s) { s.no_status("getutq"); }},
    };
    QStringList t;
    for (const auto& o : outcomes) {
        WireApp a;
        ASSERT_TRUE(a.up()) << qPrintable(a.error);
        a.arrange(o.arrange);
        QPointer<conexion> c = a.app->win<conexion>("conexion");
        c->show();
        QString behind;
        a.dlg->on_box = [&](const fake::Box&) { behind = c && c->isVisible() ? "window up" : "window gone"; };
        a.app->flg_nocox = 1;  // as an earlier try left it

        log_in(c, o.user, o.clav, "DEMO");

        QStringList saved;
        for (const QString& key : a.reg->values.keys()) {
            EXPECT_NE(a.reg->values[key], o.clav) << o.name;  // the password is never saved
            saved << key.section('/', -1) + "=" + QString(a.reg->values[key]).replace(a.port(), "PORT");
        }
        const auto& app = *a.app;
        t << o.name << "  calls " + calls_text(a.log()) << "  boxes " + boxes_text(*a.dlg) + " " + behind
          << QString("  program %1, login window %2, caja %3, flag %4, permissions %5, symbols %6, pointer %7")
                 .arg(a.sys->ended ? "ended " + QString::number(a.sys->end_code) : "runs")
                 .arg(c && c->isVisible() ? "up, focus " + c->focusWidget()->objectName() + ", password " + c->tx_clav->text()
                                          : "gone")
                 .arg(app.ses_val.cod_caj)
                 .arg(app.flg_nocox)
                 .arg(app.tab_per.per_cod.size())
                 .arg(app.tab_sim.sim_nom.size())
                 .arg(a.dlg->pointer())
          << "  main window \"" + a.w->windowTitle() + "\", timer " + (a.w->timers->isActive() ? "on" : "off")
          << "  saved " + saved.join(' ');
        delete c.data();
    }
    expect_golden(t, "e2e/login.txt");
}

} // namespace
