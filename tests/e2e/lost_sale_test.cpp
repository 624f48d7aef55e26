// The sale window while the connection counts as lost, over the wire (lost.h): each thing
// the cashier does that changes the server sends nothing of it and shows what it shows
// while lost; once the keep-alive finds the server again, the same thing is registered
// once and shown. A transcript (tests/golden/sale/lost.txt).
#include "tests/e2e/lost.h"
#include "tests/sale/sale_fixture.h"

namespace {

using Step = std::function<void(SaleRig&)>;

Step typed(const char* lots, const char* keys)
{
    return [=](SaleRig& r) {
        r.lots(lots);
        r.enter(keys);
    };
}
// A play type's letter typed in the number field, its dialog worked with these keys.
Step letter(const char* key, const char* dialog_keys)
{
    return [=](SaleRig& r) {
        r.dialog_keys = dialog_keys;
        r.w->tx_nume->setFocus();
        type_keys(key);
    };
}
Step keys(const char* k)
{
    return [=](SaleRig&) {
        type_keys(k);
        SaleRig::settle();
    };
}
Step then(Step a, Step b)
{
    return [=](SaleRig& r) {
        a(r);
        b(r);
    };
}

TEST(WhileLost, TheSaleWindowSendsNothing)
{
    const Step play = typed("001", "123<enter>10<enter>");
    const Step reopened = [](SaleRig& r) { ASSERT_TRUE(r.open()); };
    const struct {
        const char* name;
        Step arrange;
        Step act;
        QStringList sent;      // what the same act sends once the connection is back
        bool in_box = false;   // the connection is lost while the act's first message is up
        Step again = nullptr;  // what the cashier does then, when not the same
    } cases[] = {
        {"Procesar", [](SaleRig& r) { r.lots("001"); }, play, {"protkx"}},
        {"a short serie's confirmation", nullptr, typed("001", "*12<enter>10<enter>"), {"protkx", "protkx"}, true},
        {"T: terminals", play, letter("t", " <enter>"), {"tertix"}},
        {"R: repeated plays", play, letter("r", "<down><down><down><down><down><down> <enter>"), {"reptix"}},
        {"D: a ticket duplicated", then(play, keys("<esc>")), letter("d", "76<@tx_mont>3<enter>"), {"duptix"}},
        {"E: every lottery's plays deleted", play, letter("e", " <enter>"), {"bortix"}},
        {"Z: zodiac signs", [](SaleRig& r) { r.lots("004"); },
         letter("z", "<down> <@lt_signos>25<@tx_mont>5<enter><esc>"), {"protkx"}},
        {"Z: cacho kinds", [](SaleRig& r) { r.lots("005"); },
         letter("Z", "<down> <@lt_signos>25<@tx_mont>5<enter><esc>"), {"protkx"}},
        {"Delete: a line deleted", play, keys("<@lt_nume><up><del>"), {"delnux"}},
        // Not committed, the ticket is annulled once the server answers again.
        {"Esc: the ticket committed", play, keys("<esc>"), {"newtkx", "protkx", "valtkx", "newtkx"}, false,
         then(reopened, then(play, keys("<esc>")))},
        // Not deleted, the ticket stays pending, as a closed window leaves it.
        {"Esc: a total out of bounds deleted",
         then([](SaleRig& r) { r.model().set_param("VENTIK_MAX", "500000000"), r.w->car_lim(); }, play), keys("<esc>"),
         {"newtkx", "protkx", "deltik", "newtkx"}, false, then(reopened, then(play, keys("<esc>")))},
        // Dropped by the server: neither deleted nor replaced while lost; the keep-alive
        // that finds the server opens the next ticket, which takes the play typed then.
        {"the watch: a ticket dropped",
         [](SaleRig& r) { r.model().ticket(r.tik().numtik())->fecha = QDate::currentDate().addDays(-1); },
         [](SaleRig& r) { r.watch(6); }, {"protkx"}, false, play},
    };
    QStringList transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r(true);
        ASSERT_TRUE(r.open());
        if (c.arrange)
            c.arrange(r);
        r.report();
        transcript << QString("== ") + c.name;
        qsizetype lost_at = 0;  // the log's length when the connection was lost
        if (c.in_box) {
            r.dlg().on_box = [&r, &lost_at](const fake::Box&) {
                r.dlg().on_box = nullptr;
                lost_at = r.t.srv->log.size();
                lost::lose(r.t);
            };
        } else {
            lost::lose(r.t);
            r.events();
        }
        c.act(r);
        EXPECT_EQ(lost::changing(r.t, lost_at), QStringList());
        transcript << "-- lost" << r.report();
        lost::back(r.t);
        SaleRig::settle();  // what waited for the tick to end
        transcript << "-- back" << r.events();
        (c.again ? c.again : c.act)(r);
        EXPECT_EQ(lost::changing(r.t, 0), c.sent);
        transcript << "-- again" << r.report();
    }
    SaleRig::expect_transcript(transcript, "lost.txt");
}

} // namespace
