// The reports over the wire: the same lines through the FreeTDS driver and the double's TDS
// endpoint as in process, on the demo's week of history.
#include "tests/e2e/wire_app.h"

#include <QApplication>
#include <QDateEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

namespace {

// Builds the report of a menu item over the last week and answers its lines.
QStringList build(App& app, const char* item)
{
    app.mnu.value(item)->trigger();
    QWidget* w = app.mdi->activeSubWindow()->widget();
    for (auto* d : w->findChildren<QDateEdit*>())
        if (d->objectName() == "tx_desd" || d->objectName() == "tx_desde")
            d->setDate(d->date().addDays(-7));
    app.buf_rep.rep_lin.clear();
    w->findChild<QPushButton*>("bt_emitir")->click();
    return app.buf_rep.rep_lin;
}

TEST(ReportsOverTheWire, SameLinesAsInProcess)
{
    e2e::WireApp a(true);
    ASSERT_TRUE(a.up()) << qPrintable(a.error);
    QObject guard;
    QTimer::singleShot(0, &guard, [] {
        auto* c = qobject_cast<conexion*>(QApplication::activeModalWidget());
        ASSERT_TRUE(c) << "no login window";
        QTest::keyClicks(c->tx_clav, "clave");
        QTest::keyClick(c->tx_dtbs, Qt::Key_Return);
    });
    a.w->Form_Activate();
    ASSERT_EQ(a.app->ses_val.cod_caj, "01");

    TestApp t;
    register_all_windows(*t);
    main_window m(*t);
    m.Form_Load();
    t.connect();
    t->ses_val = a.app->ses_val;
    for (const char* item : {"rep_vtq", "rep_itx", "rep_caj", "rep_rtq", "rep_rba", "rep_lup"}) {
        SCOPED_TRACE(item);
        const QStringList wire = build(*a.app, item);
        EXPECT_GT(wire.size(), 12);
        EXPECT_EQ(wire, build(*t, item));
    }
    EXPECT_TRUE(a.dlg->boxes.isEmpty());
}

} // namespace
