#pragma once
// An App on the platform doubles and the central-server double.
#include "core/app/app.h"
#include "central/central.h"
#include "tests/doubles/fakes.h"

struct TestApp {
    TestApp();
    ~TestApp();

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
