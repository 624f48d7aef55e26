// The demo's history as the double holds it when it starts at any hour: nothing of the day
// after the start, earlier days whole, the tickets numbered in the order sold with the
// counter above them, so that a caja's last ticket is its latest sale, history and new
// sales alike; the day's reports count only what happened before them.
#include "central/central.h"
#include "tests/doubles/golden.h"


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

// The row with the latest time of day in a column, "hh:mm:ss" as the answers write them
// (none: an empty row).
QVariantMap latest(const QList<QVariantMap>& rows, const char* column)
{
    QVariantMap last;
    for (const QVariantMap& r : rows)
        if (r[column].toString() > last[column].toString())
            last = r;
    return last;
}

TEST(DemoHistory, FitsTheMomentTheDoubleStarts)
{
    const QDate day(2024, 3, 5);
    const QString today = day.toString("yyyy-MM-dd"), yesterday = day.addDays(-1).toString("yyyy-MM-dd");
    // sales, payments: the day has its own by then.
    const struct { QTime start; bool sales, payments; } cases[] = {
        {QTime(6, 15), false, false}, {QTime(12, 0), true, false}, {QTime(21, 45), true, true}, {QTime(0, 20), false, false},
    };
    qsizetype days_before = -1;  // tickets of the days before, the same at every start
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.start.toString()));
        QDateTime now(day, c.start);
        central::Server srv([&now] { return now; });
        const auto hms = [&now] { return now.time().toString("hh:mm:ss"); };

        // Nothing of the day after the start: no sale, payment, drawn number or prize.
        const QList<QVariantMap> sold = rows(call(srv, "contik", {today, "001", "00"}));
        EXPECT_LE(latest(sold, "hormov")["hormov"].toString(), hms());
        EXPECT_EQ(!sold.isEmpty(), c.sales);
        const QList<QVariantMap> paid = rows(call(srv, "reptaq", {today, today, "001", "  ", 5}));
        EXPECT_LE(latest(paid, "paghor")["paghor"].toString(), hms());
        EXPECT_EQ(!paid.isEmpty(), c.payments);
        const auto drawn = [&](const QString& codlot) { return srv.model.lottery(codlot)->draw.toString("hh:mm:ss"); };
        for (const QVariantMap& w : rows(call(srv, "dstprm", {today, "001", 0})))
            EXPECT_TRUE(w["numpre"].toString().isEmpty() || drawn(w["codlot"].toString()) <= hms()) << qPrintable(typed(w["codlot"]));
        for (const QVariantMap& w : rows(call(srv, "reprtq", {today, today, "001", "  ", 2})))
            for (const central::Play& p : srv.model.ticket(w["numtik"].toLongLong())->plays)
                EXPECT_LE(drawn(p.codlot), hms()) << qPrintable(typed(w["numtik"]));
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
        EXPECT_EQ(last(), latest(own, "hormov")["numtik"].toLongLong());

        // A ticket sold a few minutes later is numbered above every ticket and is the caja's last.
        now = now.addSecs(300);
        const qint64 numtik =
            call(srv, "newtkx", {QVariant(), QVariant(), QVariant(), QVariant(), "001", "01", "0305419896", 0, 1, 0},
                 {0, 1, 2, 3}).arg(0).toLongLong();
        for (const central::Ticket& t : srv.model.tickets)
            EXPECT_LE(t.numtik, numtik);
        call(srv, "protkx", {numtik, "001", "N", "123", 500000000, 0, 0, 1});
        const central::Request committed =
            call(srv, "valtkx", {QVariant(), QVariant(), QString::number(numtik).rightJustified(8, u'0'), 500000000, 0, 1},
                 {0, 1});
        EXPECT_EQ(QString::number(committed.arg(0).toLongLong()) + " " + committed.text(1), "500000000 " + hms());
        EXPECT_EQ(last(), numtik);

        // The caja's cash count a minute later: the sales are its tickets sold by then and
        // not annulled (early in the day only the new one), the prizes paid by then.
        now = now.addSecs(60);
        const QList<QVariantMap> own_today = rows(call(srv, "contik", {today, "001", "01"}));
        EXPECT_LE(latest(own_today, "hormov")["hormov"].toString(), hms());
        qint64 counted = 0, reported = 0;
        for (const QVariantMap& t : own_today)
            counted += t["status"].toInt() == 0 ? t["total"].toLongLong() : 0;
        for (const QVariantMap& r : rows(call(srv, "repvtq", {today, today, "001", "01"})))
            reported += r["total"].toLongLong();
        EXPECT_EQ(reported, counted);
        EXPECT_TRUE(c.sales ? reported > 500000000 : reported == 500000000) << reported;
        EXPECT_LE(latest(rows(call(srv, "reptaq", {today, today, "001", "01", 5})), "paghor")["paghor"].toString(), hms());
    }
}

} // namespace
