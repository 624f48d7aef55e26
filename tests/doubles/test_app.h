#pragma once
// An App on the platform doubles and the central-server double.
#include "core/app/app.h"
#include "central/central.h"
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
    std::unique_ptr<App> app;

    App& operator*() { return *app; }
    App* operator->() { return app.get(); }

    // Connects cox_bd to the double as a finished login leaves it (connection data set,
    // connection open, flag 0).
    void connect();
};
