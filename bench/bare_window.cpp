// The start-up benchmark's yardstick: a bare Qt Widgets program, a line edit in a window.
#include <QApplication>
#include <QLineEdit>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setObjectName("bare");
    new QLineEdit(&window);
    window.show();
    return app.exec();
}
