#include "windows.h"
#include "placeholder.h"

namespace {

struct Stand {
    const char* name;
    const char* caption;
    bool list;
};

const Stand stands[] = {
    {"movtik", "Venta de Tickets", false},
    {"movprm", "Números Premiados", false},
    {"movdpo", "Pagos a la Banca", true},
    {"proatk", "Anulación de Tickets", false},
    {"proptk", "Pago de Tickets", false},
    {"repvtq", "Reporte - Ventas Tovaren", false},
    {"reprtq", "Reporte - Resultados Tovaren", false},
    {"reprba", "Reporte - Resultados Banca", false},
    {"repctq", "Reporte - Cuadre de Caja", false},
    {"replup", "Reporte - Cuadre de Cuentas", false},
    {"repitx", "Reporte - Impuesto Municipal", false},
    {"parsys", "Parámetros Tovaren", false},
    {"parprn", "Parámetros Impresora", false},
    {"sorteos", "Loterias", false},
    {"usuarios", "Usuarios", true},
};

} // namespace

void register_shell_windows(App& app)
{
    for (const auto& s : stands) {
        const QString name = QString::fromLatin1(s.name);
        if (app.has_factory(name))
            continue;
        const QString caption = QString::fromUtf8(s.caption);
        if (s.list)
            app.register_window(name, [name, caption](App& a) -> QWidget* {
                return new placeholder_list(a, name, caption);
            });
        else
            app.register_window(name, [name, caption](App& a) -> QWidget* {
                return new placeholder(a, name, caption);
            });
    }
}
