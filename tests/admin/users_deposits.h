#pragma once
// The administration windows on a main window, logged in against the double: the
// supervisor or a cashier of outlet 001, the connection open.
#include "admin/windows.h"
#include "core/app/permissions.h"
#include "core/shell/main_window.h"
#include "core/shell/windows.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

inline const QString kLost = "No hay conexión con el servidor." + QString(10, ' ');

struct AdminShell {
    TestApp t;
    std::unique_ptr<main_window> w;

    explicit AdminShell(const QString& caja = "00")
    {
        register_admin_windows(*t);
        register_shell_windows(*t);
        w = std::make_unique<main_window>(*t);
        auto& s = t->ses_val;
        s.cod_ven = "001";
        s.cod_caj = caja;
        s.fec_sys = QDate(2024, 5, 10);
        t->num_hdd = "0305419896";
        per_table(*t);
        t.connect();
        w->show();
    }

    central::Model& model() { return t.srv->model; }
    QStringList boxes() const { return t.dlg->texts(); }
    // Triggers a menu item of the main window (a pop-up item too).
    void item(const char* name) { t->mnu.value(QString::fromLatin1(name))->trigger(); }
    // The loaded window of that name (created by the item when it is not loaded).
    template <class W> W* open(const char* item_name, const char* window)
    {
        item(item_name);
        return t->win<W>(QString::fromLatin1(window));
    }
    // Whether the window is loaded once closed windows had their deletion.
    bool loaded(const char* name)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return t->is_loaded(QString::fromLatin1(name));
    }

    // Runs action; a modal window it opens (through a pop-up menu too) is handed to
    // on_modal, which must close it, or closed. Answers that window's caption.
    QString with_modal(const std::function<void()>& action, const std::function<void(QWidget*)>& on_modal = {})
    {
        QString caption;
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (QApplication::activePopupWidget())
                return;  // the pop-up menu's item opens the window
            poll.stop();
            if (QWidget* m = QApplication::activeModalWidget()) {
                caption = m->windowTitle();
                on_modal ? on_modal(m) : void(m->close());
            }
        });
        poll.start();
        action();
        QCoreApplication::processEvents();
        poll.stop();
        return caption;
    }

    // A right click over the list, and the pop-up menu's item of that name chosen.
    void popup_item(QTreeWidget* lista, const QString& name)
    {
        QTimer::singleShot(0, [name] {
            auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            m->close();
            m->findChild<QAction*>(name)->trigger();
        });
        QTest::mouseClick(lista->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    }
};

// From now on the call number nth (from 0) of proc fails `fails` times in a row; body
// does what the procedure does with the calls that go through.
inline void fail_call(central::Server& srv, const QString& proc, int nth, int fails, central::Procedure body)
{
    if (nth == 0)
        return srv.fail_next(fails, proc);
    auto count = std::make_shared<int>(0);
    srv.register_procedure(proc, [&srv, proc, nth, fails, count, body](central::Request& r) {
        const bool ok = body(r);
        if (++*count == nth)
            srv.fail_next(fails, proc);
        return ok;
    });
}

// The texts of the list's rows, cells joined by "|".
inline QStringList rows_of(const QTreeWidget* lista)
{
    QStringList rows;
    for (int i = 0; i < lista->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < lista->columnCount(); ++c)
            cells << lista->topLevelItem(i)->text(c);
        rows << cells.join('|');
    }
    return rows;
}

// The check boxes of a list: "x" ticked, "." not; and setting them.
inline QString ticks(const QTreeWidget* lista)
{
    QString t;
    for (int k = 0; k < lista->topLevelItemCount(); ++k)
        t += lista->topLevelItem(k)->checkState(0) == Qt::Checked ? 'x' : '.';
    return t;
}
inline void set_ticks(QTreeWidget* lista, const QString& t)
{
    for (int k = 0; k < t.size(); ++k)
        lista->topLevelItem(k)->setCheckState(0, t[k] == 'x' ? Qt::Checked : Qt::Unchecked);
}

// The calls since the log held `from` of them: "proc value value" each.
inline QStringList calls_since(const central::Server& srv, qsizetype from)
{
    QStringList out;
    for (const auto& c : srv.log.mid(from)) {
        QStringList words{c.proc};
        for (const auto& v : c.values)
            words << v.toString();
        out << words.join(' ');
    }
    return out;
}
