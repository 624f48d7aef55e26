#include "windows.h"
#include "admin/windows.h"
#include "core/login/windows.h"
#include "core/shell/keepalive_windows.h"
#include "core/shell/windows.h"
#include "core/update/windows.h"
#include "reports/windows.h"
#include "sale/windows.h"
#include "services/windows.h"

void register_all_windows(App& app)
{
    register_login_windows(app);
    register_keepalive_windows(app);
    register_update_windows(app);
    register_sale_windows(app);
    register_services_windows(app);
    register_reports_windows(app);
    register_admin_windows(app);
    register_shell_windows(app);
}
