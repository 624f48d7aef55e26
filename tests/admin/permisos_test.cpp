// Menu permissions: ticks from the stored codes, the save's calls, and a save that does
// not go through.
#include "admin/permisos.h"
#include "admin/usuarios.h"
#include "tests/admin/users_deposits.h"

namespace {

const QStringList kCodes{"202", "203", "301", "302", "401", "402", "403", "404", "405", "503"};
const QString kLost = "No hay conexión con el servidor." + QString(10, ' ');

central::User& ana(AdminShell& s) { return s.model().outlet.users["ANA"]; }

// The permissions of ANA (row 1 of the users list), as the users list opens them.
permisos* open(AdminShell& s)
{
    ana(s).password = "ROSA";
    ana(s).caja = "03";
    s.item("userx");
    auto* w = s.t->win<usuarios>("usuarios");
    w->lista->setCurrentItem(w->lista->topLevelItem(1));
    auto* p = s.t->win<permisos>("permisos");
    p->show();
    return p;
}

QString ticks(const permisos* p)
{
    QString t;
    for (int k = 0; k < p->lista->topLevelItemCount(); ++k)
        t += p->lista->topLevelItem(k)->checkState(0) == Qt::Checked ? 'x' : '.';
    return t;
}

void set_ticks(permisos* p, const QString& t)
{
    for (int k = 0; k < t.size(); ++k)
        p->lista->topLevelItem(k)->setCheckState(0, t[k] == 'x' ? Qt::Checked : Qt::Unchecked);
}

// The calls since the log held `from` of them: "proc value value" each.
QStringList calls_since(AdminShell& s, qsizetype from)
{
    QStringList out;
    for (const auto& c : s.t.srv->log.mid(from)) {
        QStringList words{c.proc};
        for (const auto& v : c.values)
            words << v.toString();
        out << words.join(' ');
    }
    return out;
}

TEST(Permisos, TicksFromTheStoredCodes)
{
    AdminShell s;
    // Compared exactly: blanks, other forms and unknown codes untick nothing.
    ana(s).denied = {"202", "404", " 302", "0301", "999", "404"};
    permisos* p = open(s);
    EXPECT_EQ(p->windowTitle(), "Permisos - Usuario: ANA (Tovaren)");
    EXPECT_EQ(s.t.srv->calls("getmap").first().values, QVariantList{"ANA"});
    EXPECT_EQ(ticks(p), ".xxxxxx.xx");
    EXPECT_EQ(p->lista->topLevelItem(3)->text(0), "Procesos - Anulación de Tickets");
    EXPECT_EQ(p->lista->headerItem()->text(0), "");
    EXPECT_EQ(p->lista->columnWidth(0), 295);
    EXPECT_TRUE(p->b_aceptar->isEnabled());
}

TEST(Permisos, SaveRemovesThenStoresEachUntickedCode)
{
    const struct { QString ticks; QStringList stored; } cases[] = {
        {"xxxxxxxxxx", {}},
        {"..........", kCodes},
        {".xx.xxxx.x", {"202", "302", "405"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ticks.toStdString());
        AdminShell s;
        ana(s).denied = {"999", "203"};
        permisos* p = open(s);
        const auto from = s.t.srv->log.size();
        set_ticks(p, c.ticks);
        p->b_aceptar->click();
        QStringList want{"delmap ANA"};
        for (const auto& code : c.stored)
            want << "actmap ANA " + code;
        EXPECT_EQ(calls_since(s, from), want);
        EXPECT_EQ(ana(s).denied, c.stored);
        EXPECT_FALSE(p->isVisible());
        EXPECT_TRUE(s.boxes().isEmpty());
    }

    // Cancelling sends nothing.
    AdminShell s;
    permisos* p = open(s);
    const auto from = s.t.srv->log.size();
    set_ticks(p, "..........");
    p->b_cancelar->click();
    EXPECT_TRUE(calls_since(s, from).isEmpty());
    EXPECT_FALSE(p->isVisible());
}

// Every call of the window failing once or twice: once changes nothing that shows; twice
// gives one lost-connection box. A failed opening leaves nothing to save; a failed save
// keeps the window open with its ticks, "Aceptar" does nothing more while the connection
// stays lost and redoes the whole save once it is back.
TEST(Permisos, FaultSweep)
{
    const QString want = ".x.xxxxx.x";
    const QStringList stored{"202", "301", "405"};
    struct Step { const char* proc; int nth; };
    const Step steps[] = {{"getmap", 0}, {"delmap", 0}, {"actmap", 0}, {"actmap", 1}, {"actmap", 2}};
    for (const Step& step : steps) {
        for (int fails : {1, 2}) {
            SCOPED_TRACE(testing::Message() << step.proc << " " << step.nth << " fails " << fails);
            AdminShell s;
            ana(s).denied = {"503"};
            auto& users = s.model().outlet.users;
            const auto arm = [&] {
                fail_call(*s.t.srv, step.proc, step.nth, fails, [&users](central::Request& r) {
                    users[r.text(0).trimmed()].denied << r.text(1).trimmed();
                    return true;
                });
            };
            const bool at_open = QString(step.proc) == "getmap";
            if (at_open)
                arm();
            permisos* p = open(s);
            if (at_open && fails == 2) {
                EXPECT_EQ(s.boxes(), QStringList{kLost});
                EXPECT_EQ(p->lista->topLevelItemCount(), 0);
                EXPECT_FALSE(p->b_aceptar->isEnabled());
                p->b_aceptar->click();
                QTest::keyClick(p, Qt::Key_Return);
                EXPECT_TRUE(s.t.srv->calls("delmap").isEmpty());
                EXPECT_EQ(ana(s).denied, QStringList{"503"});
                continue;
            }
            EXPECT_EQ(ticks(p), "xxxxxxxxx.");
            set_ticks(p, want);
            if (!at_open)
                arm();
            p->b_aceptar->click();
            if (fails == 2 && !at_open) {
                EXPECT_EQ(s.boxes(), QStringList{kLost});
                EXPECT_TRUE(p->isVisible());
                EXPECT_EQ(ticks(p), want);
                const auto before = s.t.srv->log.size();
                p->b_aceptar->click();  // still lost: the connection is reopened, nothing is sent
                EXPECT_TRUE(calls_since(s, before).isEmpty());
                EXPECT_TRUE(p->isVisible());
                s.t->flg_nocox = 0;  // the keep-alive found the server again
                p->b_aceptar->click();
            }
            EXPECT_EQ(s.boxes(), fails == 1 ? QStringList{} : QStringList{kLost});
            EXPECT_FALSE(p->isVisible());
            EXPECT_EQ(ana(s).denied, stored);
        }
    }
}

} // namespace
