#include "core/db/app.h"
#include "core/db/tds_driver.h"
#include "platform/linux.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    Services s;
    s.dialogs = plat::make_dialogs();
    s.settings = plat::make_settings();
    s.printers = plat::make_printers();
    s.http = plat::make_http();
    s.system = plat::make_system();
    s.driver = std::make_unique<db::TdsDriver>();
    App app(std::move(s));
    QMainWindow w;
    w.setObjectName("main");
    w.setWindowTitle("Tovaren");
    w.show();
    return qapp.exec();
}
