#include "central.h"

#include <algorithm>

namespace central {

namespace {

// The demo's draws: a lottery of every kind, each with its winning numbers of today (""
// before the draw) and of the three days before. Symbol lotteries name their numbers in
// the symbol set codrul (the login's set 1); animal lotteries write animal codes "01" to "32".
struct DemoDraw {
    const char* code;
    const char* name;
    int codsim, codrul, codzod;
    int hour, minute;
    const char* numbers[4];   // today, yesterday, two and three days ago
    int today_status;
};

const DemoDraw demo_draws[] = {
    {"TRA", "Triple A", 0, 0, 0, 12, 30, {"123", "807", "555", "031"}, 2},
    {"TRB", "Triple B", 0, 0, 0, 16, 30, {"", "419", "270", "998"}, 0},
    {"TAZ", "Triple Zodiacal del Zulia", 0, 0, 1, 13, 0, {"123A", "450L", "071F", "666C"}, 2},
    {"CCH", "Cacho Oriental", 0, 0, 2, 17, 0, {"45B", "07A", "88C", "12B"}, 1},
    {"CUA", "Cuadruple", 0, 0, 0, 21, 0, {"", "1234", "0042", "9001"}, 0},
    {"SEX", "Super Seis", 0, 0, 0, 22, 0, {"", "123456", "000777", "450012"}, 0},
    {"ANI", "Animalito", 1, 0, 0, 10, 0, {"05", "32", "14", "01"}, 2},
    {"ANP", "Pareja Animal", 1, 0, 0, 15, 0, {"0102", "2731", "1120", "0509"}, 3},
    {"ANT", "Trio Animal", 1, 0, 0, 20, 0, {"", "010203", "141516", "303132"}, 0},
    {"LAC", "Lotto Activo", 1, 1, 0, 11, 0, {"0a", "99", "15", "36"}, 2},
    {"GRJ", "La Granjita Zodiacal", 1, 1, 1, 9, 0, {"07B", "0aK", "12", "45L"}, 2},
    {"RUL", "Ruleta Clasica", 1, 1, 0, 18, 0, {"", "1234", "0a", "99"}, 0},
};

} // namespace

// The procedures of the winning numbers.
void install_winners(Server& server)
{
    Model& model = server.model;

    const QDate today = QDate::currentDate();
    for (const DemoDraw& d : demo_draws) {
        const QString code = QString::fromLatin1(d.code);
        if (!model.lottery(code)) {
            Lottery l;
            l.codint = l.codlot = code;
            l.nomlot = QString::fromLatin1(d.name);
            l.codsim = d.codsim;
            l.codrul = d.codrul;
            l.codzod = d.codzod;
            l.draw = QTime(d.hour, d.minute);
            model.lotteries.append(l);
        }
        for (int day = 0; day < 4; ++day)
            model.winners.append(Winner{today.addDays(-day), code, QString::fromLatin1(d.numbers[day]),
                                        day == 0 ? d.today_status : day == 3 && d.codsim == 1 ? 3 : 2});
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
