#pragma once
// The program as it starts, on the platform doubles, talking to the central-server double
// over TDS on loopback through the real FreeTDS driver. The double's endpoint listens on
// 127.1.1.1 (an address the login accepts as a saved server) on a free port, which is
// saved in the local settings as the program's server.
#include "core/db/tds_driver.h"
#include "app/windows.h"
#include "core/shell/main_window.h"
#include "central/tds_endpoint.h"
#include "tests/doubles/test_app.h"
#include "tests/login/login_fixture.h"

#include <QTimer>

namespace e2e {

inline const QString kHost = QStringLiteral("127.1.1.1");
// The main window's caption after the demo cashier's login.
inline const QString kCaptionCajero =
    "Tovaren v3.8.2.4 - AGENCIA DEMO (B) - Caja: 01" + QString(5, ' ') + "   www.kelmaris.com";

struct WireApp {
    central::Server srv{[noon = test_noon()] { return noon; }};
    central::TdsEndpoint ep{srv};
    fake::Dialogs* dlg = new fake::Dialogs;
    fake::Settings* reg = new fake::Settings;
    fake::Http* http = new fake::Http;
    fake::System* sys = new fake::System;
    std::unique_ptr<App> app;
    std::unique_ptr<main_window> w;
    QString error;  // why the endpoint did not start

    // Starts the endpoint, writes the saved server (and, with a saved login, the user and
    // database code the demo settings hold) and runs the main window's Form_Load.
    explicit WireApp(bool saved_login = false)
    {
        Services s;
        s.dialogs.reset(dlg);
        s.settings.reset(reg);
        s.http.reset(http);
        s.system.reset(sys);
        s.printers = std::make_unique<fake::Printers>();
        s.driver = std::make_unique<db::TdsDriver>();
        app = std::make_unique<App>(std::move(s));
        if (!ep.start(kHost, 0, &error))
            return;
        // getcox names the endpoint too, so that reconnects come back to it.
        arrange([&](central::Server& s) {
            s.model.cox["DEMO"].server_ip = kHost;
            s.model.cox["DEMO"].server_port = port();
        });
        reg->values[setting("cox_serv")] = kHost;
        reg->values[setting("cox_port")] = port();
        if (saved_login) {
            reg->values[setting("cox_user")] = "CAJERO";
            reg->values[setting("cox_dtbs")] = "DEMO";
        }
        // As the program registers its windows.
        register_all_windows(*app);
        w = std::make_unique<main_window>(*app);
        w->Form_Load();
    }

    bool up() const { return w != nullptr; }
    QString port() const { return QString::number(ep.port()); }
    QString target() const { return kHost + ":" + port(); }
    static QString setting(const QString& key) { return "vuroda/parsys/" + key; }

    // What the server saw, read under its lock once the calls have returned.
    QStringList procs() { return ep.with_server([](central::Server& s) { return s.procs(); }); }
    QList<central::Call> log() { return ep.with_server([](central::Server& s) { return s.log; }); }
    void arrange(const std::function<void(central::Server&)>& f) { ep.with_server(f); }
};

} // namespace e2e
