// Users and permissions kept here take effect at the next login through the login window.
#include "admin/permisos.h"
#include "admin/usuarios.h"
#include "admin/usuarios_e.h"
#include "core/app/rule.h"
#include "core/login/conexion.h"
#include "core/login/windows.h"
#include "tests/admin/users_deposits.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

void log_in(AdminShell& s, const QString& user, const QString& clav)
{
    auto* c = s.t->win<conexion>("conexion");
    c->show();
    c->tx_user->setText(user);
    c->tx_clav->setText(clav);
    c->tx_dtbs->setEditText("DEMO");
    c->b_conectar->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(UsuariosLogin, IncludedUserLogsInWithoutHisDeniedItems)
{
    AdminShell s;
    register_login_windows(*s.t);
    s.t->num_hdd = hdd_serial(*s.t.sys);
    s.t->ses_val.cod_caj = "**";
    log_in(s, "ADMIN", "CLAVE");
    ASSERT_EQ(s.t->ses_val.cod_caj, "00");

    auto* w = s.open<usuarios>("userx", "usuarios");
    s.with_modal([&] { w->b_incluir->click(); },
                 [](QWidget* m) {
                     auto* d = qobject_cast<usuarios_e*>(m);
                     QTest::keyClicks(d->tx_user, "luisa");
                     QTest::keyClicks(d->tx_clav, "clave9");
                     QTest::keyClicks(d->tx_caja, "4");
                     d->b_aceptar->click();
                 });
    ASSERT_EQ(rows_of(w->lista).value(2), "LUISA     |CLAVE9    |04");
    w->lista->setCurrentItem(w->lista->topLevelItem(2));
    s.with_modal([&] { w->b_permiso->click(); },
                 [](QWidget* m) {
                     auto* p = qobject_cast<permisos*>(m);
                     set_ticks(p->lista, ".xxxxxx.x.");  // 202, 404 and 503 denied
                     p->b_aceptar->click();
                 });

    log_in(s, "LUISA", "CLAVE9");
    EXPECT_EQ(s.t->ses_val.cod_caj, "04");
    EXPECT_FALSE(s.t->is_loaded("usuarios"));
    QStringList hidden;
    for (const auto& e : per_entries())
        if (!s.t->mnu.value(e.item)->isVisible())
            hidden << e.item;
    EXPECT_EQ(hidden, QStringList({"mov_prm", "rep_caj", "userx"}));
}

} // namespace
