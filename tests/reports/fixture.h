#pragma once
// The report windows on the central double: a logged-in session in the main window, a
// ticket store of known contents, and the golden texts the reports are compared with.
#include "app/windows.h"
#include "core/shell/main_window.h"
#include "core/shell/report.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace reports_test {

constexpr qint64 U = 100000000;  // one money unit at the default divisor
inline const QDate day_a{2024, 5, 1};
inline const QDate day_b{2024, 5, 2};

inline void settle()
{
    QApplication::sendPostedEvents(nullptr, 0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The store the report procedures answer from: the demo's history replaced by these.
inline void fill_store(central::Model& m)
{
    m.tickets.clear();
    m.outlet.users.insert("CAJERO2", central::User{"CLAVE", "02", {}});
    m.outlet.deposits.clear();
    m.outlet.commission = 10;
    m.lotteries.clear();
    const char* lots[][2] = {{"L01", "ZULIA 12PM"}, {"L02", "CARACAS 4PM"}};
    for (const auto& l : lots) {
        central::Lottery lot;
        lot.codint = lot.codlot = l[0];
        lot.nomlot = l[1];
        m.lotteries << lot;
    }
    auto add = [&m](qint64 numtik, const char* caja, QDate fecha, qint64 total, qint64 tax,
                    central::Ticket::State state = central::Ticket::sold) -> central::Ticket& {
        central::Ticket t;
        t.numtik = numtik;
        t.cod_ven = "001";
        t.caja = caja;
        t.fecha = fecha;
        t.hora = "09:30:00";
        t.state = state;
        t.total = total;
        t.tax = tax;
        t.plays << central::Play{0, "L01", "N", "123", total, false};
        m.tickets << t;
        return m.tickets.last();
    };
    auto pay = [](central::Ticket& t, qint64 premio, QDate on, const char* at) {
        t.premio = premio;
        t.paid = on.isValid();
        t.paid_on = on;
        t.paid_at = at;
        t.paid_caja = t.caja;
    };
    add(1001, "01", day_a, 150000000, 2000000);
    pay(add(1002, "01", day_a, 10 * U, 10000000), 700 * U, day_b, "10:15:00");
    add(1003, "02", day_a, 2550000000, 25500000);
    pay(add(1004, "01", day_b, 5 * U, 5000000), 30 * U, {}, "");
    pay(add(12345678, "01", day_b, 2 * U, 2000000), 120 * U, day_b, "11:00:00");
    add(77, "01", day_a, 3 * U, 0, central::Ticket::annulled);
    add(123456789, "02", day_b, 4 * U, 0, central::Ticket::annulled).hora = "18:45:10";
    // One ticket played on two lotteries: its prize is shared between them.
    central::Ticket& two = add(2001, "02", day_b, 6 * U, 6000000);
    two.plays = {central::Play{0, "L01", "N", "45", 2 * U, false}, central::Play{1, "L02", "N", "45", 4 * U, false}};
    pay(two, 90 * U, {}, "");
    m.outlet.deposits << central::Deposit{day_b, "BAN", "0001", 15 * U, false};
}

struct Reports {
    TestApp t;
    std::unique_ptr<main_window> main;

    explicit Reports(const char* caja = "00")
    {
        register_all_windows(*t);
        main = std::make_unique<main_window>(*t);
        main->Form_Load();
        main->show();
        t.connect();
        auto& s = t->ses_val;
        s.cod_ven = "001";
        s.nom_ven = "AGENCIA DE LOTERIAS LA SUERTE DEL NORTE";
        s.cod_caj = caja;
        s.fec_sys = day_b;
        s.por_imp = 1;
        t->cfg_reg.rep_enca = "1";
        fill_store(t.srv->model);
    }
    ~Reports()
    {
        main.reset();
        settle();
    }

    // Opens a report window from its menu item.
    QWidget* open(const char* item)
    {
        t->mnu.value(item)->trigger();
        return t->mdi->activeSubWindow() ? t->mdi->activeSubWindow()->widget() : nullptr;
    }
    void close(QWidget* w)
    {
        w->findChild<QPushButton*>("b_salir")->click();
        settle();
    }
    // The viewer's lines, or nothing when it is not open.
    QStringList shown()
    {
        QStringList out;
        if (auto* v = t->is_loaded("reporte") ? t->win<reporte>("reporte") : nullptr)
            for (int i = 0; i < v->lista->count(); ++i)
                out << v->lista->item(i)->text();
        return out;
    }
    QStringList boxes() { return t.dlg->texts(); }
};

template <class T = QWidget> T* child(QWidget* w, const char* name) { return w->findChild<T*>(name); }

inline QString golden_path(const QString& name)
{
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../golden/reports/" + name + ".txt";
}

// Compares report lines with a golden text, one line of the file per line of the report.
// TOVAREN_GOLDEN_UPDATE=1 writes the file instead.
inline void expect_golden(const QStringList& lines, const QString& name)
{
    QFile f(golden_path(name));
    if (qEnvironmentVariableIntValue("TOVAREN_GOLDEN_UPDATE") == 1) {
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write((lines.join('\n') + '\n').toUtf8());
        return;
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    QStringList want = QString::fromUtf8(f.readAll()).split('\n');
    want.removeLast();
    for (qsizetype i = 0; i < std::max(want.size(), lines.size()); ++i)
        EXPECT_EQ(i < lines.size() ? lines[i] : "<none>", i < want.size() ? want[i] : "<none>")
            << name.toStdString() << " line " << i + 1;
}

} // namespace reports_test
