#pragma once
// The server's messages to the outlet: the message window the main timer opens, and the
// list of the outlet's messages opened from the menu.
#include "core/app/app.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

// "Mensaje del Sistema": one message, shown modally by the main timer.
class mensaje : public QDialog {
    Q_OBJECT
public:
    explicit mensaje(App& app);

    QPlainTextEdit* texto;
    QPushButton* b_salir;

public slots:
    void b_salir_Click();

private:
    App& app_;
};

// "Mensajes del Sistema": the outlet's messages as dstmen lists them when the window loads.
class mensajes : public QWidget {
    Q_OBJECT
public:
    explicit mensajes(App& app);

    QTreeWidget* lista;
    QPushButton* b_salir;

public slots:
    void b_salir_Click();

private:
    void car_men();

    App& app_;
    QStringList fec_men, hor_men, txt_men;
};
