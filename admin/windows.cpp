#include "windows.h"

void register_admin_windows(App& app)
{
    (void)app;
}
