#include "permissions.h"

const std::array<PerEntry, 10>& per_entries()
{
    static const std::array<PerEntry, 10> table{{
        {"202", "Movimientos - Números Premiados", "mov_prm"},
        {"203", "Movimientos - Pagos a la Banca", "mov_dpo"},
        {"301", "Procesos - Pago de Tickets", "pro_pag"},
        {"302", "Procesos - Anulación de Tickets", "pro_anu"},
        {"401", "Reportes - Ventas Tovaren", "rep_vtq"},
        {"402", "Reportes - Resultados Tovaren", "rep_rtq"},
        {"403", "Reportes - Resultados Banca", "rep_rba"},
        {"404", "Reportes - Cuadre de Caja", "rep_caj"},
        {"405", "Reportes - Cuadre de Cuentas", "rep_lup"},
        {"503", "Otros - Usuarios", "userx"},
    }};
    return table;
}
