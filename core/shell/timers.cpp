#include "timers.h"

void timers_Timer(App& app)
{
    // replaced by the keep-alive
}
