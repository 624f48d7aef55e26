// Users and permissions kept here take effect at the next login through the login window.
#include "admin/usuarios.h"
#include "admin/usuarios_e.h"
#include "admin/permisos.h"
#include "core/app/rule.h"
#include "core/login/conexion.h"
#include "core/login/windows.h"
#include "tests/admin/users_deposits.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

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

    s.item("userx");
    auto* w = s.t->win<usuarios>("usuarios");
    s.with_modal([&] { w->b_incluir->click(); },
                 [](QWidget* m) {
                     auto* d = qobject_cast<usuarios_e*>(m);
                     QTest::keyClicks(d->tx_user, "luisa");
                     QTest::keyClicks(d->tx_clav, "clave9");
                     QTest::keyClicks(d->tx_caja, "4");
                     d->b_aceptar->click();
                 });
    const QStringList rows = rows_of(w->lista);
    const int row = int(rows.indexOf("LUISA     |CLAVE9    |04"));
    ASSERT_GE(row, 0) << qPrintable(rows.join(','));
    w->lista->setCurrentItem(w->lista->topLevelItem(row));
    s.with_modal([&] { w->b_permiso->click(); },
                 [](QWidget* m) {
                     auto* p = qobject_cast<permisos*>(m);
                     for (int k : {0, 7, 9})  // 202, 404, 503
                         p->lista->topLevelItem(k)->setCheckState(0, Qt::Unchecked);
                     p->b_aceptar->click();
                 });

    log_in(s, "LUISA", "CLAVE9");
    EXPECT_EQ(s.t->ses_val.cod_caj, "04");
    EXPECT_FALSE(s.t->is_loaded("usuarios"));
    QStringList hidden;
    for (const char* name : {"mov_prm", "mov_dpo", "pro_pag", "pro_anu", "rep_vtq", "rep_rtq", "rep_rba", "rep_caj",
                             "rep_lup", "userx"})
        if (!s.t->mnu.value(name)->isVisible())
            hidden << name;
    EXPECT_EQ(hidden, QStringList({"mov_prm", "rep_caj", "userx"}));
    EXPECT_FALSE(s.t->mnu.value("sorteo")->isEnabled());
}

} // namespace
