#pragma once
// An App on the platform doubles and the central-server double.
#include "core/app/app.h"
#include "central/central.h"
#include "central/tds_endpoint.h"
#include "core/db/tds_driver.h"
#include "tests/doubles/fakes.h"

// Noon of the day the tests run: the demo's history of the day is all sold by then.
inline QDateTime test_noon() { return QDateTime(QDate::currentDate(), QTime(12, 0)); }

struct TestApp {
    TestApp();
    ~TestApp();

    // The double's clock: it stands at now, which a test may move.
    QDateTime now = test_noon();

    fake::Dialogs* dlg;
    fake::Settings* reg;
    fake::Printers* prn;
    fake::Http* http;
    fake::System* sys;
    central::Server* srv;
    // Over the wire: the real driver, and the double behind its TDS endpoint on loopback.
    std::unique_ptr<db::TdsDriver> tds;
    std::unique_ptr<central::TdsEndpoint> ep;
    std::unique_ptr<App> app;

    App& operator*() { return *app; }
    App* operator->() { return app.get(); }

    // From now on the program reaches the double through the FreeTDS driver and the double's
    // TDS endpoint, as it reaches a real server; connect() then points it there. The double
    // is still read and arranged through srv between the program's calls, which return only
    // once answered. False with error set when the endpoint cannot start.
    bool over_wire(QString* error = nullptr);
    // Connects cox_bd to the double as a finished login leaves it (connection data set,
    // connection open, flag 0).
    void connect();
};
