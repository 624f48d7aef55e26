#pragma once
#include "core/app/app.h"

// Registers the update window "update".
void register_update_windows(App& app);
