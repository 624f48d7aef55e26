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
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

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
        s.mod_sys = s.jug_sys = 100000000;
        t->num_hdd = "0305419896";
        per_table(*t);
        t.connect();
        w->show();
    }
    ~AdminShell()
    {
        w.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    central::Model& model() { return t.srv->model; }
    QStringList boxes() const { return t.dlg->texts(); }
    // Triggers a menu item of the main window (a pop-up item too).
    void item(const char* name) { t->mnu.value(QString::fromLatin1(name))->trigger(); }

    // Runs action; a modal window that it opens is handed to on_modal, which must close it.
    // Answers the name of that window ("" when none opened).
    QString with_modal(const std::function<void()>& action, const std::function<void(QWidget*)>& on_modal = {})
    {
        QString name;
        std::function<void()> find = [&] {
            if (QApplication::activePopupWidget()) {  // a pop-up menu first: its item opens the window
                QTimer::singleShot(0, find);
                return;
            }
            QWidget* m = QApplication::activeModalWidget();
            if (!m)
                return;
            name = m->objectName();
            if (on_modal)
                on_modal(m);
            else
                m->close();
        };
        QTimer::singleShot(0, find);
        action();
        QCoreApplication::processEvents();
        return name;
    }

    // The pop-up that a right click over the list opens: its item of that name is chosen.
    void popup_item(QTreeWidget* lista, const char* name)
    {
        QTimer::singleShot(0, [name] {
            auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(m);
            QAction* a = m->findChild<QAction*>(QString::fromLatin1(name));
            m->close();
            a->trigger();
        });
        QTest::mouseClick(lista->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    }
};

// From now on the call number nth (from 0) of proc fails `fails` times in a row; body
// stands in for what the procedure does with the calls that go through.
inline void fail_call(central::Server& srv, const QString& proc, int nth, int fails, central::Procedure body)
{
    if (nth == 0) {
        srv.fail_next(fails, proc);
        return;
    }
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

inline int selected_row(const QTreeWidget* lista)
{
    const auto items = lista->selectedItems();
    return items.size() == 1 ? lista->indexOfTopLevelItem(items.first()) : -1;
}
