#include "permisos.h"
#include "edit_fields.h"
#include "placed.h"
#include "procs_users.h"
#include "usuarios.h"
#include "core/shared/justify.h"
#include "core/shared/twips.h"

permisos::permisos(App& app) : onoff_list(app, QStringLiteral("permisos"), 4800, 3100)
{
    Form_Load();
}

QString permisos::usuario() const
{
    auto* list = app_.is_loaded(QStringLiteral("usuarios")) ? app_.win<usuarios>(QStringLiteral("usuarios")) : nullptr;
    return list ? trim_blanks(list->usuario()) : QString();
}

void permisos::Form_Load()
{
    place_by_screen(this, {4000, 2500}, {5500, 3500});
    lista->clear();
    lista->setColumnCount(1);
    lista->setHeaderLabels({QString()});
    lista->setColumnWidth(0, tw(4430));
    const QString user = usuario();
    setWindowTitle(QStringLiteral("Permisos - Usuario: ") + user + QStringLiteral(" (Tovaren)"));

    const MapList denied = getmap(app_, user);
    if (!denied.ok)
        return;
    // A denied code is matched without the blanks around it, as the login matches it.
    QStringList codes;
    for (const QString& code : denied.codes)
        codes << trim_blanks(code);
    const TabPer& t = app_.tab_per;
    QList<QStringList> texts;
    QList<bool> on;
    for (qsizetype k = 0; k < t.per_cod.size(); ++k) {
        texts << QStringList{t.per_nom.value(k)};
        on << !codes.contains(t.per_cod[k]);
    }
    // A code of a menu this program does not have (the server may know more of them) is
    // stored again, once, as it came but for the blanks that fill its column. One too long
    // for the parameter that would carry it cannot go back, and goes with the save.
    QStringList kept;
    for (qsizetype k = 0; k < codes.size(); ++k) {
        const QString code = unfilled(denied.codes[k]);
        if (!t.per_cod.contains(codes[k]) && code.size() <= kMenuCodeSize && !kept.contains(code))
            kept << code;
    }
    fill(texts, on, t.per_cod, kept);
    lista->setColumnWidth(0, tw(texts.size() > 10 ? 4170 : 4430));
}

bool permisos::remove_all()
{
    return delmap(app_, usuario());
}

bool permisos::store_off(const QString& code)
{
    return actmap(app_, usuario(), code);
}
