#include "test_app.h"
#include "core/app/rule.h"

TestApp::TestApp()
{
    Services s;
    auto d = std::make_unique<fake::Dialogs>();
    auto r = std::make_unique<fake::Settings>();
    auto p = std::make_unique<fake::Printers>();
    auto h = std::make_unique<fake::Http>();
    auto y = std::make_unique<fake::System>();
    auto c = std::make_unique<central::Server>();
    dlg = d.get();
    reg = r.get();
    prn = p.get();
    http = h.get();
    sys = y.get();
    srv = c.get();
    s.dialogs = std::move(d);
    s.settings = std::move(r);
    s.printers = std::move(p);
    s.http = std::move(h);
    s.system = std::move(y);
    s.driver = std::move(c);
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
