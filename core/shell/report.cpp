#include "report.h"
#include "mdi_child.h"
#include "text_printer.h"
#include "core/shared/twips.h"

#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScreen>
#include <QShortcut>

void rep_reset(BufRep& buf)
{
    buf.rep_lin = QStringList{QString()};
}

void rep_addline(BufRep& buf)
{
    buf.rep_lin.append(QString());
}

void rep_show(App& app)
{
    auto* w = app.win<reporte>(QStringLiteral("reporte"));
    if (!w)
        return;
    show_mdi_child(app, w);
    // Always in its normal size, also when it was left maximised or minimised.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget()); sub && (sub->isMaximized() || sub->isMinimized()))
        sub->showNormal();
    w->lista->clear();
    w->lista->addItems(app.buf_rep.rep_lin);
}

void rep_print(App& app)
{
    const auto& cfg = app.cfg_reg;
    app.dlg.set_pointer(plat::ptr_hourglass);
    TextPrinter prn(app.prn);
    bool ok = prn.start(cfg);
    for (qsizetype i = 0; ok && i < app.buf_rep.rep_lin.size(); ++i)
        ok = prn.line(app.buf_rep.rep_lin[i], cfg.rep_marg);
    for (int i = 0; ok && i < cfg.rep_salt + 5; ++i)
        ok = prn.line(QStringLiteral(" "));
    ok = ok && prn.end();
    app.dlg.set_pointer(plat::ptr_default);
    if (!ok)
        app.msg(QStringLiteral("Error de impresión.") + QString(10, QLatin1Char(' ')), plat::mb_critical);
}

reporte::reporte(App& app) : app_(app)
{
    setObjectName(QStringLiteral("reporte"));
    setWindowTitle(QStringLiteral("Reporte"));

    // Load: placed by the screen's width, the list filling the window.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screen_twips = screen ? screen->geometry().width() * 15 : 0;
    const int width = tw(9200), height = tw(5500);
    move(tw(3000), screen_twips <= 9600 ? tw(250) : tw(900));
    resize(width, height);

    lista = new QListWidget(this);
    lista->setObjectName(QStringLiteral("lista"));
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSizeF(9.75);
    lista->setFont(f);
    lista->setUniformItemSizes(true);
    lista->clear();
    lista->setGeometry(tw(50), tw(50), width - tw(180), height - tw(480));

    b_salir = new QPushButton(QStringLiteral("Salir"), this);
    b_salir->setObjectName(QStringLiteral("b_salir"));
    b_salir->setGeometry(width - tw(180) + tw(50) - tw(1200), height - tw(480) + tw(50) + tw(30), tw(1200),
                         tw(375));
    connect(b_salir, &QPushButton::clicked, this, &reporte::b_salir_Click);
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, b_salir, &QPushButton::click);
}

void reporte::b_salir_Click()
{
    close_mdi_child(this);
}
