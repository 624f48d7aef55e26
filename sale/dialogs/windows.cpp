#include "bortik.h"
#include "duptik.h"
#include "reptik.h"
#include "signos.h"
#include "simbol.h"
#include "simbold.h"
#include "tertik.h"
#include "sale/plays/movtik_plays.h"
#include "sale/ticket/cycle.h"
#include "sale/windows.h"

void register_sale_windows(App& app)
{
    app.register_window(QStringLiteral("movtik"), [](App& a) -> QWidget* {
        auto* w = new movtik_plays(a);
        w->Form_Load();
        return w;
    });
    app.register_window(QStringLiteral("tertik"), [](App& a) -> QWidget* { return new tertik(a); });
    app.register_window(QStringLiteral("reptik"), [](App& a) -> QWidget* { return new reptik(a); });
    app.register_window(QStringLiteral("bortik"), [](App& a) -> QWidget* { return new bortik(a); });
    app.register_window(QStringLiteral("duptik"), [](App& a) -> QWidget* { return new duptik(a); });
    app.register_window(QStringLiteral("signos"), [](App& a) -> QWidget* { return new signos(a); });
    app.register_window(QStringLiteral("signos2"), [](App& a) -> QWidget* { return new signos2(a); });
    app.register_window(QStringLiteral("simbol"), [](App& a) -> QWidget* { return new simbol(a); });
    app.register_window(QStringLiteral("simbold"), [](App& a) -> QWidget* { return new simbold(a); });
    app.register_window(QStringLiteral("simbolt"), [](App& a) -> QWidget* { return new simbolt(a); });
    // A ticket a failed commit may have left sold is annulled as soon as the server answers
    // again, quietly: the cashier was told the sale failed. A sale window that a lost
    // opening left without a ticket tries it again once the tick or the login is over.
    app.cox_back = [&app] {
        anu_pend(app, true);
        if (app.is_loaded(QStringLiteral("movtik")))
            if (auto* w = app.win<movtik>(QStringLiteral("movtik")))
                w->srv_back();
    };
}
