#include "usuarios.h"
#include "edit_fields.h"
#include "placed.h"
#include "procs_users.h"
#include "core/shared/twips.h"
#include "core/shell/show.h"

usuarios::usuarios(App& app) : list_window(app, QStringLiteral("usuarios"), QStringLiteral("menuusr"),
                                           QStringLiteral("usuarios_e"))
{
    setWindowTitle(QStringLiteral("Usuarios"));
    b_permiso = new QPushButton(QStringLiteral("Permisos"), this);
    b_permiso->setObjectName(QStringLiteral("b_permiso"));
    connect(b_permiso, &QPushButton::clicked, this, &usuarios::b_permiso_Click);

    lista->setGeometry(tw_rect(150, 150, 6700, 3500));
    int left = 150;
    for (QPushButton* b : {b_incluir, b_modificar, b_eliminar, b_permiso}) {
        b->setGeometry(tw_rect(left, 3800, 1200, 380));
        left += 1300;
    }
    b_salir->setGeometry(tw_rect(5650, 3800, 1200, 380));
    setTabOrder(lista, b_incluir);
    setTabOrder(b_incluir, b_modificar);
    setTabOrder(b_modificar, b_eliminar);
    setTabOrder(b_eliminar, b_permiso);
    setTabOrder(b_permiso, b_salir);
    resize(tw(7000), tw(4330));

    // Load.
    place_by_screen(this, {1200, 1000}, {2300, 1500});
    set_columns({{QStringLiteral("Usuario"), 2100}, {QStringLiteral("Clave"), 2100}, {QStringLiteral("Caja"), 2120}});
    if (!supervisor()) {
        b_incluir->setEnabled(false);
        b_eliminar->setEnabled(false);
        b_permiso->setEnabled(false);
    }
    lst_usr();
}

bool usuarios::supervisor() const
{
    return app_.ses_val.cod_caj == QLatin1String("00");
}

QString usuarios::usuario() const
{
    QTreeWidgetItem* row = selected();
    return row ? row->text(0) : QString();
}

QString usuarios::caja() const
{
    QTreeWidgetItem* row = selected();
    return row ? row->text(2) : QString();
}

void usuarios::lst_usr()
{
    const UsrList l = dspusr(app_, app_.ses_val.cod_ven, app_.num_hdd);
    if (!l.ok) {
        // Until the window is opened again; the pop-up items and the double click still try.
        for (QPushButton* b : {b_incluir, b_modificar, b_eliminar, b_permiso})
            b->setEnabled(false);
        return;
    }
    QList<QStringList> rows;
    for (const UsrRow& u : l.rows) {
        if (u.iduser.isNull())
            continue;
        const QString caja = u.iduser.toString();
        if (supervisor() || caja == app_.ses_val.cod_caj)
            rows << QStringList{u.logusr, u.pwdusr, caja};
    }
    set_rows(rows);
    set_width(2, rows.size() > 10 ? 1860 : 2120);
}

void usuarios::b_incluir_Click()
{
    if (supervisor())
        incluir();
}

void usuarios::b_modificar_Click()
{
    modificar();
}

void usuarios::b_eliminar_Click()
{
    if (!supervisor())
        return;
    eliminar([this] {
        // The answer is not read: the reloaded list shows what the server did. The name goes
        // as listed; one filled beyond its parameter's 10 characters goes without that fill.
        const QString name = usuario().size() > 10 ? unfilled(usuario()) : usuario();
        const UsrAnswer a = actusr(app_, QStringLiteral("3"), name, QVariant(), QVariant(), QVariant(), app_.num_hdd);
        if (a.ok)
            lst_usr();
    });
}

void usuarios::b_permiso_Click()
{
    if (!supervisor())
        return;
    if (lista->topLevelItemCount() == 0)
        app_.msg(QStringLiteral("No hay registros para configurar.") + QString(10, ' '), plat::mb_information);
    else
        show_modal(app_.window(QStringLiteral("permisos")));
    lista->setFocus();
}
