// The payment window, and what it shares with the annulment window: the ticket field's
// keys, Enter and Esc, the place.
#include "services/payment_window.h"
#include "tests/services/tickets_fixture.h"

#include <functional>

namespace {

using central::Ticket;

const QStringList kFields{"tx_numt", "tx_fech", "tx_caja", "tx_mont", "tx_prem"};
const QString kQuestion = "¿Desea cancelar el ticket?" + k5 + "/33";

class Payment : public TicketsTest {
public:
    proptk* open()
    {
        t->mnu.value("pro_pag")->trigger();
        return t->win<proptk>("proptk");
    }
    // A processed winner of 1.234 units sold yesterday by caja 05; its serial is 5000nnnn.
    Ticket& winner(qint64 numtik)
    {
        Ticket& tk = add_ticket(numtik);
        tk.fecha = tk.fecha.addDays(-1);
        tk.processed = true;
        tk.premio = 123400000000;
        return tk;
    }
    // Types the serial and presses Enter; returns the five fields as each box saw them.
    QStringList procesar(proptk* w, const QString& typed)
    {
        QStringList seen;
        auto inner = dlg().on_box;
        dlg().on_box = [&](const fake::Box& b) {
            seen << texts(w, kFields).join('|');
            if (inner)
                inner(b);
        };
        w->tx_numt->clear();
        QTest::keyClicks(w->tx_numt, typed);
        QTest::keyClick(w->tx_numt, Qt::Key_Return);
        dlg().on_box = nullptr;
        return seen;
    }
};

TEST_F(Payment, EveryStatusAndCheck)
{
    const QString yesterday = QDate::currentDate().addDays(-1).toString("dd/MM/yyyy");
    const QString shown = "%1|" + yesterday + "|05|5|1.234";  // %1 the serial
    struct Case {
        const char* name;
        std::function<void(Payment&, Ticket&)> setup;
        int answer;
        QStringList boxes;
        QStringList seen;     // the fields at each box
        bool pagtix = false;
        bool paid = false;
    };
    auto nothing = [](Payment&, Ticket&) {};
    const Case cases[] = {
        {"unknown", [](Payment&, Ticket& tk) { tk.serial = 1; }, 1, {"Ticket no existe." + k5 + "/48"}, {"%1||||"}},
        {"annulled", [](Payment&, Ticket& tk) { tk.state = Ticket::annulled; }, 1, {"Ticket anulado." + k5 + "/48"},
         {"%1||||"}},
        {"paid", [](Payment&, Ticket& tk) { tk.paid = true; }, 1, {"Ticket ya está cancelado." + k5 + "/48"}, {shown},
         false, true},
        {"expired", [](Payment&, Ticket& tk) { tk.fecha = tk.fecha.addDays(-3); }, 1, {"Ticket vencido." + k5 + "/48"},
         {"%1||||"}},
        {"not processed", [](Payment&, Ticket& tk) { tk.processed = false; }, 1,
         {"Ticket no ha sido procesado." + k5 + "/48"}, {"%1||||"}},
        {"other outlet", [](Payment&, Ticket& tk) { tk.cod_ven = "002"; }, 1,
         {"Ticket no pertenece a esta tovaren. No puede ser cancelado." + k5 + "/48"}, {"%1||||"}},
        {"no row", [](Payment& p, Ticket&) { p.t.srv->no_recordset("dsptix"); }, 1,
         {"Ticket no pertenece a esta tovaren. No puede ser cancelado." + k5 + "/48"}, {"%1||||"}},
        {"no prize", [](Payment&, Ticket& tk) { tk.premio = 0; }, 1, {"Ticket no tiene premios." + k5 + "/48"},
         {"%1|" + yesterday + "|05|5|0"}},
        {"cancel", nothing, 2, {kQuestion}, {shown}},
        {"refused",  // paid elsewhere while the question was up
         [](Payment& p, Ticket&) { p.dlg().on_box = [&p](const fake::Box&) { p.model().tickets.last().paid = true; }; },
         1, {kQuestion, "Ticket no puede ser cancelado." + k5 + "/48"}, {shown, shown}, true, true},
        {"paid now", nothing, 1, {kQuestion, "Ticket cancelado." + k5 + "/64"}, {shown, shown}, true, true},
    };
    proptk* w = open();
    qint64 num = 4711;
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        Ticket& tk = winner(++num);
        const QString serial = QString::number(tk.serial);
        t.srv->no_recordset("dsptix", false);
        k.setup(*this, tk);
        clear_log();
        dlg().answers = {k.answer};
        QStringList seen = procesar(w, serial);
        EXPECT_EQ(boxes(), k.boxes);
        EXPECT_EQ(seen, QStringList(k.seen).replaceInStrings("%1", serial));
        EXPECT_EQ(texts(w, kFields), QStringList({"", "", "", "", ""}));
        QStringList want{"dsptix:<null>|" + serial};
        if (k.pagtix)  // the key dsptix answered, not the serial
            want << QString("pagtix:0000%1|001|03|            |<null>").arg(num);
        EXPECT_EQ(calls(), want);
        EXPECT_EQ(model().tickets.last().paid, k.paid);
        expect_clean();
    }

    // Paid through the window, the ticket is then reported as paid.
    clear_log();
    procesar(w, QString::number(model().tickets.last().serial));
    EXPECT_EQ(boxes(), QStringList{"Ticket ya está cancelado." + k5 + "/48"});

    // An empty field is sent as eight "0".
    clear_log();
    procesar(w, "");
    EXPECT_EQ(calls(), QStringList{"dsptix:<null>|00000000"});
}

TEST_F(Payment, LostConnections)
{
    const Ticket& tk = winner(4711);
    proptk* w = open();
    const QString serial = QString::number(tk.serial);
    const QString shown = serial + "|" + QDate::currentDate().addDays(-1).toString("dd/MM/yyyy") + "|05|5|1.234";
    const struct {
        const char* proc;
        QStringList boxes;
        QString after;
    } cases[] = {
        {"dsptix", {kNoConexion + "/16"}, serial + "||||"},
        {"pagtix", {kQuestion, kNoConexion + "/16"}, shown},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.proc);
        t.connect();
        clear_log();
        t.srv->fail_next(2, k.proc);
        procesar(w, serial);
        EXPECT_EQ(boxes(), k.boxes);
        EXPECT_EQ(texts(w, kFields).join('|'), k.after);
        EXPECT_FALSE(tk.paid);
        expect_clean();
    }
}

// The ticket field of both windows: digits and Backspace only, at most 8; Enter runs
// "Procesar" (or the button with the focus), Esc "Cancelar"; the place of the window.
TEST_F(Payment, SharedFieldKeysAndPlace)
{
    for (const char* name : {"proatk", "proptk"}) {
        SCOPED_TRACE(name);
        t->mnu.value(name == QString("proatk") ? "pro_anu" : "pro_pag")->trigger();
        auto* w = t->win<TicketForm>(name);
        ASSERT_TRUE(w);
        EXPECT_EQ(w->focusWidget(), w->tx_numt);
        EXPECT_EQ(w->size(), QSize(341, 222));
        EXPECT_EQ(w->parentWidget()->pos(),
                  TicketForm::place_for(QGuiApplication::primaryScreen()->geometry().width() * 15));
        QTest::keyClicks(w->tx_numt, "1a 2-+.,3456789");
        EXPECT_EQ(w->tx_numt->text(), "12345678");
        QTest::keyClick(w->tx_numt, Qt::Key_Backspace);
        EXPECT_EQ(w->tx_numt->text(), "1234567");

        clear_log();
        w->b_cancelar->setFocus();
        QTest::keyClick(w->b_cancelar, Qt::Key_Return);  // the focused button takes Enter
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(t->is_loaded(name));
        EXPECT_TRUE(t.srv->log.isEmpty());

        t->mnu.value(name == QString("proatk") ? "pro_anu" : "pro_pag")->trigger();
        w = t->win<TicketForm>(name);
        clear_log();
        QTest::keyClick(w->tx_numt, Qt::Key_Return);
        EXPECT_EQ(dlg().texts(), QStringList{"Ticket no existe." + k5});
        QTest::keyClick(w->tx_numt, Qt::Key_Escape);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(t->is_loaded(name));
    }
    EXPECT_EQ(TicketForm::place_for(9600), QPoint(0, 0));
    EXPECT_EQ(TicketForm::place_for(9615), QPoint(33, 33));
}

} // namespace
