// The sign dialogs: the keys of the number, on the list and in the field, of both dialogs
// (a table), and the zodiac and cacho dialogs opened with Z from the sale window with
// lotteries of each family ticked (a transcript).
#include "sale/dialogs/signos.h"
#include "tests/sale/sale_fixture.h"

namespace {

QString units(double u) { return QString::number(u * 1e8, 'f', 0); }

// Keys typed on the list go to the number by its rules, the focus to the number field with
// the caret at its end; the field keeps its own rules. Each step types its keys on the list
// ("list") or in the field ("field"), a key at a time.
TEST(Signs, NumberKeys)
{
    const struct {
        bool cacho;
        QStringList steps;
        QString text;
    } cases[] = {
        {false, {"list 12P"}, "12"},  // "P" and "*" only first
        {false, {"list 1*"}, "1"},
        {false, {"list p12", "field 34"}, "P123"},  // 4 characters after "P"
        {false, {"list *1", "field 23"}, "*12"},     // 3 otherwise
        {false, {"list 1234"}, "123"},
        {false, {"list 123<bs>", "list <bs>"}, "1"},  // Backspace takes the last character off
        {false, {"list <bs>"}, ""},
        {false, {"list 1a-.+"}, "1"},  // other keys are dropped
        {false, {"field p12a3*"}, "P123"},
        {false, {"field 1p*"}, "1"},
        {false, {"list 12", "field <@lt_signos><tab>p3"}, "P3"},  // a selected text is replaced
        {true, {"field *p1234"}, "123"},  // the cacho field: digits only, 3
        {true, {"list p", "field 123"}, "P12"},
        {true, {"list p", "field 12", "list 34"}, "P123"},  // the list's rule is the zodiac's
        {true, {"list *", "field 12", "list 3"}, "*12"},
        {true, {"list 12P*"}, "12"},
        {true, {"list 12<bs>"}, "1"},
    };
    TestApp t;
    zod_table(t->vocab);
    for (const auto& c : cases) {
        SCOPED_TRACE((QString::number(c.cacho) + " " + c.steps.join(" / ")).toStdString());
        std::unique_ptr<signos> d(c.cacho ? new signos2(*t) : new signos(*t));
        d->show();
        QApplication::setActiveWindow(d.get());
        for (const QString& step : c.steps) {
            const QString keys = step.section(' ', 1);
            if (step.startsWith("field")) {
                d->tx_nume->setFocus();
                type_keys(keys);
                continue;
            }
            static const QRegularExpression key("<[^>]+>|."), number("^([0-9*Pp]|<bs>)$");
            for (auto it = key.globalMatch(keys); it.hasNext();) {
                const QString k = it.next().captured(0);
                d->lt_signos->setFocus();
                type_keys(k);
                if (!number.match(k).hasMatch()) {
                    EXPECT_EQ(QApplication::focusWidget(), d->lt_signos) << qPrintable(k);
                    continue;
                }
                EXPECT_EQ(QApplication::focusWidget(), d->tx_nume) << qPrintable(k);
                EXPECT_FALSE(d->tx_nume->hasSelectedText());
                EXPECT_EQ(d->tx_nume->cursorPosition(), d->tx_nume->text().size());
            }
        }
        EXPECT_EQ(d->tx_nume->text(), c.text);
        EXPECT_EQ(ticked(d->lt_signos), QList<int>());  // no key ticked a row
    }
}

// Z with a lottery of each family ticked opens its dialog; what each step in it shows and
// leaves in dlg_datos, the plays it sends and the messages; then the sale window with the
// plays registered.
TEST(Signs, OpenedWithZ)
{
    const struct {
        const char* name;
        const char* lot;
        QList<QPair<QString, QString>> params;
        QList<QStringList> openings;
    } cases[] = {
        {"zodiac", "004", {{"JUGADA_MIZ", units(0.5)}, {"JUGADA_MAZ", units(5.5)}},
         {{// Nothing ticked, then the "Todos" rule, the cursor stepping down after each tick.
           "<enter>", " ", " ", " ",
           // Numbers too short: silent.
           "<enter>", "1<enter>", "<bs>p12<enter>", "<bs><bs><bs>*1<enter>",
           // The amount: none, above the maximum (shown corrected once), then sold.
           "<bs><bs>12<enter>", "5.9<enter>", "<enter>",
           // "P" and "*" numbers on one sign, a number on "Todos"; Esc leaves the plays.
           "<@lt_signos><up><up> ", "<@lt_signos>p123<enter>", "*25<enter>", "<@lt_signos><up><up> ",
           "<@lt_signos>45<enter>", "<esc>"}}},
        {"zodiac: off the minimum's precision", "004", {{"JUGADA_MIZ", units(10)}},
         {{"<down> ", "<@lt_signos>12", "<@tx_mont>25<enter>", "<enter>", "<esc>"}}},
        {"zodiac: a minimum with inner zeros", "004", {{"JUGADA_MIN", units(0.5)}, {"JUGADA_MIZ", units(10.5)}},
         {{"<down> ", "<@lt_signos>12", "<@tx_mont>10<enter>", "<enter>", "~close"}}},
        {"cacho", "005", {},
         {{" ", " ", " ", " ", "~box 0", "<@tx_nume>*p1234", "<bs><bs><bs><@lt_signos>p123", "<@tx_mont>5<enter>",
           "<@lt_signos>3<enter>", "<esc>"}}},
    };
    dialog_cases("signos.txt", cases, [](SaleRig& r, const auto& c) {
        for (const auto& [key, value] : c.params)
            r.model().set_param(key, value);
        r.open();
        r.lots(c.lot);
    }, [](SaleRig&, const auto&) { type_keys("<@tx_nume>z"); });
}

} // namespace
