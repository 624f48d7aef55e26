// The administration saves while the connection counts as lost, over the wire (lost.h): the
// connection is lost while the window or its question is up; Aceptar or OK then sends
// nothing and shows what it shows while lost (the saves of several calls say so); once the
// keep-alive finds the server again, the same save is sent once. A transcript
// (tests/golden/e2e/lost_admin.txt).
#include "admin/parsys.h"
#include "admin/permisos.h"
#include "admin/usuarios.h"
#include "tests/admin/fixture.h"
#include "tests/e2e/lost.h"

#include <QDir>
#include <QFile>

namespace {

// Lines against their golden file (TOVAREN_GOLDEN=write writes it instead).
void expect_lines(const QStringList& lines, const QString& name)
{
    const QString path = QString::fromUtf8(__FILE__).section('/', 0, -3) + "/golden/" + name;
    const QByteArray text = (lines.join('\n') + '\n').toUtf8();
    QFile f(path);
    if (qEnvironmentVariable("TOVAREN_GOLDEN") == "write") {
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(text) == text.size()) << qPrintable(path);
        return;
    }
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(path);
    EXPECT_EQ(text.toStdString(), f.readAll().toStdString()) << qPrintable(name);
}

using Lose = std::function<void()>;

// A list window opened afresh: one whose reload found the connection lost keeps only Salir.
list_window* fresh_list(AdminShell& s, bool users)
{
    if (s.t->is_loaded(users ? "usuarios" : "movdpo")) {
        s.open_list(users)->b_salir->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return s.open_list(users);
}

// Aceptar in an edit dialog opened by a list's button for its row `row`, the fields typed.
QString edit(AdminShell& s, bool users, const char* button, int row,
             std::initializer_list<std::pair<const char*, const char*>> typed, const Lose& lose)
{
    list_window* w = fresh_list(s, users);
    w->lista->setCurrentItem(w->lista->topLevelItem(row));
    bool open = false;
    s.with_modal([&] { w->findChild<QPushButton*>(button)->click(); }, [&](QWidget* d) {
        for (const auto& [name, text] : typed) {
            auto* f = d->findChild<QWidget*>(name);
            f->setFocus();  // a deposit's account is looked up on leaving its field
            QTest::keyClicks(f, text);
        }
        lose();
        d->findChild<QPushButton*>("b_aceptar")->click();
        open = d->isVisible();
    });
    return QString("dialog %1; list %2; buttons %3")
        .arg(open ? "open" : "closed", rows_of(w->lista).join(", "), w->b_incluir->isEnabled() ? "on" : "off");
}

// Eliminar on a list's row, the connection lost while the question is up.
QString remove(AdminShell& s, bool users, int row, const Lose& lose)
{
    list_window* w = fresh_list(s, users);
    w->lista->setCurrentItem(w->lista->topLevelItem(row));
    s.t.dlg->on_box = [&](const fake::Box&) {
        s.t.dlg->on_box = nullptr;
        lose();
    };
    w->b_eliminar->click();
    s.t.dlg->on_box = nullptr;
    return QString("list %1; buttons %2").arg(rows_of(w->lista).join(", "), w->b_incluir->isEnabled() ? "on" : "off");
}

// Aceptar in an on/off list with these ticks: ANA's permissions or the lotteries offered.
QString onoff(AdminShell& s, bool perms, const Lose& lose)
{
    onoff_list* w = nullptr;
    if (perms) {
        auto* u = s.open<usuarios>("userx", "usuarios");
        u->lista->setCurrentItem(u->lista->topLevelItem(1));
        w = s.t->win<permisos>("permisos");
        w->show();
    } else {
        w = s.open<onoff_list>("sorteo", "sorteos");
    }
    set_ticks(w->lista, QString(w->lista->topLevelItemCount(), 'x').replace(1, 1, '.'));
    lose();
    w->b_aceptar->click();
    return QString("window %1, ticks %2").arg(w->isVisible() ? "open" : "closed", ticks(w->lista));
}

TEST(WhileLost, AdministrationSavesSendNothing)
{
    const struct {
        const char* name;
        std::function<QString(AdminShell&, const Lose&)> act;
    } cases[] = {
        {"parameters: Aceptar",
         [](AdminShell& s, const Lose& lose) {
             bool open = true;
             s.with_modal<parsys>([&] { s.item("par_sys"); }, [&](parsys* w) {
                 QTest::keyClick(w->tx_jmax, Qt::Key_Down);
                 lose();
                 QTest::keyClick(w, Qt::Key_Return);
                 open = w->isVisible();
             });
             return QString("window %1").arg(open ? "open" : "closed");
         }},
        {"permissions: Aceptar", [](AdminShell& s, const Lose& lose) { return onoff(s, true, lose); }},
        {"lotteries offered: Aceptar", [](AdminShell& s, const Lose& lose) { return onoff(s, false, lose); }},
        {"users: Incluir",
         [](AdminShell& s, const Lose& lose) {
             return edit(s, true, "b_incluir", 0, {{"tx_user", "luisa"}, {"tx_clav", "clave"}, {"tx_caja", "7"}}, lose);
         }},
        {"users: Modificar",
         [](AdminShell& s, const Lose& lose) { return edit(s, true, "b_modificar", 1, {{"tx_clav", "nueva"}}, lose); }},
        {"users: Eliminar", [](AdminShell& s, const Lose& lose) { return remove(s, true, 2, lose); }},
        {"deposits: Incluir",
         [](AdminShell& s, const Lose& lose) {
             return edit(s, false, "b_incluir", 0, {{"tx_codbco", "003"}, {"tx_nummov", "12345"}, {"tx_monto", "15"}}, lose);
         }},
        {"deposits: Modificar",
         [](AdminShell& s, const Lose& lose) { return edit(s, false, "b_modificar", 1, {{"tx_monto", "9.5"}}, lose); }},
        {"deposits: Eliminar", [](AdminShell& s, const Lose& lose) { return remove(s, false, 0, lose); }},
    };
    QStringList t;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AdminShell s("00", true);
        const auto look = [&](const QString& step, const QString& shown, qsizetype from) {
            t << "-- " + step << "  calls " + calls_since(*s.t.srv, from).join(", ") << "  boxes " + s.boxes().join(", ")
              << "  " + shown;
            s.t.dlg->boxes.clear();
        };
        t << QString("== ") + c.name;
        qsizetype from = s.t.srv->log.size(), lost_at = -1;
        const QString lost = c.act(s, [&] {
            lost_at = s.t.srv->log.size();
            lost::lose(s.t);
        });
        ASSERT_GE(lost_at, 0);
        EXPECT_EQ(lost::changing(s.t, lost_at), QStringList());
        look("lost", lost, from);
        lost::back(s.t);
        from = s.t.srv->log.size();
        const QString again = c.act(s, [] {});
        const QStringList sent = lost::changing(s.t, from);
        EXPECT_FALSE(sent.isEmpty());
        look("again", again, from);
    }
    expect_lines(t, "e2e/lost_admin.txt");
}

} // namespace
