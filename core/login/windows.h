#pragma once
#include "core/app/app.h"

// Registers the login window "conexion" in the App's window registry.
void register_login_windows(App& app);
