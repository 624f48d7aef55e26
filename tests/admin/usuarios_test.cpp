// The users and the deposits lists: what each user sees, the actions from the buttons, the
// pop-up and the double click, the empty list, the delete and the reload.
#include "admin/movdpo.h"
#include "admin/usuarios.h"
#include "tests/admin/users_deposits.h"

#include <QLineEdit>

namespace {

const QString k10(10, ' ');

// Four users, one of them without a caja: never listed.
void seed(central::Model& m)
{
    m.outlet.users = {{"ADMIN", {"CLAVE", "00", {}}}, {"ANA", {"ROSA", "03", {}}},
                      {"CAJERO", {"CLAVE1", "01", {}}}, {"NADIE", {"X", "", {}}}};
}

TEST(Usuarios, EachUserSeesHisRowsAndButtons)
{
    const struct { const char* caja; QStringList rows; } cases[] = {
        {"00", {"ADMIN     |CLAVE     |00", "ANA       |ROSA      |03", "CAJERO    |CLAVE1    |01"}},
        {"03", {"ANA       |ROSA      |03"}},
        {"3", {}},  // the caja compares as whole text
    };
    for (const auto& c : cases) {
        AdminShell s(c.caja);
        seed(s.model());
        auto* w = s.open<usuarios>("userx", "usuarios");
        EXPECT_EQ(rows_of(w->lista), c.rows) << c.caja;
        const bool sup = QString(c.caja) == "00";
        EXPECT_EQ(QList<bool>({w->b_incluir->isEnabled(), w->b_modificar->isEnabled(), w->b_eliminar->isEnabled(),
                               w->b_permiso->isEnabled()}),
                  QList<bool>({sup, true, sup, sup}));
        EXPECT_EQ(s.t.srv->calls("dspusr").first().values, QVariantList({"001", "0305419896"}));
    }
}

// Who may do what from each way in, on both lists: the modal window opened, the question
// asked (and cancelled), the calls that follow.
TEST(ListWindows, ActionsFromButtonsPopupAndDoubleClick)
{
    enum Way { button, popup, dblclick };
    const QString inc = "Usuario - Incluir", mod = "Usuario - Modificar", per = "Permisos - Usuario: ADMIN (Tovaren)";
    const QString dinc = "Pagos a la Banca - Incluir", dmod = "Pagos a la Banca - Modificar";
    const QStringList reload{"dspusr"}, perms{"getmap"}, none, dreload{"dspcdp", "dspdpo"};
    const struct { const char* caja; bool users; Way way; QString action; QString opens; QStringList calls;
                   bool asks = false; } cases[] = {
        {"00", true, button, "incluir", inc, reload},     {"00", true, button, "modificar", mod, reload},
        {"00", true, button, "eliminar", "", none, true},  {"00", true, button, "permiso", per, perms},
        {"00", true, popup, "incluir", inc, reload},      {"00", true, popup, "modificar", mod, reload},
        {"00", true, popup, "eliminar", "", none, true},   {"00", true, popup, "permiso", per, perms},
        {"00", true, dblclick, "", mod, reload},          {"01", true, button, "modificar", mod, reload},
        {"01", true, popup, "incluir", "", none},         {"01", true, popup, "modificar", mod, reload},
        {"01", true, popup, "eliminar", "", none},        {"01", true, popup, "permiso", "", none},
        {"01", true, dblclick, "", mod, reload},          {"01", false, button, "incluir", dinc, dreload},
        {"01", false, button, "modificar", dmod, dreload}, {"01", false, button, "eliminar", "", none, true},
        {"01", false, popup, "incluir", dinc, dreload},   {"01", false, popup, "modificar", dmod, dreload},
        {"01", false, popup, "eliminar", "", none, true},  {"01", false, dblclick, "", dmod, dreload},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.caja << " " << c.users << " " << c.way << " " << c.action.toStdString());
        AdminShell s(c.caja);
        seed(s.model());
        auto* w = s.open<list_window>(c.users ? "userx" : "mov_dpo", c.users ? "usuarios" : "movdpo");
        s.t.dlg->answers = {plat::ans_cancel};
        const auto from = s.t.srv->log.size();
        EXPECT_EQ(s.with_modal([&] {
            if (c.way == button)
                w->findChild<QPushButton*>("b_" + c.action)->click();
            else if (c.way == popup)
                s.popup_item(w->lista, (c.users ? "usr_" : "dpo_") + c.action + (c.action == "permiso" ? "s" : ""));
            else
                QTest::mouseDClick(w->lista->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        }),
                  c.opens);
        EXPECT_EQ(s.boxes(), c.asks ? QStringList{"¿Desea eliminar el registro seleccionado?" + QString(5, ' ')}
                                    : QStringList{});
        EXPECT_EQ(s.t.srv->procs().mid(from), c.calls);
    }
}

TEST(ListWindows, EmptyListsAndLostLoads)
{
    for (const bool users : {true, false}) {
        SCOPED_TRACE(users);
        AdminShell s;
        s.model().outlet.users.clear();
        s.model().outlet.deposits.clear();
        auto* w = s.open<list_window>(users ? "userx" : "mov_dpo", users ? "usuarios" : "movdpo");
        for (const char* b : {"b_modificar", "b_eliminar", "b_permiso"})
            if (auto* button = w->findChild<QPushButton*>(b)) {
                EXPECT_EQ(s.with_modal([&] { button->click(); }), "");
            }
        QStringList want{"No hay registros para modificar." + k10, "No hay registros para eliminar." + k10};
        EXPECT_EQ(s.boxes(), users ? want << "No hay registros para configurar." + k10 : want);
        EXPECT_NE(s.with_modal([&] { w->b_incluir->click(); }), "");

        // A reload that loses the connection keeps the rows and disables the actions for
        // the window's life; the pop-up items still try.
        seed(s.model());
        s.model().outlet.deposits << central::Deposit{QDate(2024, 5, 9), "001", "1", 100, false};
        s.with_modal([&] { w->b_incluir->click(); });
        const int rows = w->lista->topLevelItemCount();
        s.t.srv->fail_next(2, users ? "dspusr" : "dspdpo");
        s.with_modal([&] { w->b_incluir->click(); });
        EXPECT_EQ(s.boxes().last(), kLost);
        EXPECT_EQ(w->lista->topLevelItemCount(), rows);
        for (QPushButton* b : w->findChildren<QPushButton*>())
            EXPECT_EQ(b->isEnabled(), b == w->b_salir) << b->objectName().toStdString();
        s.t->flg_nocox = 0;
        EXPECT_NE(s.with_modal([&] { s.item(users ? "usr_modificar" : "dpo_modificar"); }), "");
    }
}

TEST(Usuarios, DeleteSendsTheListedNameAndModifyReselects)
{
    AdminShell s;
    seed(s.model());
    auto* w = s.open<usuarios>("userx", "usuarios");
    w->lista->setCurrentItem(w->lista->topLevelItem(2));
    s.t.dlg->answers = {plat::ans_cancel, plat::ans_ok};
    w->b_eliminar->click();
    w->b_eliminar->click();
    EXPECT_EQ(s.t.srv->procs(), QStringList({"dspusr", "actusr", "dspusr"}));
    EXPECT_EQ(s.t.srv->calls("actusr").first().values,
              QVariantList({"3", "CAJERO    ", QVariant(), QVariant(), QVariant(), "0305419896"}));
    EXPECT_EQ(rows_of(w->lista), QStringList({"ADMIN     |CLAVE     |00", "ANA       |ROSA      |03"}));

    // The row at the same position is selected again after a modify, unless the list
    // became shorter; nothing leaves the list without a selected row.
    w->lista->setCurrentItem(w->lista->topLevelItem(1));
    s.with_modal([&] { w->b_modificar->click(); },
                 [](QWidget* m) {
                     QTest::keyClicks(m->findChild<QLineEdit*>("tx_clav"), "nueva");
                     m->findChild<QPushButton*>("b_aceptar")->click();
                 });
    EXPECT_EQ(rows_of(w->lista)[1], "ANA       |NUEVA     |03");
    EXPECT_EQ(w->selected_pos(), 1);
    s.with_modal([&] { w->b_modificar->click(); },
                 [&](QWidget* m) {
                     s.model().outlet.users.remove("ANA");
                     m->close();
                 });
    EXPECT_EQ(w->selected_pos(), 0);
    w->lista->clearSelection();
    EXPECT_EQ(w->selected_pos(), 0);
}

} // namespace
