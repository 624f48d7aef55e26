#pragma once
// The program after a login, with the main window's menus, the parameter windows and the
// central double.
#include "admin/windows.h"
#include "core/shell/main_window.h"
#include "core/shell/windows.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

struct ParamsShell {
    TestApp t;
    std::unique_ptr<main_window> main;

    explicit ParamsShell(const QString& caja = "00")
    {
        register_admin_windows(*t);
        register_shell_windows(*t);
        main = std::make_unique<main_window>(*t);
        main->Form_Load();
        t.reg->saved.clear();
        t.connect();
        t->ses_val.cod_ven = "001";
        t->ses_val.nom_ven = "AGENCIA UNO";
        t->ses_val.cod_caj = caja;
        t->num_hdd = "0012345678";
    }

    // Clicks a menu item; inside runs with the modal window it shows (null when it shows
    // none), which is closed afterwards if inside left it open.
    void open(const char* item, const std::function<void(QWidget*)>& inside)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = true;
            QWidget* m = QApplication::activeModalWidget();
            inside(m);
            if (m && m->isVisible())
                m->close();
        });
        t->mnu.value(item)->trigger();
        while (!ran)
            QApplication::processEvents();
    }

    QString setting(const QString& key) { return t.reg->values.value(fake::Settings::path("vuroda", "parsys", key)); }
};
