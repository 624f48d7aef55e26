// The sale window on answers the server spoiled: no ticket opens without its number, serial
// and date, no ticket is printed from a commit that could not be read, and the calls that
// follow act on nothing half-read (transcripts compared with tests/golden/sale/unreadable.txt).
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
// Imprimir pressed (valtkx), the watch's check (statik); the calls, messages, lines and
// ticket after it (or that the window closed), and what was printed.
TEST(SaleUnreadable, NoTicketOrPrintFromAHalfReadAnswer)
{
    enum At { opening, commit, watch };
    const struct { const char* name; At at; Step arrange; } cases[] = {
        {"newtkx: a null number", opening, spoiled("newtkx", spoil::output(0, {}))},
        {"newtkx: a number beyond 64 bits", opening, spoiled("newtkx", spoil::output(0, 1e20))},
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
    };
    QStringList transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        r.t->cfg_reg.rep_juga = "1";
        if (c.at == opening)
            c.arrange(r);
        r.open();
        if (c.at != opening) {
            ASSERT_FALSE(r.closed());
            r.put_play("TCA", "123", 10);
            r.report(false);
            r.model().ticket(1)->fecha = QDate::currentDate().addDays(-1);  // a statik of 1 drops it
            c.arrange(r);
            c.at == commit ? r.press_imprimir() : r.watch(6);
        }
        transcript << QString("== ") + c.name << r.report(false);
        static const QRegularExpression date_time("\\d\\d/\\d\\d/\\d{4}|\\d\\d:\\d\\d:\\d\\d");
        QStringList printed;
        for (const auto& doc : r.t.prn->docs)
            printed << doc.lines.mid(0, 5).join('/').simplified().replace(date_time, "*");
        transcript << QString("printed [%1], ticket 1 %2").arg(printed.join(" | "), r.model().ticket(1) ? r.state(1) : "none");
    }
    expect_golden(transcript, "sale/unreadable.txt");
}

} // namespace
