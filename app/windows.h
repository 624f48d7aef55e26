#pragma once
#include "core/app/app.h"

// Registers every window of the program by its name. The real windows come first: the
// shell's stand-ins go only to the names nobody registered.
void register_all_windows(App& app);
