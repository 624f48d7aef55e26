#include "placeholder.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

placeholder::placeholder(App& app, const QString& name, const QString& caption, QWidget* parent)
    : QWidget(parent), app_(app)
{
    setObjectName(name);
    setWindowTitle(caption);
    auto* text = new QLabel(QStringLiteral("En construcción"), this);
    text->setObjectName("Label1");
    text->setAlignment(Qt::AlignCenter);
    auto* salir = new QPushButton(QStringLiteral("Salir"), this);
    salir->setObjectName("b_salir");
    salir->setShortcut(Qt::Key_Escape);
    connect(salir, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(salir);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text, 1);
    layout->addLayout(buttons);
    resize(360, 160);
}

void placeholder_list::b_modificar_Click()
{
    app_.msg(QStringLiteral("No hay registros para modificar.") + QString(10, ' '), plat::mb_information);
}

void placeholder_list::b_eliminar_Click()
{
    app_.msg(QStringLiteral("No hay registros para eliminar.") + QString(10, ' '), plat::mb_information);
}

void placeholder_list::b_permiso_Click()
{
    app_.msg(QStringLiteral("No hay registros para configurar.") + QString(10, ' '), plat::mb_information);
}
