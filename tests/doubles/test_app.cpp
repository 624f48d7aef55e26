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

TestApp::~TestApp() = default;

void TestApp::connect()
{
    auto& d = app->dat_cox;
    d.srv_ip = "127.1.1.1";
    d.srv_port = "11433";
    d.bd_usr = srv->model.db_user;
    d.bd_clv = srv->model.db_password;
    d.srv_databs = "tovaren";
    d.cod_guid = "0123456789abcdef01234567";
    cox_reconnect(*app);
    app->flg_nocox = 0;
}
