// What every report window shares: opening from the menu, its criteria, the caja list and
// lock, the caja keys, Enter and Esc, reopening, a lost connection while it loads.
#include "tests/reports/fixture.h"

#include <QGuiApplication>
#include <QScreen>

using namespace reports_test;

namespace {

struct Win {
    const char* item;
    const char* name;
    const char* caption;
    int cajas;  // 0 no caja box, 1 the cajas, 2 "TODAS" and the cajas
};
const Win windows[] = {
    {"rep_vtq", "repvtq", "Reporte - Ventas Tovaren", 2},
    {"rep_itx", "repitx", "Reporte - Impuesto Municipal", 2},
    {"rep_caj", "repctq", "Reporte - Cuadre de Caja", 1},
    {"rep_rtq", "reprtq", "Reporte - Resultados Tovaren", 2},
    {"rep_rba", "reprba", "Reporte - Resultados Banca", 0},
    {"rep_lup", "replup", "Reporte - Cuadre de Cuentas", 0},
};

QComboBox* caja(QWidget* w) { return child<QComboBox>(w, "tx_caja"); }
QStringList items(QComboBox* c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

TEST(ReportFrame, OpensWithItsCriteria)
{
    const bool wide = QGuiApplication::primaryScreen()->geometry().width() * 15 > 9600;
    for (const Win& win : windows)
        for (const char* user : {"00", "01"}) {
            SCOPED_TRACE(std::string(win.name) + " caja " + user);
            Reports r(user);
            QWidget* w = r.open(win.item);
            EXPECT_EQ(w->objectName(), win.name);
            EXPECT_EQ(w->windowTitle(), win.caption);
            EXPECT_EQ(child<QGroupBox>(w, "framex")->title(), "Criterios");
            EXPECT_EQ(QStringList({child<QPushButton>(w, "bt_emitir")->text(), child<QPushButton>(w, "bt_imprimir")->text(),
                                   child<QPushButton>(w, "b_salir")->text()}),
                      QStringList({"Emitir", "Imprimir", "Salir"}));
            for (QDateEdit* d : w->findChildren<QDateEdit*>())
                EXPECT_EQ(d->date(), day_b) << d->objectName().toStdString();
            EXPECT_EQ(w->parentWidget()->pos(), wide ? QPoint(133, 100) : QPoint(100, 67));
            EXPECT_TRUE(r.boxes().isEmpty());
            if (!win.cajas) {
                EXPECT_EQ(r.sent(), QString(win.name) == "reprba" ? QStringList{"dspsrx 001"} : QStringList());
                continue;
            }
            const bool supervisor = QString(user) == "00";
            QComboBox* c = caja(w);
            const QStringList cajas = {"00", "01", "02"};
            EXPECT_EQ(items(c), win.cajas == 2 ? QStringList("TODAS") + cajas : cajas);
            EXPECT_EQ(c->currentText(), supervisor ? (win.cajas == 2 ? "TODAS" : "00") : "01");
            EXPECT_EQ(c->isEnabled(), supervisor);
            EXPECT_EQ(r.sent(), QStringList{"getcaj 001"});
        }
}

TEST(ReportFrame, CajaTakesTwoDigits)
{
    const struct { QString start, keys, left; } cases[] = {
        {"", "a1 -x", "1"}, {"", "123", "12"}, {"", "9", "9"}, {"TODAS", "\b", ""},
        {"TODAS", "5", "5"}, {"01", "\b", "0"}, {"01", "+.", "01"},
    };
    Reports r;
    QWidget* w = r.open("rep_vtq");
    QComboBox* c = caja(w);
    for (const auto& k : cases) {
        SCOPED_TRACE((k.start + " + " + k.keys).toStdString());
        c->setEditText(k.start);
        for (const QChar ch : k.keys)
            ch == u'\b' ? QTest::keyClick(c, Qt::Key_Backspace) : QTest::keyClicks(c, ch);
        EXPECT_EQ(c->currentText(), k.left);
    }
}

TEST(ReportFrame, EnterEmitsEscClosesReopeningResets)
{
    for (const Win& win : windows) {
        SCOPED_TRACE(win.name);
        Reports r;
        QWidget* w = r.open(win.item);
        criteria(w, day_a, day_b, win.cajas ? "01" : "");
        // A second menu click brings it forward as the user left it.
        EXPECT_EQ(r.open(win.item), w);
        QDateEdit* first = w->findChildren<QDateEdit*>().first();
        EXPECT_EQ(first->date(), day_a);
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Return);
        EXPECT_FALSE(r.shown().isEmpty());
        EXPECT_EQ(r.shown(), r.t->buf_rep.rep_lin);
        r.t->mdi->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(w->parentWidget()));
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Escape);
        settle();
        ASSERT_FALSE(r.t->is_loaded(win.name));
        // Loaded afresh, with a new caja list.
        r.t.srv->log.clear();
        w = r.open(win.item);
        EXPECT_EQ(w->findChildren<QDateEdit*>().first()->date(), day_b);
        if (win.cajas) {
            EXPECT_EQ(caja(w)->currentText(), win.cajas == 2 ? "TODAS" : "00");
            EXPECT_EQ(r.sent(), QStringList{"getcaj 001"});
        }
    }
}

TEST(ReportFrame, LostConnectionAtLoad)
{
    // Failing once changes nothing; twice gives one message, the dates set and the lists
    // empty: the caja box open even to a cashier, the lottery field open, the status filled.
    const struct { const char* item; const char* proc; const char* list; } cases[] = {
        {"rep_vtq", "getcaj", "tx_caja"}, {"rep_itx", "getcaj", "tx_caja"}, {"rep_caj", "getcaj", "tx_caja"},
        {"rep_rtq", "getcaj", "tx_caja"}, {"rep_rba", "dspsrx", "tx_lote"},
    };
    for (const auto& c : cases)
        for (int failures : {1, 2}) {
            SCOPED_TRACE(testing::Message() << c.item << " failures " << failures);
            Reports r("01");
            r.t.srv->fail_next(failures, c.proc);
            QWidget* w = r.open(c.item);
            auto* list = child<QComboBox>(w, c.list);
            EXPECT_EQ(r.boxes(), failures == 1 ? QStringList() : QStringList{lost});
            EXPECT_EQ(list->count() > 0, failures == 1);
            EXPECT_EQ(list->isEnabled(), failures == 2);
            EXPECT_EQ(w->findChildren<QDateEdit*>().first()->date(), day_b);
            if (auto* stat = child<QComboBox>(w, "tx_stat")) {
                EXPECT_EQ(items(stat), QStringList({"TODOS     ", "PAGADOS   ", "NO PAGADOS"}));
                EXPECT_EQ(stat->currentText(), "TODOS     ");
            }
            EXPECT_EQ(r.t.dlg->pointer(), plat::ptr_default);
        }
}

} // namespace
