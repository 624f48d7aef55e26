#include "central.h"

#include <algorithm>

namespace central {

namespace {

// The demo's draws: the winning numbers of the demo catalogue's lotteries today (""
// before the draw) and on the three days before. Symbol lotteries name their numbers in
// the symbol set codrul (the login's set 1).
struct DemoDraw {
    const char* code;         // a lottery of the demo catalogue
    const char* numbers[4];   // today, yesterday, two and three days ago
    int today_status;
};

const DemoDraw demo_draws[] = {
    {"TCA", {"123", "807", "555", "031"}, 2},
    {"TZU", {"", "419", "270", "998"}, 0},
    {"ZCA", {"123A", "450L", "071F", "666C"}, 2},
    {"CHA", {"45B", "07A", "88C", "12B"}, 1},
    {"DBO", {"", "1234", "0042", "9001"}, 0},
    {"TML", {"", "123456", "000777", "450012"}, 0},
    {"LAC", {"0a", "99", "15", "36"}, 2},
    {"GRA", {"07", "0a", "12", "45"}, 2},
    {"RUA", {"", "12", "0a", "99"}, 0},
    {"LAT", {"", "010203", "141516", "303132"}, 0},
    {"SEL", {"05", "32", "14", "01"}, 2},
};

} // namespace

// The procedures of the winning numbers.
void install_winners(Server& server)
{
    Model& model = server.model;

    const QDate today = model.started.date();
    for (const DemoDraw& d : demo_draws) {
        const QString code = QString::fromLatin1(d.code);
        const Lottery* l = model.lottery(code);
        if (!l)
            continue;
        const bool symbols = l->codsim == 1;
        for (int day = 0; day < 4; ++day)
            model.winners.append(Winner{today.addDays(-day), code, QString::fromLatin1(d.numbers[day]),
                                        day == 0 ? d.today_status : day == 3 && symbols ? 3 : 2});
    }

    // dstprm: p1 date "yyyy-mm-dd", p2 outlet, p3 order (1 by name, otherwise by draw
    // time) -> the draws of the outlet's lotteries on that date, one row per lottery.
    server.register_procedure("dstprm", [&model](Request& r) {
        auto& rs = r.rows({"codlot", "nomlot", "numpre", "codzod", "codsim", "codrul", "status"});
        const QDate fecha = QDate::fromString(r.text(0).trimmed(), QStringLiteral("yyyy-MM-dd"));
        if (!fecha.isValid() || r.text(1).trimmed() != model.outlet.cod_ven.trimmed())
            return true;
        QList<QPair<const Lottery*, const Winner*>> draws;
        for (const Winner& w : model.winners) {
            const Lottery* l = model.lottery(w.codlot);
            if (w.fecha == fecha && l && !model.outlet.lots_off.contains(l->codint))
                draws.append({l, &w});
        }
        const bool by_name = r.arg(2).toInt() == 1;
        std::stable_sort(draws.begin(), draws.end(), [by_name](const auto& a, const auto& b) {
            return by_name ? a.first->nomlot < b.first->nomlot : a.first->draw < b.first->draw;
        });
        for (const auto& [l, w] : draws)
            rs.rows << QVariantList{l->codlot, l->nomlot, w->numpre, l->codzod, l->codsim, l->codrul, w->status};
        return true;
    });
}

} // namespace central
