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
inline const QString no_info = "No hay información." + QString(10, ' ');
inline const QString lost = "No hay conexión con el servidor." + QString(10, ' ');

inline void settle()
{
    QApplication::sendPostedEvents(nullptr, 0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The store the report procedures answer from, in place of the demo's history: sales,
// annulled tickets and prizes of cajas 01 and 02 on two days, one ticket on two lotteries.
inline void fill_store(central::Model& m)
{
    m.tickets.clear();
    m.outlet.users.insert("CAJERO2", central::User{"CLAVE", "02", {}});
    m.outlet.commission = 10;
    m.lotteries.clear();
    for (const char* l : {"L01ZULIA 12PM", "L02CARACAS 4PM"}) {
        central::Lottery lot;
        lot.codint = lot.codlot = QString(l).left(3);
        lot.nomlot = QString(l).mid(3);
        m.lotteries << lot;
    }
    auto add = [&m](qint64 numtik, const char* caja, QDate fecha, double total, auto state, double premio = 0,
                    QDate paid = {}, const char* at = "") {
        central::Ticket t;
        t.numtik = numtik;
        t.cod_ven = "001";
        t.caja = t.paid_caja = caja;
        t.fecha = fecha;
        t.hora = "09:30:00";
        t.state = state;
        t.total = qint64(total * U);
        t.tax = t.total / 100;
        t.premio = qint64(premio * U);
        t.paid = paid.isValid();
        t.paid_at = QDateTime(paid, QTime::fromString(at, "hh:mm:ss"));
        t.plays << central::Play{0, "L01", "N", "123", t.total, false};
        m.tickets << t;
        return &m.tickets.last();
    };
    const auto sold = central::Ticket::sold, annulled = central::Ticket::annulled;
    add(1001, "01", day_a, 1.5, sold);
    add(1002, "01", day_a, 10, sold, 700, day_b, "10:15:00");
    add(1003, "02", day_a, 25.5, sold);
    add(1004, "01", day_b, 5, sold, 30);
    add(12345678, "01", day_b, 2, sold, 120, day_b, "11:00:00");
    add(77, "01", day_a, 3, annulled)->tax = 0;
    add(123456789, "02", day_b, 4, annulled)->hora = "18:45:10";
    add(2001, "02", day_b, 6, sold, 90)->plays = {central::Play{0, "L01", "N", "45", 2 * U, false},
                                                  central::Play{1, "L02", "N", "45", 4 * U, false}};
    m.outlet.deposits = {central::Deposit{day_b, "BAN", "0001", 15 * U, false}};
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
        t->cfg_reg.rep_marg = 2;
        t->cfg_reg.rep_salt = 1;
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
        return t->mdi->activeSubWindow()->widget();
    }
    // The viewer's lines (none when it is not open), and what the printer received, without
    // its end of page.
    QStringList shown()
    {
        QStringList out;
        if (auto* v = t->is_loaded("reporte") ? t->win<reporte>("reporte") : nullptr)
            for (int i = 0; i < v->lista->count(); ++i)
                out << v->lista->item(i)->text();
        return out;
    }
    QStringList printed() { return t.prn->docs.value(0).lines.mid(0, t.prn->docs.value(0).lines.size() - 1); }
    QStringList boxes() { return t.dlg->texts(); }
    // A procedure answering these rows whatever it is asked.
    void answer(const char* proc, const QStringList& columns, const QList<QVariantList>& rows)
    {
        t.srv->register_procedure(proc, [columns, rows](central::Request& q) {
            q.rows(columns).rows = rows;
            return true;
        });
    }
    // The values of each call of the log: "proc a|b|c".
    QStringList sent()
    {
        QStringList out;
        for (const auto& c : t.srv->log) {
            QStringList v;
            for (const auto& x : c.values)
                v << x.toString();
            out << c.proc + " " + v.join('|');
        }
        return out;
    }
};

template <class T = QWidget> T* child(QWidget* w, const char* name) { return w->findChild<T*>(name); }
inline void click(QWidget* w, const char* button) { child<QPushButton>(w, button)->click(); }

// The window's date fields in their order get a and b; its caja box gets caja ("-" empties
// it, "" leaves it).
inline void criteria(QWidget* w, QDate a, QDate b, const QString& caja = {})
{
    const auto dates = w->findChildren<QDateEdit*>();
    dates.value(0)->setDate(a);
    if (dates.size() > 1)
        dates[1]->setDate(b);
    if (auto* c = child<QComboBox>(w, "tx_caja"); c && !caja.isEmpty())
        c->setEditText(caja == "-" ? QString() : caja);
}

// Compares report lines with a golden text, one line of the file per line of the report.
// TOVAREN_GOLDEN_UPDATE=1 writes the file instead.
inline void expect_golden(const QStringList& lines, const QString& name)
{
    QFile f(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../golden/reports/" + name + ".txt");
    if (qEnvironmentVariableIntValue("TOVAREN_GOLDEN_UPDATE") == 1) {
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write((lines.join('\n') + '\n').toUtf8());
        return;
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    QStringList want = QString::fromUtf8(f.readAll()).split('\n');
    want.removeLast();
    EXPECT_EQ(lines, want) << name.toStdString();
}

} // namespace reports_test
