#include "sale/windows.h"

void register_sale_windows(App& app)
{
    (void)app;
}
