#pragma once
// The program as it starts, on the platform doubles, talking to the central-server double
// over TDS on loopback through the real FreeTDS driver. The double's endpoint listens on
// 127.1.1.1 (an address the login accepts as a saved server) on a free port, which is
// saved in the local settings as the program's server.
#include "core/db/app.h"
#include "core/db/tds_driver.h"
#include "core/login/conexion.h"
#include "core/login/windows.h"
#include "core/shell/keepalive_windows.h"
#include "core/shell/main_window.h"
#include "core/shell/windows.h"
#include "core/update/windows.h"
#include "tests/central/tds_endpoint.h"
#include "tests/doubles/fakes.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace e2e {

inline const QString kHost = QStringLiteral("127.1.1.1");
inline const QString k10(10, ' ');
// The main window's caption after the demo cashier's login.
inline const QString kCaptionCajero =
    "Tovaren v3.8.2.4 - AGENCIA DEMO (B) - Caja: 01" + QString(5, ' ') + "   www.kelmaris.com";
inline const QString kCaptionSinConexion = QStringLiteral("Tovaren v3.8.2.4 - Sin Conexión");

struct WireApp {
    central::Server srv;
    central::TdsEndpoint ep{srv};
    fake::Dialogs* dlg = nullptr;
    fake::Settings* reg = nullptr;
    fake::Http* http = nullptr;
    fake::System* sys = nullptr;
    std::unique_ptr<App> app;
    std::unique_ptr<main_window> w;
    QString error;  // why the endpoint did not start

    // Starts the endpoint, writes the saved server (and, with a saved login, the user and
    // database code the demo settings hold) and runs the main window's Form_Load.
    explicit WireApp(bool saved_login = false)
    {
        if (!ep.start(kHost, 0, &error))
            return;
        // getcox names the endpoint too, so that reconnects come back to it.
        ep.with_server([&](central::Server& s) {
            s.model.cox["DEMO"].server_ip = kHost;
            s.model.cox["DEMO"].server_port = port();
        });

        Services s;
        auto d = std::make_unique<fake::Dialogs>();
        auto r = std::make_unique<fake::Settings>();
        auto h = std::make_unique<fake::Http>();
        auto y = std::make_unique<fake::System>();
        dlg = d.get();
        reg = r.get();
        http = h.get();
        sys = y.get();
        s.dialogs = std::move(d);
        s.settings = std::move(r);
        s.printers = std::make_unique<fake::Printers>();
        s.http = std::move(h);
        s.system = std::move(y);
        s.driver = std::make_unique<db::TdsDriver>();
        app = std::make_unique<App>(std::move(s));

        reg->values[setting("cox_serv")] = kHost;
        reg->values[setting("cox_port")] = port();
        if (saved_login) {
            reg->values[setting("cox_user")] = "CAJERO";
            reg->values[setting("cox_dtbs")] = "DEMO";
        }

        // As the program registers its windows.
        register_login_windows(*app);
        register_keepalive_windows(*app);
        register_update_windows(*app);
        register_shell_windows(*app);
        w = std::make_unique<main_window>(*app);
        w->Form_Load();
    }

    bool up() const { return app != nullptr; }
    QString port() const { return QString::number(ep.port()); }
    QString target() const { return kHost + ":" + port(); }
    static QString setting(const QString& key) { return "vuroda/parsys/" + key; }
    QString saved(const QString& key) const { return reg->values.value(setting(key)); }

    // What the server saw, read under its lock once the calls have returned.
    QStringList procs() { return ep.with_server([](central::Server& s) { return s.procs(); }); }
    QList<central::Call> log() { return ep.with_server([](central::Server& s) { return s.log; }); }
    int opens() { return ep.with_server([](central::Server& s) { return s.opens; }); }
    QStringList open_tries() { return ep.with_server([](central::Server& s) { return s.open_tries; }); }
    db::ConnectProps last_open() { return ep.with_server([](central::Server& s) { return s.last_open; }); }
    void arrange(const std::function<void(central::Server&)>& f) { ep.with_server(f); }

    // The login window as the next showing gets it (a closed one is gone once deleted).
    conexion* login_window()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return app->win<conexion>("conexion");
    }
};

// Types the three fields of a login window afresh and presses "Conectar".
inline void conectar(conexion* c, const QString& user, const QString& clav, const QString& dtbs)
{
    c->tx_user->clear();
    c->tx_clav->clear();
    c->tx_dtbs->setEditText(QString());
    QTest::keyClicks(c->tx_user, user);
    QTest::keyClicks(c->tx_clav, clav);
    QTest::keyClicks(c->tx_dtbs, dtbs);
    QTest::mouseClick(c->b_conectar, Qt::LeftButton);
}

// Answers the next modal window with f. Should none answer in time, every modal window is
// closed so that the test fails instead of waiting forever.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(QWidget*)> f)
    {
        QTimer::singleShot(0, &guard_, [this, f] {
            answered_ = true;
            f(QApplication::activeModalWidget());
        });
        watchdog_.setSingleShot(true);
        QObject::connect(&watchdog_, &QTimer::timeout, &guard_, [this] {
            timed_out_ = true;
            while (QWidget* m = QApplication::activeModalWidget())
                m->close();
        });
        watchdog_.start(30000);
    }
    bool answered() const { return answered_; }
    bool timed_out() const { return timed_out_; }

private:
    QObject guard_;
    QTimer watchdog_;
    bool answered_ = false;
    bool timed_out_ = false;
};

} // namespace e2e
