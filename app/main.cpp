#include "app/windows.h"
#include "core/db/tds_driver.h"
#include "core/shell/main_window.h"
#include "platform/linux.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("tovaren");
    QApplication::setApplicationVersion("3.8.2.4");
    QApplication::setQuitOnLastWindowClosed(false);

    Services s;
    s.dialogs = plat::make_dialogs();
    s.settings = plat::make_settings();
    s.printers = plat::make_printers();
    s.http = plat::make_http();
    s.system = plat::make_system();
    s.driver = std::make_unique<db::TdsDriver>();
    if (!s.dialogs || !s.settings || !s.printers || !s.http || !s.system) {
        std::fprintf(stderr, "tovaren: the platform services are not available\n");
        return 1;
    }
    App app(std::move(s));

    register_all_windows(app);

    main_window w(app);
    QObject::connect(&w, &main_window::unloaded, &qapp, &QCoreApplication::quit, Qt::QueuedConnection);
    w.Form_Load();
    w.Form_Activate();
    return qapp.exec();
}
