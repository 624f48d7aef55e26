// The users list: what each user sees, the actions from the buttons, the pop-up and the
// double click, the delete and the reload.
#include "admin/usuarios.h"
#include "admin/usuarios_e.h"
#include "tests/admin/users_deposits.h"

#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

const QString k10(10, ' ');

// Four users: one without a caja, never listed.
void seed_users(central::Model& m)
{
    auto& u = m.outlet.users;
    u.clear();
    u.insert("ADMIN", {"CLAVE", "00", {}});
    u.insert("ANA", {"ROSA", "03", {}});
    u.insert("CAJERO", {"CLAVE1", "01", {}});
    u.insert("NADIE", {"X", "", {}});
}

usuarios* open_users(AdminShell& s)
{
    s.item("userx");
    return s.t->win<usuarios>("usuarios");
}

TEST(Usuarios, EachUserSeesHisRowsAndButtons)
{
    const struct { const char* caja; QStringList rows; bool all_buttons; } cases[] = {
        {"00", {"ADMIN     |CLAVE     |00", "ANA       |ROSA      |03", "CAJERO    |CLAVE1    |01"}, true},
        {"03", {"ANA       |ROSA      |03"}, false},
        {"3", {}, false},  // the caja compares as whole text
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caja);
        AdminShell s(c.caja);
        seed_users(s.model());
        usuarios* w = open_users(s);
        EXPECT_EQ(s.w->mdi_area()->activeSubWindow()->widget(), w);
        EXPECT_EQ(w->windowTitle(), "Usuarios");
        EXPECT_EQ(rows_of(w->lista), c.rows);
        EXPECT_EQ(selected_row(w->lista), c.rows.isEmpty() ? -1 : 0);
        EXPECT_EQ(w->lista->headerItem()->text(2), "Caja");
        EXPECT_EQ(w->b_incluir->isEnabled(), c.all_buttons);
        EXPECT_EQ(w->b_eliminar->isEnabled(), c.all_buttons);
        EXPECT_EQ(w->b_permiso->isEnabled(), c.all_buttons);
        EXPECT_TRUE(w->b_modificar->isEnabled());
        EXPECT_EQ(s.t.srv->calls("dspusr").first().values, QVariantList({"001", "0305419896"}));
    }

    // More than ten rows narrow the caja column.
    AdminShell s;
    for (int i = 0; i < 11; ++i)
        s.model().outlet.users.insert(QString("U%1").arg(i, 2, 10, QChar('0')), {"C", QString("%1").arg(i + 10), {}});
    usuarios* w = open_users(s);
    EXPECT_EQ(w->lista->topLevelItemCount(), 13);
    EXPECT_EQ(w->lista->columnWidth(2), 124);
    s.model().outlet.users.remove("U00");
    s.model().outlet.users.remove("U01");
    s.model().outlet.users.remove("U02");
    s.with_modal([&] { w->b_modificar_Click(); });
    EXPECT_EQ(w->lista->topLevelItemCount(), 10);
    EXPECT_EQ(w->lista->columnWidth(2), 141);
}

// Who may do what, from each way in: the modal window it opens, the boxes it shows.
TEST(Usuarios, ActionsFromButtonsPopupAndDoubleClick)
{
    enum Way { button, popup, dblclick };
    const QString ask = "¿Desea eliminar el registro seleccionado?" + QString(5, ' ');
    const struct { const char* caja; Way way; const char* action; const char* opens; const char* caption; bool asks; } cases[] = {
        {"00", button, "incluir", "usuarios_e", "Usuario - Incluir", false},
        {"00", button, "modificar", "usuarios_e", "Usuario - Modificar", false},
        {"00", button, "eliminar", "", "", true},
        {"00", button, "permiso", "permisos", "Permisos - Usuario: ADMIN (Tovaren)", false},
        {"00", popup, "incluir", "usuarios_e", "Usuario - Incluir", false},
        {"00", popup, "modificar", "usuarios_e", "Usuario - Modificar", false},
        {"00", popup, "eliminar", "", "", true},
        {"00", popup, "permisos", "permisos", "Permisos - Usuario: ADMIN (Tovaren)", false},
        {"00", dblclick, "modificar", "usuarios_e", "Usuario - Modificar", false},
        {"01", button, "modificar", "usuarios_e", "Usuario - Modificar", false},
        {"01", popup, "incluir", "", "", false},
        {"01", popup, "modificar", "usuarios_e", "Usuario - Modificar", false},
        {"01", popup, "eliminar", "", "", false},
        {"01", popup, "permisos", "", "", false},
        {"01", dblclick, "modificar", "usuarios_e", "Usuario - Modificar", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.caja << " " << c.way << " " << c.action);
        AdminShell s(c.caja);
        seed_users(s.model());
        usuarios* w = open_users(s);
        s.t.dlg->answers = {plat::ans_cancel};
        QString caption;
        const int calls = s.t.srv->log.size();
        const QString opened = s.with_modal(
            [&] {
                if (c.way == button)
                    w->findChild<QPushButton*>(QString("b_") + c.action)->click();
                else if (c.way == popup)
                    s.popup_item(w->lista, (QString("usr_") + c.action).toLatin1());
                else
                    QTest::mouseDClick(w->lista->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
            },
            [&](QWidget* m) {
                caption = m->windowTitle();
                m->close();
            });
        EXPECT_EQ(opened, c.opens);
        EXPECT_EQ(caption, c.caption);
        EXPECT_EQ(s.boxes(), c.asks ? QStringList{ask} : QStringList{});
        // A closed dialog reloads the list; the permissions read theirs and reload nothing.
        const QStringList procs = opened == "usuarios_e" ? QStringList{"dspusr"}
                                  : opened == "permisos"  ? QStringList{"getmap"}
                                                          : QStringList{};
        EXPECT_EQ(s.t.srv->procs().mid(calls), procs);
        EXPECT_EQ(selected_row(w->lista), 0);
    }
}

TEST(Usuarios, EmptyListMessagesAndLostLoads)
{
    AdminShell s;
    s.model().outlet.users.clear();
    usuarios* w = open_users(s);
    EXPECT_EQ(w->lista->topLevelItemCount(), 0);
    for (const char* b : {"b_modificar", "b_eliminar", "b_permiso"})
        EXPECT_EQ(s.with_modal([&] { w->findChild<QPushButton*>(b)->click(); }), "") << b;
    EXPECT_EQ(s.boxes(), QStringList({"No hay registros para modificar." + k10, "No hay registros para eliminar." + k10,
                                      "No hay registros para configurar." + k10}));
    EXPECT_EQ(s.with_modal([&] { w->b_incluir->click(); }), "usuarios_e");
    EXPECT_EQ(s.t.srv->procs(), QStringList({"dspusr", "dspusr"}));

    // A reload that loses the connection keeps the rows and disables the four actions
    // for the window's life; the pop-up items and the double click still try.
    seed_users(s.model());
    s.with_modal([&] { w->b_incluir->click(); });
    ASSERT_EQ(w->lista->topLevelItemCount(), 3);
    s.t.dlg->boxes.clear();
    s.t.srv->fail_next(2, "dspusr");
    s.with_modal([&] { w->b_incluir->click(); });
    EXPECT_EQ(s.boxes(), QStringList{"No hay conexión con el servidor." + k10});
    EXPECT_EQ(w->lista->topLevelItemCount(), 3);
    for (QPushButton* b : {w->b_incluir, w->b_modificar, w->b_eliminar, w->b_permiso})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(w->b_salir->isEnabled());
    s.t->flg_nocox = 0;  // as the next keep-alive leaves it
    EXPECT_EQ(s.with_modal([&] { s.item("usr_modificar"); }), "usuarios_e");
    EXPECT_EQ(w->lista->topLevelItemCount(), 3);
    EXPECT_FALSE(w->b_modificar->isEnabled());

    // Opened while the connection is already lost: the call is tried, nothing is read.
    AdminShell lost;
    seed_users(lost.model());
    lost.t->flg_nocox = 1;
    usuarios* l = open_users(lost);
    EXPECT_EQ(lost.t.srv->procs(), QStringList{"dspusr"});
    EXPECT_EQ(l->lista->topLevelItemCount(), 0);
    EXPECT_FALSE(l->b_modificar->isEnabled());
    EXPECT_TRUE(lost.boxes().isEmpty());
}

TEST(Usuarios, DeleteAsksThenSendsTheListedName)
{
    AdminShell s;
    seed_users(s.model());
    usuarios* w = open_users(s);
    w->lista->setCurrentItem(w->lista->topLevelItem(2));

    s.t.dlg->answers = {plat::ans_cancel};
    w->b_eliminar->click();
    EXPECT_EQ(s.t.srv->procs(), QStringList{"dspusr"});
    EXPECT_EQ(w->lista->topLevelItemCount(), 3);
    EXPECT_EQ(s.t.dlg->boxes.last().style, 33);

    w->b_eliminar->click();
    EXPECT_EQ(s.t.srv->procs(), QStringList({"dspusr", "actusr", "dspusr"}));
    EXPECT_EQ(s.t.srv->calls("actusr").first().values,
              QVariantList({"3", "CAJERO    ", QVariant(), QVariant(), QVariant(), "0305419896"}));
    EXPECT_EQ(rows_of(w->lista), QStringList({"ADMIN     |CLAVE     |00", "ANA       |ROSA      |03"}));
    EXPECT_EQ(selected_row(w->lista), 0);

    // A refused delete shows nothing; a lost one does not reload.
    w->lista->setCurrentItem(w->lista->topLevelItem(1));
    s.model().outlet.users.remove("ANA");
    w->b_eliminar->click();
    EXPECT_EQ(s.boxes().size(), 3);  // the questions only
    EXPECT_EQ(rows_of(w->lista), QStringList{"ADMIN     |CLAVE     |00"});
    s.t.srv->fail_next(2, "actusr");
    w->b_eliminar->click();
    EXPECT_EQ(s.t.srv->procs().mid(5), QStringList({"actusr", "actusr"}));  // tried again once, no reload
    EXPECT_EQ(s.boxes().last(), "No hay conexión con el servidor." + k10);
}

TEST(Usuarios, ModifySelectsTheSamePositionAgain)
{
    AdminShell s;
    seed_users(s.model());
    usuarios* w = open_users(s);
    w->lista->setCurrentItem(w->lista->topLevelItem(1));
    // The password changes; the row at the same place is selected again.
    s.with_modal([&] { w->b_modificar->click(); },
                 [](QWidget* m) {
                     auto* d = qobject_cast<usuarios_e*>(m);
                     QTest::keyClicks(d->tx_clav, "nueva");
                     d->b_aceptar->click();
                 });
    EXPECT_EQ(rows_of(w->lista)[1], "ANA       |NUEVA     |03");
    EXPECT_EQ(selected_row(w->lista), 1);

    // The list shortened below that position: the first row stays selected.
    w->lista->setCurrentItem(w->lista->topLevelItem(2));
    s.with_modal([&] { w->b_modificar->click(); },
                 [&](QWidget* m) {
                     s.model().outlet.users.remove("ANA");
                     s.model().outlet.users.remove("CAJERO");
                     m->close();
                 });
    EXPECT_EQ(selected_row(w->lista), 0);

    // Nothing clears the selection while the list has rows.
    w->lista->clearSelection();
    EXPECT_EQ(selected_row(w->lista), 0);
}

} // namespace
