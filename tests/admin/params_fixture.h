#pragma once
// The program after a login, with the main window's menus, the parameter windows and the
// central double.
#include "admin/windows.h"
#include "core/shell/main_window.h"
#include "core/shell/windows.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

struct ParamsShell {
    TestApp t;
    main_window main{*t};

    explicit ParamsShell(const QString& caja = "00")
    {
        register_admin_windows(*t);
        register_shell_windows(*t);
        main.Form_Load();
        t.reg->saved.clear();
        t.connect();
        t->ses_val.cod_ven = "001";
        t->ses_val.nom_ven = "AGENCIA UNO";
        t->ses_val.cod_caj = caja;
        t->num_hdd = "0012345678";
    }

    // Clicks a menu item; inside runs with the modal window it shows (null: none), which is
    // closed afterwards if still open.
    template <class W, class F> void open(const char* item, F inside)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            QWidget* m = QApplication::activeModalWidget();
            inside(qobject_cast<W*>(m));
            if (m && m->isVisible())
                m->close();
            ran = true;
        });
        t->mnu.value(item)->trigger();
        while (!ran)
            QApplication::processEvents();
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

// The text of each field, a text box or a list.
inline QStringList texts(const QList<QWidget*>& fields)
{
    QStringList out;
    for (QWidget* f : fields)
        out << (qobject_cast<QComboBox*>(f) ? static_cast<QComboBox*>(f)->currentText() : static_cast<QLineEdit*>(f)->text());
    return out;
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
