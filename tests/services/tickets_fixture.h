#pragma once
// The ticket services on a TestApp: a logged-in cashier of outlet 001, the main window
// with its menus, the double's ticket store, and the checks the windows' tests share.
#include "core/shell/main_window.h"
#include "core/shell/windows.h"
#include "services/windows.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

inline const QString k5(5, u' ');
inline const QString kNoConexion = "No hay conexión con el servidor." + QString(10, u' ');

class TicketsTest : public ::testing::Test {
public:
    TestApp t;
    std::unique_ptr<main_window> main;

    void SetUp() override
    {
        register_services_windows(*t);
        register_shell_windows(*t);
        main = std::make_unique<main_window>(*t);
        auto& s = t->ses_val;
        s.cod_ven = "001";
        s.cod_caj = "03";
        s.fec_sys = QDate::currentDate();
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
        t.connect();
    }
    void TearDown() override
    {
        main.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    central::Model& model() { return t.srv->model; }
    fake::Dialogs& dlg() { return *t.dlg; }

    // A ticket of the double's store, sold today by caja 05 of outlet 001 for 5 units.
    central::Ticket& add_ticket(qint64 numtik, const QString& caja = "05", const QString& ven = "001")
    {
        central::Ticket tk;
        tk.numtik = numtik;
        tk.serial = numtik + 50000000;
        tk.cod_ven = ven;
        tk.caja = caja;
        tk.fecha = QDate::currentDate();
        tk.hora = "10:00:00";
        tk.state = central::Ticket::sold;
        tk.total = 500000000;
        model().tickets << tk;
        return model().tickets.last();
    }

    // The calls since the log was last cleared, as "proc:value|value".
    QStringList calls() const
    {
        QStringList out;
        for (const auto& c : t.srv->log) {
            QStringList v;
            for (const auto& x : c.values)
                v << (x.isNull() ? QStringLiteral("<null>") : x.toString());
            out << c.proc + ":" + v.join('|');
        }
        return out;
    }
    void clear_log()
    {
        t.srv->log.clear();
        dlg().boxes.clear();
    }
    // The boxes shown, as "text/style".
    QStringList boxes() const
    {
        QStringList out;
        for (const auto& b : t.dlg->boxes) {
            EXPECT_EQ(b.title, "Tovaren");
            out << b.text + "/" + QString::number(b.style);
        }
        return out;
    }

    // A window's control by name.
    template <class T = QLineEdit> static T* c(QWidget* w, const char* name) { return w->findChild<T*>(name); }
    static QStringList texts(QWidget* w, const QStringList& names)
    {
        QStringList out;
        for (const auto& n : names)
            out << c(w, qPrintable(n))->text();
        return out;
    }
    QString active() const { return main->mdi_area()->activeSubWindow()->widget()->objectName(); }

    // The double's call rule held: no parameter left on the shared command, default pointer.
    void expect_clean() const
    {
        EXPECT_TRUE(t.app->cmd_sp.params().isEmpty());
        EXPECT_EQ(t.dlg->pointer(), plat::ptr_default);
    }
};
