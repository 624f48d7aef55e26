#pragma once
#include "core/app/app.h"

// Registers the windows of this folder in the App's window registry.
void register_services_windows(App& app);
