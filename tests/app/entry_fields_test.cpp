// Every entry field of every window of the program takes text only through its key filter:
// what is typed shows what the filter admits, and text pasted into it by any way is refused.
// A field a window gains later without a key filter fails here unless it is listed as open.
#include "app/windows.h"
#include "core/app/keyfilter.h"
#include "core/shell/main_window.h"
#include "tests/doubles/test_app.h"
#include "tests/doubles/untyped.h"

#include <QAbstractSpinBox>
#include <QHash>
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
    // A field typed into afresh (what it shows), then pasted into by every way; any other
    // field is pasted "12ab34" into as it opens. Fields alike in a loop.
    struct Row { QString typed, shown, pasted; };
    QHash<QString, Row> rows = {
        {"conexion.tx_user", {"ana", "ANA", "pepe"}},       {"conexion.tx_clav", {"rosa", "ROSA", "clave"}},
        {"conexion.tx_dtbs", {"de-mo", "DEMO", "DEMO"}},    {"proatk.tx_numt", {"4a7", "47", "12ab34"}},
        {"proptk.tx_numt", {"5x0", "50", "12ab34"}},        {"reprtq.tx_stat", {"p", "P", "todos"}},
        {"reprba.tx_lote", {"sa", "SA", "loteria"}},        {"parsys.tx_vent", {"1a", "1", "12ab34"}},
        {"parsys.tx_mens", {"hola 1-!", "HOLA 1", "hola"}}, {"parprn.tx_impr", {"p", "", "PDF"}},
        {"parprn.tx_salt", {"a1", "1", "12ab34"}},          {"parprn.tx_marg", {"2b", "2", "12ab34"}},
        {"parprn.tx_letr", {"a", "", "Arial"}},             {"usuarios_e.tx_user", {"ana", "ANA", "pepe"}},
        {"usuarios_e.tx_clav", {"rosa", "ROSA", "clave"}},  {"usuarios_e.tx_caja", {"a7", "7", "12ab34"}},
        {"movdpo_e.tx_codbco", {"ab1", "AB1", "002 - BANCO"}}, {"movdpo_e.tx_nummov", {"x12", "X12", "0004512"}},
        {"movdpo_e.tx_monto", {"1a2.345", "12.34", "12ab34"}},
    };
    for (const char* f : {"tx_jmin", "tx_jmiz", "tx_jmis", "tx_jmax", "tx_jmaz", "tx_jmas", "tx_tmin", "tx_tmax"})
        rows.insert(QString("parsys.") + f, {"1a", "", "100"});
    for (const char* f : {"parsys.tx_anut", "parsys.tx_modv", "parsys.tx_rlot", "parsys.tx_enca", "parsys.tx_juga",
                          "parsys.tx_simb", "parprn.tx_codb", "parprn.tx_cutt"})
        rows.insert(f, {"s", "", "SI"});
    for (const char* w : {"repvtq", "repitx", "repctq", "reprtq"})
        rows.insert(QString(w) + ".tx_caja", {"0a3", "03", "12ab34"});
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
        const QList<QWidget*> fields = w ? entry_fields(w) : QList<QWidget*>();
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
            f->setEnabled(true);  // some are enabled only in some modes
            f->setFocus();
            if (rows.contains(id)) {
                untyped::edit_of(f)->clear();
                QTest::keyClicks(f, rows[id].typed);
                EXPECT_EQ(text_of(f), rows[id].shown);
            }
            const QString shown = text_of(f);
            for (const auto& way : untyped::ways()) {
                way.put(f, rows.value(id, {{}, {}, "12ab34"}).pasted);
                EXPECT_EQ(text_of(f), shown) << way.name;
            }
        }
        if (w)
            t->unload(name);
    }
    for (const QString& id : rows.keys())
        EXPECT_TRUE(seen.contains(id)) << id.toStdString();
}

} // namespace
