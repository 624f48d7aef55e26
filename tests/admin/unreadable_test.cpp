// Administration windows whose load the server answered with a spoiled answer: nothing is
// shown that could be saved back over the server's data, and nothing is sent on "Aceptar"
// or on a delete.
#include "admin/onoff_list.h"
#include "admin/parsys.h"
#include "tests/admin/fixture.h"

#include <limits>

namespace {

namespace spoil = central::spoil;

// Each spoiled load: what the user sees, what the window keeps enabled, and the calls that
// Aceptar (Enter), or the deposits' delete from the pop-up menu, sends after it. The
// parameters answered without rows show none and send none back.
TEST(UnreadableLoads, SaveAndDeleteNothing)
{
    const QString nodel = "No hay registros para eliminar." + QString(10, ' ');
    const QString digits21 = "999999999999999999999";
    enum Window { perms, lots, params, deposits };
    const struct {
        Window w;
        const char* name;
        central::Spoil spoil;
        QStringList boxes = {kLost};
        const char* aceptar = "disabled";  // enabled for an answer without rows: it is an answer
    } cases[] = {
        {perms, "a null code", spoil::column("codmnu", {})},
        {perms, "no code column", spoil::drop_column("codmnu")},
        {perms, "a code of the wrong type", spoil::column("codmnu", 5.5)},
        {perms, "an extra result set first", spoil::extra_first_set()},
        {perms, "no result set", spoil::no_result_set()},
        {lots, "a null code", spoil::column("codlot", {}, 3)},
        {lots, "a null state", spoil::column("stasrt", {}, 3)},
        {lots, "no code column", spoil::drop_column("codlot")},
        {lots, "no state column", spoil::drop_column("stasrt")},
        {lots, "a state that is no number", spoil::column("stasrt", "no", 3)},
        {lots, "a state beyond 16 bits", spoil::column("stasrt", 70000, 3)},
        {params, "a null value", spoil::column("valor", {}, 2)},
        {params, "no value column", spoil::drop_column("valor")},
        {params, "no result set", spoil::no_result_set()},
        {params, "no rows", spoil::rows_cleared(), {}, "enabled"},
        {deposits, "an amount beyond 64 bits", spoil::column("monto", 1e20, 1), {kLost, nodel}},
        {deposits, "an amount of 21 digits", spoil::column("monto", digits21, 1), {kLost, nodel}},
        {deposits, "a null amount", spoil::column("monto", {}, 1), {kLost, nodel}},
        {deposits, "a date that is none", spoil::column("fecmov", "31/02/2024", 1), {kLost, nodel}},
    };
    const char* procs[] = {"getmap", "dsxsrt", "getpaq", "dspdpo"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AdminShell s;
        s.model().outlet.users["ANA"].denied = {"503"};
        s.model().outlet.params = {{"TVENCE_TIK", "3"}, {"JUGADA_MIN", "100000000"}, {"VENTIK_MAX", "1000000000000"}};
        s.t->lim_vta.jug_min = "100000000";
        s.t.srv->spoil_next(procs[c.w], c.spoil);
        QString shown, enabled = "-";
        qsizetype from = 0;
        const auto save = [&](QWidget* w, QTreeWidget* lista, QPushButton* aceptar) {
            shown = lista ? QString::number(lista->topLevelItemCount()) : texts({static_cast<parsys*>(w)->tx_jmin})[0];
            enabled = aceptar->isEnabled() ? "enabled" : "disabled";
            s.t->flg_nocox = 0;  // the keep-alive found the server again
            from = s.t.srv->log.size();
            QTest::keyClick(w, Qt::Key_Return);
        };
        if (c.w == perms) {
            auto* u = s.open<QWidget>("userx", "usuarios");
            u->findChild<QTreeWidget*>("lista")->setCurrentItem(u->findChild<QTreeWidget*>("lista")->topLevelItem(1));
            s.with_modal<onoff_list>([&] { u->findChild<QPushButton*>("b_permiso")->click(); },
                                     [&](onoff_list* w) { save(w, w->lista, w->b_aceptar); });
        } else if (c.w == lots) {
            s.model().lotteries.resize(5);
            auto* w = s.open<onoff_list>("sorteo", "sorteos");
            ASSERT_TRUE(QTest::qWaitForWindowActive(w));
            save(w, w->lista, w->b_aceptar);
        } else if (c.w == params) {
            s.with_modal<parsys>([&] { s.item("par_sys"); }, [&](parsys* w) { save(w, nullptr, w->b_aceptar); });
        } else {
            auto* w = s.open_list(false);
            shown = QString::number(w->lista->topLevelItemCount());
            enabled = w->b_eliminar->isEnabled() ? "enabled" : "disabled";
            s.t->flg_nocox = 0;
            from = s.t.srv->log.size();
            s.t.dlg->answers = {plat::ans_ok};
            s.popup_item(w->lista, "dpo_eliminar");
        }
        EXPECT_EQ(s.boxes(), c.boxes);
        EXPECT_EQ(shown, c.w == params ? "" : "0");
        EXPECT_EQ(enabled, c.aceptar);
        EXPECT_EQ(calls_since(*s.t.srv, from), QStringList{});
        EXPECT_EQ(s.t->lim_vta.jug_min, "100000000");  // the sale limits keep what they held
    }
}

} // namespace
