#pragma once
// The ticket services on a TestApp: a cashier of caja 03 of outlet 001 logged in today,
// the main window with its menus on the double, and the checks the tests share.
#include "core/shared/twips.h"
#include "core/shell/main_window.h"
#include "core/shell/windows.h"
#include "services/annul_window.h"
#include "services/inquiry_lines.h"
#include "services/inquiry_window.h"
#include "services/movprm.h"
#include "services/payment_window.h"
#include "services/windows.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QDateEdit>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class ServicesTest : public ::testing::Test {
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

    // The window of a menu item, opened or brought to the front.
    template <class W> W* open(const char* item, const char* name)
    {
        t->mnu.value(item)->trigger();
        return t->win<W>(name);
    }

    // A ticket of 5 units sold days ago, with plays of lottery 801 (not in the catalogue);
    // its serial is 5000nnnn for a number nnnn.
    central::Ticket& add_ticket(qint64 numtik, const QString& caja = "05", int days_ago = 0, const QStringList& plays = {})
    {
        central::Ticket& tk = t.srv->model.tickets.emplace_back(central::Ticket{
            .numtik = numtik, .serial = numtik + 50000000, .cod_ven = "001", .caja = caja, .fecha = today.addDays(-days_ago),
            .hora = "10:00:00", .state = central::Ticket::sold, .total = 500000000, .paid_at = {}, .paid_caja = {}, .plays = {}});
        for (const auto& n : plays)
            tk.plays << central::Play{int(tk.plays.size()), "801", "N", n, 100000000};
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
        t.dlg->boxes.clear();
    }
    // A step of a transcript: its name, the boxes and calls since the last step, what it
    // shows. The call rule held: no parameter left on the shared command, default pointer.
    QStringList look(const QString& step, const QStringList& shown)
    {
        EXPECT_TRUE(t.app->cmd_sp.params().isEmpty());
        EXPECT_EQ(t.dlg->pointer(), plat::ptr_default);
        const QStringList out = QStringList{step, "  boxes " + boxes().join(", "), "  calls " + calls().join(", ")} + shown;
        clear_log();
        return out;
    }

    static QStringList rows(const QTreeWidget* l)
    {
        QStringList out;
        for (int i = 0; i < l->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < l->columnCount(); ++c)
                cells << l->topLevelItem(i)->text(c);
            out << cells.join('|');
        }
        return out;
    }

    // Types into tx_numt afresh and presses Enter. Answers what the run showed: the boxes,
    // the calls, the window's fields below the ticket field while each box is up and after.
    QStringList run(TicketForm* w, const QString& typed)
    {
        const auto fields = [w] {
            QStringList out;
            for (const auto* f : w->findChildren<QLineEdit*>())
                if (f->objectName() != "tx_ultt")
                    out << f->text();
            return out.join('|');
        };
        QStringList seen;
        const auto inner = t.dlg->on_box;
        t.dlg->on_box = [&](const fake::Box& b) {
            seen << QString("  while box %1 is up: ").arg(seen.size() + 1) + fields();
            if (inner)
                inner(b);
        };
        clear_log();
        w->tx_numt->clear();
        QTest::keyClicks(w->tx_numt, typed);
        QTest::keyClick(w->tx_numt, Qt::Key_Return);
        t.dlg->on_box = nullptr;
        return look("  typed " + QString(typed).replace('\b', "<Backspace>"), seen << "  after: " + fields());
    }

    // Lines against a golden text of tests/golden/services, with the dates of today and the
    // week before written as "TODAY", "TODAY-1"... (written instead with TOVAREN_GOLDEN=write).
    void expect_golden(const QStringList& lines, const char* name) const
    {
        QFile f(QString::fromUtf8(__FILE__).section('/', 0, -3) + "/golden/services/" + QString::fromLatin1(name));
        QString text = lines.join('\n') + '\n';
        for (int days = 0; days < 7; ++days)
            for (const char* format : {"dd/MM/yyyy", "yyyy-MM-dd"})
                text.replace(today.addDays(-days).toString(format), days ? QString("TODAY-%1").arg(days) : "TODAY");
        if (qEnvironmentVariable("TOVAREN_GOLDEN") == "write") {
            ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) >= 0) << name;
            return;
        }
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        EXPECT_EQ(text.toStdString(), f.readAll().toStdString()) << name;
    }
};
