#pragma once
// The administration windows on a main window, logged in against the double as the
// supervisor or a cashier of outlet 001, the connection open, with four users and three
// deposits seeded.
#include "admin/list_window.h"
#include "admin/windows.h"
#include "core/app/permissions.h"
#include "core/shell/main_window.h"
#include "core/shell/windows.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <type_traits>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QVariant& v, std::ostream* os)
{
    *os << (v.isNull() ? "null" : v.typeName()) << ' ';
    PrintTo(v.toString(), os);
}

inline const QString kLost = "No hay conexión con el servidor." + QString(10, ' ');

struct AdminShell {
    TestApp t;
    main_window w{*t};

    // over_wire: through the real driver and the double's TDS endpoint (TestApp::over_wire).
    explicit AdminShell(const QString& caja = "00", bool over_wire = false)
    {
        if (over_wire) {
            EXPECT_TRUE(t.over_wire());
        }
        register_admin_windows(*t);
        register_shell_windows(*t);
        auto& s = t->ses_val;
        s.cod_ven = "001";
        s.nom_ven = "AGENCIA UNO";
        s.cod_caj = caja;
        s.fec_sys = QDate(2024, 5, 10);
        t->num_hdd = "0305419896";
        per_table(*t);
        // NADIE has no caja: never listed. Deposit 1 is of an amount that is no whole
        // hundredth and not of the working date; deposit 2 is processed.
        model().outlet.users = {{"ADMIN", {"CLAVE", "00", {}}}, {"ANA", {"ROSA", "03", {}}},
                                {"CAJERO", {"CLAVE1", "01", {}}}, {"NADIE", {"X", "", {}}}};
        model().outlet.deposits = {{QDate(2024, 5, 9), "001", "0004512", 250000000000, false},
                                   {QDate(2024, 5, 3), "002", "77", 123456789, false},
                                   {QDate(2024, 5, 10), "002", "0004518", 120050000000, true}};
        t.connect();
        w.show();
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

    // The users list or the deposits list, opened from its menu item.
    list_window* open_list(bool users)
    {
        return open<list_window>(users ? "userx" : "mov_dpo", users ? "usuarios" : "movdpo");
    }

    // Runs action; a modal window it opens (through a pop-up menu too) is handed to
    // on_modal once active, then closed if still open. Answers that window's caption.
    template <class W = QWidget>
    QString with_modal(const std::function<void()>& action,
                       const std::function<void(std::type_identity_t<W>*)>& on_modal = {})
    {
        QString caption;
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (QApplication::activePopupWidget())
                return;  // the pop-up menu's item opens the window
            poll.stop();
            if (QPointer<QWidget> m = QApplication::activeModalWidget()) {
                EXPECT_TRUE(QTest::qWaitForWindowActive(m));  // as a person finds it
                caption = m->windowTitle();
                if (on_modal)
                    on_modal(qobject_cast<W*>(m.data()));
                if (m && m->isVisible())
                    m->close();
            }
        });
        poll.start();
        action();
        QCoreApplication::processEvents();
        poll.stop();
        return caption;
    }

    // A right click over the list (at a point of its rows), and the pop-up menu's item of
    // that name chosen.
    void popup_item(QTreeWidget* lista, const QString& name, QPoint at = QPoint(5, 5))
    {
        QTimer::singleShot(0, [name] {
            auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            m->close();
            m->findChild<QAction*>(name)->trigger();
        });
        QTest::mouseClick(lista->viewport(), Qt::RightButton, {}, at);
    }

    // The saved settings "key=value", in the order written.
    QStringList saved()
    {
        QStringList out;
        for (const auto& k : t.reg->saved)
            out << k + "=" + t.reg->values.value(fake::Settings::path("vuroda", "parsys", k));
        return out;
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

// The calls since the log held `from` of them: "proc value value" each, or of proc only,
// "value value" each.
inline QStringList calls_since(const central::Server& srv, qsizetype from = 0, const QString& proc = {})
{
    QStringList out;
    for (const auto& c : srv.log.mid(from)) {
        QStringList words{c.proc};
        for (const auto& v : c.values)
            words << v.toString();
        if (proc.isEmpty() || c.proc == proc)
            out << words.mid(proc.isEmpty() ? 0 : 1).join(' ');
    }
    return out;
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

// The text of each field: a text box, a list or a date.
inline QStringList texts(const QList<QWidget*>& fields)
{
    QStringList out;
    for (QWidget* f : fields)
        if (auto* c = qobject_cast<QComboBox*>(f))
            out << c->currentText();
        else if (auto* d = qobject_cast<QDateEdit*>(f))
            out << d->date().toString("yyyy-MM-dd");
        else
            out << static_cast<QLineEdit*>(f)->text();
    return out;
}

// Types each text into the window's field of that name.
inline void type_in(QWidget* w, std::initializer_list<std::pair<const char*, const char*>> texts)
{
    for (const auto& [name, text] : texts)
        QTest::keyClicks(w->findChild<QWidget*>(name), text);
}

// Types keys into each field (a text box emptied first) and checks its text.
inline void expect_typed(std::initializer_list<std::tuple<QWidget*, const char*, QString>> cases)
{
    for (const auto& [field, keys, want] : cases) {
        if (auto* e = qobject_cast<QLineEdit*>(field))
            e->clear();
        QTest::keyClicks(field, keys);
        EXPECT_EQ(texts({field})[0], want) << qPrintable(field->objectName());
    }
}
