// The sign dialogs: the zodiac and cacho dialogs opened with Z from the sale window with
// lotteries of each family ticked, the keys of the number on the list and in the field
// (a transcript).
#include "sale/dialogs/signos.h"
#include "tests/sale/sale_fixture.h"

namespace {

// An opening of a sign dialog where keys go to the number, then Esc: "list K" types K on the
// list a key at a time, the list given the focus before each; "field K" types K in the
// number field.
QStringList number(const QStringList& steps)
{
    QStringList out;
    static const QRegularExpression key("<[^>]+>|.");
    for (const QString& step : steps)
        if (step.startsWith("field "))
            out << "<@tx_nume>" + step.mid(6);
        else
            for (auto it = key.globalMatch(step.mid(5)); it.hasNext();)
                out << "<@lt_signos>" + it.next().captured();
    return out << "<esc>";
}

// Z with a lottery of each family ticked opens its dialog; what each step in it shows and
// leaves in dlg_datos, the plays it sends and the messages; then the sale window with the
// plays registered. Keys of the number typed on the list go to the number by its rules, the
// focus to the number field with the caret at its end; the field keeps its own rules.
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
        {"zodiac: the number's keys", "004", {},
         {number({"list 12P"}), number({"list 1*"}),  // "P" and "*" only first
          number({"list p12", "field 34"}),           // 4 characters after "P"
          number({"list *1", "field 23"}),            // 3 otherwise
          number({"list 1234"}), number({"list 123<bs>", "list <bs>"}), number({"list <bs>"}),
          number({"list 1a-.+"}),  // other keys are dropped
          number({"field p12a3*"}), number({"field 1p*"}),
          number({"list 12", "field <@lt_signos><tab>p3"})}},  // a selected text is replaced
        {"cacho: the number's keys", "005", {},
         {number({"field *p1234"}),  // the field: digits only, 3
          number({"list p", "field 123"}), number({"list p", "field 12", "list 34"}),  // the list's rule is the zodiac's
          number({"list *", "field 12", "list 3"}), number({"list 12P*"}), number({"list 12<bs>"})}},
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
