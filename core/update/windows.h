#pragma once
#include "core/db/app.h"

// Registers the update window "update".
void register_update_windows(App& app);
