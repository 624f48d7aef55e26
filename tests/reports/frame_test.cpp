// What every report window shares: opening from the menu, its criteria, the caja list and
// lock, the caja keys, Enter and Esc, reopening.
#include "tests/reports/fixture.h"

#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScreen>

using namespace reports_test;

namespace {

struct Win {
    const char* item;
    const char* name;
    const char* caption;
    QStringList dates;
    bool todas;  // "TODAS" heads the caja list
};

const Win caja_windows[] = {
    {"rep_vtq", "repvtq", "Reporte - Ventas Tovaren", {"tx_desd", "tx_hast"}, true},
    {"rep_itx", "repitx", "Reporte - Impuesto Municipal", {"tx_desd", "tx_hast"}, true},
    {"rep_caj", "repctq", "Reporte - Cuadre de Caja", {"tx_fech"}, false},
    {"rep_rtq", "reprtq", "Reporte - Resultados Tovaren", {"tx_desd", "tx_hast"}, true},
};

QComboBox* caja(QWidget* w) { return child<QComboBox>(w, "tx_caja"); }
QStringList items(QComboBox* c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

TEST(ReportFrame, OpensWithItsCriteriaForTheSupervisorAndForACashier)
{
    const QStringList cajas = {"00", "01", "02"};
    for (const Win& win : caja_windows)
        for (const char* user : {"00", "01"}) {
            SCOPED_TRACE(std::string(win.name) + " caja " + user);
            Reports r(user);
            QWidget* w = r.open(win.item);
            ASSERT_TRUE(w);
            EXPECT_EQ(w->objectName(), win.name);
            EXPECT_EQ(w->windowTitle(), win.caption);
            EXPECT_EQ(child<QGroupBox>(w, "framex")->title(), "Criterios");
            QStringList buttons;
            for (const char* b : {"bt_emitir", "bt_imprimir", "b_salir"})
                buttons << child<QPushButton>(w, b)->text();
            EXPECT_EQ(buttons, QStringList({"Emitir", "Imprimir", "Salir"}));
            for (const QString& d : win.dates)
                EXPECT_EQ(w->findChild<QDateEdit*>(d)->date(), day_b) << d.toStdString();

            QComboBox* c = caja(w);
            EXPECT_EQ(items(c), win.todas ? QStringList("TODAS") + cajas : cajas);
            const bool supervisor = QString(user) == "00";
            EXPECT_EQ(c->currentText(), supervisor ? (win.todas ? "TODAS" : "00") : "01");
            EXPECT_EQ(c->isEnabled(), supervisor);
            ASSERT_EQ(r.t.srv->calls("getcaj").size(), 1);
            EXPECT_EQ(r.t.srv->calls("getcaj")[0].values, QVariantList({"001"}));
            EXPECT_EQ(r.t.srv->calls("getcaj")[0].types, QList<int>({db::adChar}));
            EXPECT_EQ(r.t.srv->calls("getcaj")[0].sizes, QList<int>({3}));

            const QScreen* screen = QGuiApplication::primaryScreen();
            const bool wide = screen->geometry().width() * 15 > 9600;
            EXPECT_EQ(w->parentWidget()->pos(), wide ? QPoint(133, 100) : QPoint(100, 67));
            EXPECT_TRUE(r.boxes().isEmpty());
        }
}

TEST(ReportFrame, AnEmptyCajaListLeavesOnlyTodas)
{
    for (const Win& win : caja_windows) {
        SCOPED_TRACE(win.name);
        Reports r;
        r.t.srv->model.outlet.users.clear();
        QComboBox* c = caja(r.open(win.item));
        EXPECT_EQ(items(c), win.todas ? QStringList("TODAS") : QStringList());
        EXPECT_EQ(c->currentText(), win.todas ? "TODAS" : "");
    }
}

TEST(ReportFrame, CajaTakesTwoDigits)
{
    const struct { QString start; QString keys; QString left; } cases[] = {
        {"", "a1 -x", "1"},
        {"", "123", "12"},       // the procedures take two characters
        {"", "9", "9"},          // a caja the list does not hold
        {"TODAS", "\b", ""},     // a partly erased "TODAS" is no caja
        {"TODAS", "5", "5"},
        {"01", "\b", "0"},
        {"01", "+.", "01"},
    };
    Reports r;
    QWidget* w = r.open("rep_vtq");
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QComboBox* c = caja(w);
    for (const auto& k : cases) {
        SCOPED_TRACE((k.start + " + " + k.keys).toStdString());
        c->setFocus();
        c->setEditText(k.start);
        c->lineEdit()->end(false);
        for (const QChar ch : k.keys)
            ch == u'\b' ? QTest::keyClick(c, Qt::Key_Backspace) : QTest::keyClicks(c, ch);
        EXPECT_EQ(c->currentText(), k.left);
    }
}

TEST(ReportFrame, EnterEmitsEscCloses)
{
    for (const Win& win : caja_windows) {
        SCOPED_TRACE(win.name);
        Reports r;
        QWidget* w = r.open(win.item);
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        caja(w)->setEditText("01");
        for (QWidget* field : {static_cast<QWidget*>(caja(w)), w->findChild<QWidget*>(win.dates[0])}) {
            r.t->buf_rep.rep_lin.clear();
            r.t->mdi->setActiveSubWindow(frame);
            field->setFocus();
            QTest::keyClick(field, Qt::Key_Return);
            EXPECT_FALSE(r.t->buf_rep.rep_lin.isEmpty()) << field->objectName().toStdString();
            EXPECT_EQ(r.shown(), r.t->buf_rep.rep_lin);
        }
        r.t->mdi->setActiveSubWindow(frame);
        caja(w)->setFocus();
        QTest::keyClick(caja(w), Qt::Key_Escape);
        settle();
        EXPECT_FALSE(r.t->is_loaded(win.name));
        EXPECT_EQ(r.t->mdi->subWindowList().size(), 1);  // the viewer only
    }
}

TEST(ReportFrame, AMenuClickBringsItForwardReopeningResetsIt)
{
    for (const Win& win : caja_windows) {
        SCOPED_TRACE(win.name);
        Reports r;
        QWidget* w = r.open(win.item);
        auto* d = w->findChild<QDateEdit*>(win.dates[0]);
        d->setDate(day_a);
        caja(w)->setEditText("02");
        // Open: brought forward as the user left it, no new call.
        EXPECT_EQ(r.open(win.item), w);
        EXPECT_EQ(d->date(), day_a);
        EXPECT_EQ(caja(w)->currentText(), "02");
        EXPECT_EQ(r.t.srv->calls("getcaj").size(), 1);
        // Closed and opened again: loaded afresh.
        r.close(w);
        QWidget* again = r.open(win.item);
        EXPECT_EQ(again->findChild<QDateEdit*>(win.dates[0])->date(), day_b);
        EXPECT_EQ(caja(again)->currentText(), win.todas ? "TODAS" : "00");
        EXPECT_EQ(r.t.srv->calls("getcaj").size(), 2);
    }
}

TEST(ReportFrame, LostConnectionAtLoad)
{
    const QString lost = "No hay conexión con el servidor." + QString(10, ' ');
    for (const Win& win : caja_windows)
        for (int failures : {1, 2})
            for (const char* user : {"00", "01"}) {
                SCOPED_TRACE(testing::Message() << win.name << " failures " << failures << " caja " << user);
                Reports r(user);
                r.t.srv->fail_next(failures, "getcaj");
                QWidget* w = r.open(win.item);
                QComboBox* c = caja(w);
                for (const QString& d : win.dates)
                    EXPECT_EQ(w->findChild<QDateEdit*>(d)->date(), day_b);
                if (failures == 1) {
                    EXPECT_TRUE(r.boxes().isEmpty());
                    EXPECT_EQ(c->count(), win.todas ? 4 : 3);
                    EXPECT_EQ(c->isEnabled(), QString(user) == "00");
                } else {
                    EXPECT_EQ(r.boxes(), QStringList{lost});
                    EXPECT_EQ(c->count(), 0);
                    EXPECT_EQ(c->currentText(), "");
                    EXPECT_TRUE(c->isEnabled());
                }
                EXPECT_EQ(r.t.dlg->pointer(), plat::ptr_default);
            }
}

} // namespace
