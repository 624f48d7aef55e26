#pragma once
#include "core/db/app.h"

// The main window's timer tick.
void timers_Timer(App& app);
