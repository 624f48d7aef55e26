#pragma once
#include "core/app/app.h"

// Registers the windows of the server messages and the report viewer:
// "mensaje", "mensajes" and "reporte".
void register_keepalive_windows(App& app);
