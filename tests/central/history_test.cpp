// The demo's history as the double holds it when it starts at any hour: nothing of the day
// after the start, earlier days whole, the tickets numbered in the order sold with the
// counter above them, so that a caja's last ticket is its latest sale, history and new
// sales alike; the day's reports count only what happened before them.
#include "central/central.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// One call as the program makes it: the values by position, the outputs among them.
central::Request call(central::Server& s, const QString& proc, const QVariantList& args, const QList<int>& outs = {})
{
    central::Request r;
    r.proc = proc;
    r.args = args;
    r.out_positions = outs;
    QString error;
    EXPECT_TRUE(s.execute(r, &error, nullptr)) << qPrintable(proc) << ": " << qPrintable(error);
    return r;
}

// The rows of the first record set, each a map of column to value.
QList<QVariantMap> rows(const central::Request& r)
{
    QList<QVariantMap> out;
    for (const QVariantList& row : r.sets.value(0).rows) {
        QVariantMap m;
        for (qsizetype c = 0; c < row.size(); ++c)
            m[r.sets[0].columns[c]] = row[c];
        out << m;
    }
    return out;
}

// A time of day as the answers write it, "hh:mm:ss": compared as text, printed when not.
std::string hms(const QVariant& v) { return v.toString().toStdString(); }
std::string hms(const QTime& t) { return t.toString("hh:mm:ss").toStdString(); }

TEST(DemoHistory, FitsTheMomentTheDoubleStarts)
{
    const QDate day(2024, 3, 5);
    const QString today = day.toString("yyyy-MM-dd"), yesterday = day.addDays(-1).toString("yyyy-MM-dd");
    const struct {
        QTime start;
        bool sales, payments;  // the day has its own by then
    } cases[] = {
        {QTime(6, 15), false, false},
        {QTime(12, 0), true, false},
        {QTime(21, 45), true, true},
        {QTime(0, 20), false, false},
    };
    qsizetype days_before = -1;  // tickets of the days before, the same at every start
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.start.toString()));
        QDateTime now(day, c.start);
        central::Server srv([&now] { return now; });

        // Nothing of the day after the start: no sale, payment or drawn number.
        const std::string start = hms(c.start);
        const QList<QVariantMap> sold = rows(call(srv, "contik", {today, "001", "00"}));
        for (const QVariantMap& t : sold)
            EXPECT_LE(hms(t["hormov"]), start) << "sold " << hms(t["numtik"]);
        EXPECT_EQ(!sold.isEmpty(), c.sales);
        const QList<QVariantMap> paid = rows(call(srv, "reptaq", {today, today, "001", "  ", 5}));
        for (const QVariantMap& p : paid)
            EXPECT_LE(hms(p["paghor"]), start) << "paid " << hms(p["numtik"]);
        EXPECT_EQ(!paid.isEmpty(), c.payments);
        for (const QVariantMap& w : rows(call(srv, "dstprm", {today, "001", 0})))
            EXPECT_TRUE(w["numpre"].toString().isEmpty() || hms(srv.model.lottery(w["codlot"].toString())->draw) <= start)
                << "drawn " << hms(w["codlot"]);
        for (const QVariantMap& w : rows(call(srv, "reprtq", {today, today, "001", "  ", 2}))) {
            for (const central::Play& p : srv.model.ticket(w["numtik"].toLongLong())->plays)
                EXPECT_LE(hms(srv.model.lottery(p.codlot)->draw), start) << "won " << hms(w["numtik"]);
        }
        const qsizetype before = rows(call(srv, "contik", {yesterday, "001", "00"})).size();
        EXPECT_GT(before, 0);
        EXPECT_EQ(before, days_before < 0 ? before : days_before);
        days_before = before;

        // The caja's last ticket is the latest it sold: today's last, or else yesterday's.
        const auto last = [&] { return call(srv, "dsputk", {QVariant(), "001", "01"}, {0}).arg(0).toLongLong(); };
        QList<QVariantMap> own = rows(call(srv, "contik", {today, "001", "01"}));
        if (own.isEmpty())
            own = rows(call(srv, "contik", {yesterday, "001", "01"}));
        ASSERT_FALSE(own.isEmpty());
        const auto latest = std::max_element(own.begin(), own.end(), [](const QVariantMap& a, const QVariantMap& b) {
            return hms(a["hormov"]) < hms(b["hormov"]);
        });
        EXPECT_EQ(last(), (*latest)["numtik"].toLongLong());

        // A ticket sold a few minutes later is numbered above every ticket and is the caja's last.
        now = now.addSecs(300);
        const central::Request opened =
            call(srv, "newtkx", {QVariant(), QVariant(), QVariant(), QVariant(), "001", "01", "0305419896", 0, 1, 0},
                 {0, 1, 2, 3});
        const qint64 numtik = opened.arg(0).toLongLong();
        EXPECT_EQ(std::max_element(srv.model.tickets.begin(), srv.model.tickets.end(),
                                   [](const auto& a, const auto& b) { return a.numtik < b.numtik; })->numtik,
                  numtik);
        call(srv, "protkx", {numtik, "001", "N", "123", 500000000, 0, 0, 1});
        const central::Request committed =
            call(srv, "valtkx", {QVariant(), QVariant(), QString::number(numtik).rightJustified(8, u'0'), 500000000, 0, 1},
                 {0, 1});
        EXPECT_EQ(committed.arg(0).toLongLong(), 500000000);
        EXPECT_EQ(committed.arg(1).toString(), now.time().toString("hh:mm:ss"));
        EXPECT_EQ(last(), numtik);

        // The caja's cash count a minute later: the sales are its tickets sold by then and
        // not annulled (early in the day only the new one), the prizes paid by then.
        now = now.addSecs(60);
        qint64 counted = 0;
        for (const QVariantMap& t : rows(call(srv, "contik", {today, "001", "01"}))) {
            EXPECT_LE(hms(t["hormov"]), hms(now.time()));
            counted += t["status"].toInt() == 0 ? t["total"].toLongLong() : 0;
        }
        qint64 reported = 0;
        for (const QVariantMap& r : rows(call(srv, "repvtq", {today, today, "001", "01"})))
            reported += r["total"].toLongLong();
        EXPECT_EQ(reported, counted);
        EXPECT_TRUE(c.sales ? reported > 500000000 : reported == 500000000) << reported;
        for (const QVariantMap& p : rows(call(srv, "reptaq", {today, today, "001", "01", 5})))
            EXPECT_LE(hms(p["paghor"]), hms(now.time()));
    }
}

} // namespace
