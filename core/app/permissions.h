#pragma once
// The menu permissions applied at every successful login, in this order:
// per_table, per_row for each USERXX_MAP row, per_values.
#include "app.h"

// Rebuilds app.tab_per with the ten codes, makes their menu items enabled and visible,
// and lets the user annul tickets again (flg_anu = 1) until a row denies code 302.
void per_table(App& app);
// One USERXX_MAP value (blanks around it ignored): hides the menu item of the equal code;
// code 302 also clears flg_anu. Any other value is ignored.
void per_row(App& app, const QString& value);
// The two items decided by login values: rep_itx enabled when por_imp > 0,
// sorteo enabled when cod_caj is "00".
void per_values(App& app);
