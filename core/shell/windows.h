#pragma once
#include "core/app/app.h"

// Registers a stand-in for every window the main menu opens that has no factory yet
// (a real window registered later replaces it).
void register_shell_windows(App& app);
