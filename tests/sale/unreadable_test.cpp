// The sale window on answers the server spoiled: no ticket opens without its number, serial
// and date, no ticket is printed from a commit that could not be read, and the calls that
// follow act on nothing half-read (transcripts compared with tests/golden/sale/unreadable.txt).
#include "sale/ticket/procs.h"
#include "tests/doubles/golden.h"
#include "tests/sale/sale_fixture.h"

namespace {

namespace spoil = central::spoil;
using Step = std::function<void(SaleRig&)>;

Step spoiled(const char* proc, central::Spoil s)
{
    return [proc, s](SaleRig& r) { r.t.srv->spoil_next(proc, s); };
}

// Each spoiled answer, arranged before its step: the window opened (newtkx), a play put and
// Imprimir pressed (valtkx), the watch's check (statik), a play typed and sent with
// Procesar (protkx) and Imprimir pressed after it, the lottery list switched to animals
// (dttlot); the calls, messages, lines and ticket after each step (or that the window
// closed), the lotteries listed, and what was printed.
TEST(SaleUnreadable, NoTicketLineOrPrintFromAHalfReadAnswer)
{
    enum At { opening, commit, watch, play, mode };
    const struct { const char* name; At at; Step arrange; } cases[] = {
        {"newtkx: a null number", opening, spoiled("newtkx", spoil::output(0, {}))},
        {"newtkx: a number beyond 64 bits", opening, spoiled("newtkx", spoil::output(0, 1e20))},
        {"newtkx: a number below 0", opening, spoiled("newtkx", spoil::output(0, -5))},
        {"newtkx: a null serial", opening, spoiled("newtkx", spoil::output(1, {}))},
        {"newtkx: a serial that is no number", opening, spoiled("newtkx", spoil::output(1, "12A"))},
        {"newtkx: a null date", opening, spoiled("newtkx", spoil::output(2, {}))},
        {"newtkx: a date that is none", opening, spoiled("newtkx", spoil::output(2, "2024-02-30"))},
        {"newtkx: a null time", opening, spoiled("newtkx", spoil::output(3, {}))},
        {"newtkx: a lottery without its code", opening, spoiled("newtkx", spoil::column("codint", {}, 2))},
        {"newtkx: a lottery attribute that is no number", opening, spoiled("newtkx", spoil::column("stasit", "uno", 0))},
        {"newtkx: no lotteries' result set", opening, spoiled("newtkx", spoil::no_result_set())},
        {"newtkx: a refusal reads nothing more", opening, [](SaleRig& r) {
             r.model().outlet.quota = 0;
             r.t.srv->spoil_next("newtkx", [](central::Request& q) {
                 q.sets.clear();
                 for (int k = 0; k < 4; ++k)
                     spoil::output(k, {})(q);
             });
         }},
        {"valtkx: a null amount", commit, spoiled("valtkx", spoil::output(0, {}))},
        {"valtkx: a null time of a committed ticket", commit, spoiled("valtkx", spoil::output(1, {}))},
        {"valtkx: no quota", commit, spoiled("valtkx", spoil::no_status())},
        {"valtkx: a null plays text", commit, spoiled("valtkx", spoil::column("ticket2", {}))},
        {"valtkx: no plays row prints the ticket without them", commit, spoiled("valtkx", spoil::no_result_set())},
        {"statik: no status", watch, spoiled("statik", spoil::no_status())},
        {"protkx: a line of null kind", play, spoiled("protkx", spoil::column("tipo", {}))},
        {"protkx: a null amount", play, spoiled("protkx", spoil::column("monto", {}))},
        {"protkx: an amount that is no number", play, spoiled("protkx", spoil::column("monto", "diez"))},
        {"protkx: an amount beyond 64 bits", play, spoiled("protkx", spoil::column("monto", 1e20))},
        {"protkx: a number of the wrong type", play, spoiled("protkx", spoil::column("numero", 12.5))},
        {"dttlot: a lottery without its code", mode, spoiled("dttlot", spoil::column("codint", {}, 0))},
        {"dttlot: an attribute beyond 16 bits", mode, spoiled("dttlot", spoil::column("codrul", 40000, 0))},
        {"protkx: a marker needs neither kind nor amount", play, [](SaleRig& r) {
             r.t.srv->spoil_next("protkx", [](central::Request& q) {
                 q.sets[0].rows << QVariantList{"***", "******", QVariant(), QVariant(), QVariant()};
             });
         }},
    };
    QStringList transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        r.t->cfg_reg.rep_juga = "1";
        if (c.at == opening)
            c.arrange(r);
        r.open();
        if (c.at == mode) {
            ASSERT_FALSE(r.closed());
            c.arrange(r);
            r.report(false);
            type_keys("a");
            transcript << QString("== ") + c.name << r.report(false) << "listed " + r.listed().join(' ');
            continue;
        }
        if (c.at == play) {
            ASSERT_FALSE(r.closed());
            r.lots("001");
            c.arrange(r);
            r.report(false);
            type_keys("123<enter>10<enter>");
            transcript << QString("== ") + c.name << r.report(false);
            r.press_imprimir();
            transcript << "> Imprimir";
        } else if (c.at != opening) {
            ASSERT_FALSE(r.closed());
            r.put_play("TCA", "123", 10);
            r.report(false);
            r.model().ticket(r.first)->fecha = QDate::currentDate().addDays(-1);  // a statik of 1 drops it
            c.arrange(r);
            c.at == commit ? r.press_imprimir() : r.watch(6);
        }
        if (c.at != play)
            transcript << QString("== ") + c.name;
        transcript << r.report(false);
        static const QRegularExpression date_time("\\d\\d/\\d\\d/\\d{4}|\\d\\d:\\d\\d:\\d\\d");
        QStringList printed;
        for (const auto& doc : r.t.prn->docs)
            printed << doc.lines.mid(0, 5).join('/').simplified().replace(date_time, "*");
        transcript << QString("printed [%1], first ticket %2")
                          .arg(printed.join(" | "), r.model().ticket(r.first) ? r.state(r.first) : "none");
    }
    expect_golden(transcript, "sale/unreadable.txt");
}

// The duplicate-ticket dialog's lookup reads only the lotteries of the earlier ticket: an
// attribute it does not read cannot spoil it, while the inquiry's full reading of the same
// answer fails.
TEST(SaleUnreadable, TheDuplicateLookupReadsOnlyTheLotteries)
{
    SaleRig r;
    ASSERT_TRUE(r.open());
    const qint64 earlier = r.first - 1;  // the demo history's last ticket
    for (const bool names_only : {true, false}) {
        r.t.srv->spoil_next("dettix", central::spoil::column("codzod", {}));
        const PlayRows plays = dettix(*r.t, earlier, names_only);
        EXPECT_EQ(plays.ok, names_only);
        EXPECT_EQ(!plays.rows.isEmpty(), names_only);
    }
}

} // namespace
