#include "placed.h"

QString unfilled(const QString& text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    return text.left(n);
}

bool save_step(App& app, const std::function<bool()>& call)
{
    if (app.flg_nocox != 0) {
        // While the connection counts as lost the rule makes no call: the save says so.
        db::cox_lost(app.rule());
        return false;
    }
    if (call())
        return true;
    // The rule has said so when it gave the connection up during the call; a call it
    // refused before sending it (a value that does not fit its parameter) ends the same way.
    if (app.flg_nocox == 0)
        db::cox_lost(app.rule());
    return false;
}
