// Every entry field of every window of the program takes text only through its key filter:
// what is typed shows what the filter admits, and text pasted into it by any way is refused.
// A field a window gains later without a key filter fails here unless it is listed as open.
#include "app/windows.h"
#include "core/app/keyfilter.h"
#include "core/shell/main_window.h"
#include "tests/doubles/test_app.h"
#include "tests/doubles/untyped.h"

#include <QAbstractSpinBox>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// The entry fields of a window: line edits that take text (not a date field's own) and
// editable combo boxes.
QList<QWidget*> entry_fields(QWidget* w)
{
    QList<QWidget*> out;
    for (QLineEdit* e : w->findChildren<QLineEdit*>()) {
        QWidget* owner = e->parentWidget();
        if (e->isReadOnly() || qobject_cast<QAbstractSpinBox*>(owner))
            continue;
        out << (qobject_cast<QComboBox*>(owner) ? owner : e);
    }
    return out;
}

QString text_of(QWidget* field) { return untyped::edit_of(field)->text(); }

TEST(EntryFields, EveryWindowsFieldsTakeTextOnlyThroughTheirFilter)
{
    // A field typed into afresh, then pasted into by every way.
    struct Row {
        const char *window, *field;
        QString typed, shown, pasted;
    };
    const Row rows[] = {
        {"conexion", "tx_user", "ana", "ANA", "pepe"},
        {"conexion", "tx_clav", "rosa", "ROSA", "clave"},
        {"conexion", "tx_dtbs", "de-mo", "DEMO", "DEMO"},
        {"proatk", "tx_numt", "4a7", "47", "12ab34"},
        {"proptk", "tx_numt", "5x0", "50", "12ab34"},
        {"repvtq", "tx_caja", "0a3", "03", "12ab34"},
        {"repitx", "tx_caja", "0a3", "03", "12ab34"},
        {"repctq", "tx_caja", "0a3", "03", "12ab34"},
        {"reprtq", "tx_caja", "0a3", "03", "12ab34"},
        {"reprtq", "tx_stat", "p", "P", "todos"},
        {"reprba", "tx_lote", "sa", "SA", "loteria"},
        {"parsys", "tx_vent", "1a", "1", "12ab34"},
        {"parsys", "tx_mens", "hola 1-!", "HOLA 1", "hola"},
        {"parsys", "tx_jmin", "1a", "", "100"},
        {"parsys", "tx_jmiz", "1a", "", "100"},
        {"parsys", "tx_jmis", "1a", "", "100"},
        {"parsys", "tx_jmax", "1a", "", "100"},
        {"parsys", "tx_jmaz", "1a", "", "100"},
        {"parsys", "tx_jmas", "1a", "", "100"},
        {"parsys", "tx_tmin", "1a", "", "100"},
        {"parsys", "tx_tmax", "1a", "", "100"},
        {"parsys", "tx_anut", "s", "", "SI"},
        {"parsys", "tx_modv", "s", "", "SI"},
        {"parsys", "tx_rlot", "s", "", "SI"},
        {"parsys", "tx_enca", "s", "", "SI"},
        {"parsys", "tx_juga", "s", "", "SI"},
        {"parsys", "tx_simb", "s", "", "SI"},
        {"parprn", "tx_impr", "p", "", "PDF"},
        {"parprn", "tx_salt", "a1", "1", "12ab34"},
        {"parprn", "tx_marg", "2b", "2", "12ab34"},
        {"parprn", "tx_letr", "a", "", "Arial"},
        {"parprn", "tx_codb", "s", "", "SI"},
        {"parprn", "tx_cutt", "s", "", "SI"},
        {"usuarios_e", "tx_user", "ana", "ANA", "pepe"},
        {"usuarios_e", "tx_clav", "rosa", "ROSA", "clave"},
        {"usuarios_e", "tx_caja", "a7", "7", "12ab34"},
        {"movdpo_e", "tx_codbco", "ab1", "AB1", "002 - BANCO"},
        {"movdpo_e", "tx_nummov", "x12", "X12", "0004512"},
        {"movdpo_e", "tx_monto", "1a2.345", "12.34", "12ab34"},
    };
    // Fields with no key filter: shown only (always disabled), or free text by design.
    const QSet<QString> open = {"parsys.tx_codv", "parsys.tx_serx", "parsys.tx_nomb", "parsys.tx_zord"};

    TestApp t;
    register_all_windows(*t);
    main_window main(*t);
    main.Form_Load();
    main.show();
    t.connect();
    t->ses_val.cod_ven = "001";
    t->ses_val.cod_caj = "00";
    t->ses_val.fec_sys = QDate::currentDate();
    t->mod_edi = 1;  // the edit dialogs in include mode

    QSet<QString> seen;
    for (const QString& name : t->registered()) {
        QWidget* w = t->window(name);
        if (!w)
            continue;
        const QList<QWidget*> fields = entry_fields(w);
        if (!fields.isEmpty()) {
            w->show();
            w->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(w)) << name.toStdString();
        }
        for (QWidget* f : fields) {
            const QString id = name + "." + f->objectName();
            SCOPED_TRACE(id.toStdString());
            seen << id;
            const bool filtered = f->findChild<KeyFilter*>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
            EXPECT_EQ(filtered, !open.contains(id)) << "a key filter on " << id.toStdString();
            if (!filtered)
                continue;
            const auto row = std::find_if(std::begin(rows), std::end(rows),
                                          [&](const Row& r) { return name == r.window && f->objectName() == r.field; });
            f->setEnabled(true);  // some are enabled only in some modes
            f->setFocus();
            QString shown = text_of(f);
            if (row != std::end(rows)) {
                untyped::edit_of(f)->clear();
                QTest::keyClicks(f, row->typed);
                EXPECT_EQ(text_of(f), row->shown);
                shown = text_of(f);
            }
            for (const auto& way : untyped::ways()) {
                way.put(f, row != std::end(rows) ? row->pasted : QStringLiteral("12ab34"));
                EXPECT_EQ(text_of(f), shown) << way.name;
            }
        }
        t->unload(name);
    }
    for (const Row& r : rows)
        EXPECT_TRUE(seen.contains(QString(r.window) + "." + r.field)) << r.window << "." << r.field;
}

} // namespace
