#include "windows.h"

void register_services_windows(App& app)
{
    (void)app;
}
