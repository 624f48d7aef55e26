// The annulment and the payment windows while the connection counts as lost, over the wire
// (lost.h): the connection is lost while the question is up; OK then sends nothing and the
// window shows what it shows while lost; once the keep-alive finds the server again, the
// same ticket is annulled or paid once. A transcript (tests/golden/services/lost.txt).
#include "tests/e2e/lost.h"
#include "tests/services/fixture.h"

namespace {

class WhileLostServices : public ServicesTest {
public:
    void SetUp() override
    {
        ASSERT_TRUE(t.over_wire());
        ServicesTest::SetUp();
    }
};

TEST_F(WhileLostServices, AnnulmentAndPaymentSendNothing)
{
    QStringList got;
    qint64 num = 4911;
    for (const bool pay : {false, true}) {
        central::Ticket& tk = add_ticket(++num, "03", pay ? 1 : 0);
        tk.processed = pay;
        tk.premio = pay ? 123400000000 : 0;
        auto* w = open<TicketForm>(pay ? "pro_pag" : "pro_anu", pay ? "proptk" : "proatk");
        const QString typed = QString::number(pay ? tk.serial : num);
        const QString sent = pay ? "pagtix:" : "anutix:";
        bool lost = false;
        t.dlg->on_box = [&](const fake::Box&) {
            t.dlg->on_box = nullptr;
            lost::lose(t);
            lost = true;
        };
        const QStringList while_lost = run(w, typed);
        EXPECT_TRUE(lost);
        EXPECT_EQ(while_lost.join('\n').count(sent), 0);
        EXPECT_TRUE(tk.state == central::Ticket::sold && !tk.paid);
        lost::back(t);
        const QStringList again = run(w, typed);
        EXPECT_EQ(again.join('\n').count(sent), 1);
        EXPECT_TRUE(pay ? tk.paid : tk.state == central::Ticket::annulled);
        got << (pay ? "payment" : "annulment") << while_lost << "  back" << again;
    }
    expect_golden(got, "lost.txt");
}

} // namespace
