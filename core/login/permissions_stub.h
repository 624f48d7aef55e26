#pragma once
// STAND-IN, to be deleted when the permission tables land in core/shared/permissions.h:
// the same three calls, enough for the login to hide and enable menu items.
#include "core/db/app.h"

// Makes the ten permission menu items enabled and visible again.
void per_table(App& app);
// Applies one denied permission code of the login (a USERXX_MAP row, trimmed).
void per_deny(App& app, const QString& code);
// The menu decisions that follow the login values: rep_itx and sorteo.
void per_menus(App& app);
