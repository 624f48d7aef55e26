#pragma once
// The ticket services on a TestApp: a cashier of caja 03 of outlet 001, the main window
// with its menus, the double's ticket store, and the checks the windows' tests share.
#include "core/shell/main_window.h"
#include "core/shell/windows.h"
#include "services/ticket_form.h"
#include "services/windows.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// A message box as the tests write it: its text with the five blanks, "/", its style.
inline QString box(const char* text, int style) { return QString::fromUtf8(text) + QString(5, u' ') + "/" + QString::number(style); }
inline const QString kLostBox = "No hay conexión con el servidor." + QString(10, u' ') + "/16";

class TicketsTest : public ::testing::Test {
public:
    TestApp t;
    std::unique_ptr<main_window> main;
    const QDate today = QDate::currentDate();

    void SetUp() override
    {
        register_services_windows(*t);
        register_shell_windows(*t);
        main = std::make_unique<main_window>(*t);
        t->ses_val.cod_ven = "001";
        t->ses_val.cod_caj = "03";
        t->ses_val.fec_sys = today;
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
        t.connect();
    }

    central::Model& model() { return t.srv->model; }
    fake::Dialogs& dlg() { return *t.dlg; }

    // A ticket sold today for 5 units; its serial is 5000nnnn for a number nnnn.
    central::Ticket& add_ticket(qint64 numtik, const QString& caja = "05")
    {
        central::Ticket& tk = model().tickets.emplace_back();
        tk.numtik = numtik;
        tk.serial = numtik + 50000000;
        tk.cod_ven = "001";
        tk.caja = caja;
        tk.fecha = today;
        tk.hora = "10:00:00";
        tk.state = central::Ticket::sold;
        tk.total = 500000000;
        return tk;
    }

    // Every call since the last clear, as "proc:value|value" (a null value as "<null>").
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
    QStringList boxes() const
    {
        QStringList out;
        for (const auto& b : t.dlg->boxes) {
            EXPECT_EQ(b.title, "Tovaren");
            out << b.text + "/" + QString::number(b.style);
        }
        return out;
    }
    void clear_log()
    {
        t.srv->log.clear();
        dlg().boxes.clear();
    }

    static QString fields(QWidget* w, const QStringList& names)
    {
        QStringList out;
        for (const auto& n : names)
            out << w->findChild<QLineEdit*>(n)->text();
        return out.join('|');
    }
    // Types into tx_numt afresh and presses Enter; answers every box with what it showed
    // and the window's fields at that moment ("box fields").
    QStringList procesar(TicketForm* w, const QString& typed, const QStringList& names)
    {
        QStringList seen;
        auto inner = dlg().on_box;
        dlg().on_box = [&](const fake::Box& b) {
            seen << b.text + "/" + QString::number(b.style) + " " + fields(w, names);
            if (inner)
                inner(b);
        };
        w->tx_numt->clear();
        QTest::keyClicks(w->tx_numt, typed);
        QTest::keyClick(w->tx_numt, Qt::Key_Return);
        dlg().on_box = nullptr;
        return seen;
    }

    // The call rule held: no parameter left on the shared command, default pointer.
    void expect_clean() const
    {
        EXPECT_TRUE(t.app->cmd_sp.params().isEmpty());
        EXPECT_EQ(t.dlg->pointer(), plat::ptr_default);
    }
};
