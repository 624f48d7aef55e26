#include "test_app.h"
#include "core/app/rule.h"

TestApp::TestApp()
{
    Services s;
    s.dialogs.reset(dlg = new fake::Dialogs);
    s.settings.reset(reg = new fake::Settings);
    s.printers.reset(prn = new fake::Printers);
    s.http.reset(http = new fake::Http);
    s.system.reset(sys = new fake::System);
    s.driver.reset(srv = new central::Server([this] { return now; }));
    app = std::make_unique<App>(std::move(s));
}

TestApp::~TestApp()
{
    // The program's session ends before the endpoint, the endpoint before the double.
    if (ep) {
        app->cox_bd.close();
        ep->stop();
    }
    app.reset();
}

bool TestApp::over_wire(QString* error)
{
    ep = std::make_unique<central::TdsEndpoint>(*srv);
    if (!ep->start(QStringLiteral("127.0.0.1"), 0, error))
        return false;
    tds = std::make_unique<db::TdsDriver>();
    app->cox_bd.set_driver(*tds);
    return true;
}

void TestApp::connect()
{
    auto& d = app->dat_cox;
    d.srv_ip = ep ? ep->host() : QStringLiteral("127.1.1.1");
    d.srv_port = ep ? QString::number(ep->port()) : QStringLiteral("11433");
    d.bd_usr = srv->model.db_user;
    d.bd_clv = srv->model.db_password;
    d.srv_databs = "tovaren";
    d.cod_guid = "0123456789abcdef01234567";
    cox_reconnect(*app);
    app->flg_nocox = 0;
}
