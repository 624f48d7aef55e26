// The users and the deposits lists: what each user sees, the actions from the buttons, the
// pop-up and the double click, the empty list, the delete and the reload.
#include "admin/movdpo_e.h"
#include "tests/admin/fixture.h"

namespace {

TEST(ListWindows, EachUserSeesHisRowsAndButtons)
{
    const struct { bool users; const char* caja; QStringList rows; const char* buttons; double jug_sys = 1e8; } cases[] = {
        {true, "00", {"ADMIN     |CLAVE     |00", "ANA       |ROSA      |03", "CAJERO    |CLAVE1    |01"}, "xxxxx"},
        {true, "03", {"ANA       |ROSA      |03"}, ".x.x."},
        {true, "3", {}, ".x.x."},  // the caja compares as whole text
        {false, "01", {"2024-05-09|001|0004512|2500.00", "2024-05-03|002|77|1.23", "2024-05-10|002|0004518|1200.50"}, "xxxx"},
        {false, "01", {"2024-05-09|001|0004512|2500", "2024-05-03|002|77|1.23456789", "2024-05-10|002|0004518|1200.5"},
         "xxxx", 1e9},  // plain quotients when jug_sys is above mod_sys
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        AdminShell s(c.caja);
        s.t->ses_val.jug_sys = c.jug_sys;
        auto* w = s.open_list(c.users);
        EXPECT_EQ(rows_of(w->lista), c.rows);
        QString on;  // Incluir, Modificar, Eliminar, Salir (, Permisos)
        for (QPushButton* b : w->findChildren<QPushButton*>())
            on += b->isEnabled() ? 'x' : '.';
        EXPECT_EQ(on, c.buttons);
        EXPECT_EQ(calls_since(*s.t.srv), QStringList{c.users ? "dspusr 001 0305419896" : "dspdpo 001"});
        EXPECT_TRUE(c.users || w->lista->topLevelItem(0)->textAlignment(3) == int(Qt::AlignRight | Qt::AlignVCenter));
    }
}

// Who may do what on either list, with rows and without: the modal window opened, the box
// shown (the question cancelled), the calls that follow. The same from the button (a
// disabled one does nothing), the pop-up item and, for "modificar", a double click.
TEST(ListWindows, ActionsFromButtonsPopupAndDoubleClick)
{
    const QString inc = "Usuario - Incluir", mod = "Usuario - Modificar", per = "Permisos - Usuario: ADMIN (Tovaren)";
    const QString dinc = "Pagos a la Banca - Incluir", dmod = "Pagos a la Banca - Modificar";
    const QString k10(10, ' '), ask = "¿Desea eliminar el registro seleccionado?" + QString(5, ' ');
    const QString nomod = "No hay registros para modificar." + k10, nodel = "No hay registros para eliminar." + k10;
    const QString noper = "No hay registros para configurar." + k10;
    const QStringList reload{"dspusr"}, perms{"getmap"}, none, dreload{"dspcdp", "dspdpo"};
    const struct { const char* caja; bool users; QString action; QString opens; QStringList calls; QString box = {};
                   bool empty = false; } cases[] = {
        {"00", true, "incluir", inc, reload},     {"00", true, "modificar", mod, reload},
        {"00", true, "eliminar", "", none, ask},   {"00", true, "permiso", per, perms},
        {"01", true, "incluir", "", none},         {"01", true, "modificar", mod, reload},
        {"01", true, "eliminar", "", none},        {"01", true, "permiso", "", none},
        {"01", false, "incluir", dinc, dreload},   {"01", false, "modificar", dmod, dreload},
        {"01", false, "eliminar", "", none, ask},
        {"00", true, "incluir", inc, reload, {}, true},      {"00", true, "modificar", "", none, nomod, true},
        {"00", true, "eliminar", "", none, nodel, true},     {"00", true, "permiso", "", none, noper, true},
        {"01", false, "modificar", "", none, nomod, true},   {"01", false, "eliminar", "", none, nodel, true},
    };
    enum Way { button, popup, dblclick };
    for (const auto& c : cases)
        for (const Way way : {button, popup, dblclick}) {
            if (way == dblclick && c.action != "modificar")
                continue;
            SCOPED_TRACE(testing::Message() << (&c - cases) << " way " << way);
            AdminShell s(c.caja);
            if (c.empty)
                s.model().outlet.users.clear(), s.model().outlet.deposits.clear();
            auto* w = s.open_list(c.users);
            s.t.dlg->answers = {plat::ans_cancel};
            const auto from = s.t.srv->log.size();
            EXPECT_EQ(s.with_modal([&] {
                if (way == button)
                    w->findChild<QPushButton*>("b_" + c.action)->click();
                else if (way == popup)
                    s.popup_item(w->lista, (c.users ? "usr_" : "dpo_") + c.action + (c.action == "permiso" ? "s" : ""));
                else
                    QTest::mouseDClick(w->lista->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
            }),
                      c.opens);
            EXPECT_EQ(s.boxes(), c.box.isEmpty() ? QStringList{} : QStringList{c.box});
            EXPECT_EQ(s.t.srv->procs().mid(from), c.calls);
        }
}

// Once confirmed, the delete sends the row as listed (a user) or as received (a deposit);
// only a deposit's answer 3 has a box, and the list is read again unless the connection
// is lost. A reload that loses the connection keeps the rows and disables the actions for
// the window's life; the pop-up items still work.
TEST(ListWindows, DeleteSendsTheSelectedRowAndReloads)
{
    const QString kProcesado = "Registro ya procesado. No puede ser eliminado." + QString(5, ' ');
    const QVariantList cajero{"3", "CAJERO    ", QVariant(), QVariant(), QVariant(), "0305419896"};
    const QVariantList first{"3", "2024-05-09", "001", "001", "0004512", qint64(250000000000)};
    const struct { bool users; int row; QVariantList sent; QStringList boxes; int rows; int answer = -1; int fails = 0;
                   bool lost_reload = false; } cases[] = {
        {true, 2, cajero, {}, 2},        {true, 2, cajero, {}, 3, 1},  // a user's answer is not read
        {false, 1, {"3", "2024-05-03", "001", "002", "77", qint64(123456789)}, {}, 2},  // shown as 1.23
        {false, 2, {"3", "2024-05-10", "001", "002", "0004518", qint64(120050000000)}, {kProcesado}, 3},
        {false, 0, first, {}, 3, 1},     {false, 0, first, {}, 3, 2},        {false, 0, first, {kProcesado}, 3, 3},
        {false, 0, first, {}, 2, -1, 1}, {false, 0, first, {kLost}, 3, -1, 2},
        {false, 0, first, {}, 2, -1, 1, true},   {true, 2, cajero, {kLost}, 3, -1, 2, true},
        {false, 0, first, {kLost}, 3, -1, 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        AdminShell s;
        const QString proc = c.users ? "actusr" : "actdpo", reload = c.users ? "dspusr" : "dspdpo";
        if (c.answer >= 0)
            s.t.srv->register_procedure(proc, [&c](central::Request& r) { return r.status = c.answer, true; });
        auto* w = s.open_list(c.users);
        s.t.srv->fail_next(c.fails, c.lost_reload ? reload : proc);
        w->lista->setCurrentItem(w->lista->topLevelItem(c.row));
        w->b_eliminar->click();  // the question answered OK
        EXPECT_EQ(s.t.srv->calls(proc).value(0).values, c.sent);
        EXPECT_EQ(s.boxes().mid(1), c.boxes);
        EXPECT_EQ(s.t.srv->calls(reload).size(), c.lost_reload ? 3 : c.fails < 2 ? 2 : 1);
        EXPECT_EQ(w->lista->topLevelItemCount(), c.rows);
        // A load selects the first row; the selection never becomes empty while there are rows.
        w->lista->clearSelection();
        EXPECT_EQ(w->selected_pos(), c.fails == 2 ? c.row : 0);
        for (QPushButton* b : w->findChildren<QPushButton*>())
            EXPECT_EQ(b->isEnabled(), b == w->b_salir || !c.lost_reload || c.fails < 2) << b->objectName().toStdString();
        s.t->flg_nocox = 0;
        EXPECT_NE(s.with_modal([&] { s.item(c.users ? "usr_modificar" : "dpo_modificar"); }), "");
    }
}

// An amount the server sends with a fraction of a stored unit (a money column) is listed
// to two decimals and sent back, by the delete and by a modify left unchanged, as the whole
// count of stored units nearest to it.
TEST(ListWindows, ADepositWithAFractionOfAStoredUnitGoesBackWhole)
{
    for (const char* action : {"b_eliminar", "b_modificar"}) {
        SCOPED_TRACE(action);
        AdminShell s;
        s.t.srv->register_procedure("dspdpo", [](central::Request& r) {
            r.rows({"fecmov", "codbco", "numero", "monto"}).rows
                << QVariantList{QDate(2024, 5, 10), "001", "0004512", 149999999.9999};
            return true;
        });
        auto* w = s.open_list(false);
        EXPECT_EQ(rows_of(w->lista), QStringList({"2024-05-10|001|0004512|1.50"}));
        s.with_modal<movdpo_e>([&] { w->findChild<QPushButton*>(action)->click(); },
                               [](movdpo_e* d) { d->b_aceptar->click(); });
        EXPECT_EQ(s.t.srv->calls("actdpo").value(0).values.value(5), QVariant(qint64(150000000)));
    }
}

} // namespace
