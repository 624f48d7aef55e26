#include "windows.h"

void register_reports_windows(App& app)
{
    (void)app;
}
