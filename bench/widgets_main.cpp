// The main of the benchmarks that build windows: one QApplication on the offscreen
// platform unless another is named.
#include "main.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return bench::run(argc, argv);
}
