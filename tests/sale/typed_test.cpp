// What the cashier types is what is sold: plays typed with real keys on the shown sale
// window, against the double. Random numbers and amounts (prefixes of the amounts the
// field offers among them) reach protkx exactly as typed, or are refused with the message
// of their field.
#include "tests/sale/sale_fixture.h"

#include <random>

namespace {

const QString kMonto = "box 48 \"Monto no es válido." + blanks(10) + "\"";
const QString kNumero = "box 48 \"Número no es válido." + blanks(10) + "\"";

// The limits of number plays in hundredths of a unit, and whether decimals may be typed.
struct Limits {
    qint64 min, max;
    bool dec;
};

// What the amount field shows after these keys on an empty field when nothing but its key
// rule and its thousands marks act on them: no completion, no preset taken for it.
QString as_typed(const MonCtx& m, const QString& keys)
{
    QString text;
    for (const QChar k : keys) {
        const Typed t = amount_key(m, 0, text, k.unicode());
        text = mon_miles(m, t.key ? t.text + QChar(t.key) : t.text);
    }
    return text;
}

// An amount as the field shows it, in hundredths.
qint64 hundredths(QString text, bool dec)
{
    if (!dec)
        text.remove('.');
    return std::llround(text.toDouble() * 100);
}

// Random plays on two triples, each number and amount followed by Enter; after a refused
// amount, now and then only a new amount. The field shows the amount as typed (its key rule
// drops what passes the maximum); every protkx carries the number and that amount, or
// nothing is sent and the field's message is shown; the total is what was sold.
TEST(Typed, RandomPlaysSellWhatIsTyped)
{
    const struct {
        const char *min, *max;
        Limits limits;
    } configs[] = {
        {"500000000", "100000000000", {500, 100000, false}},  // 5 to 1.000: offers 5, 10, 20, 50 ...
        {"20000000", "1000000000", {20, 1000, true}},         // 0.20 to 10, with decimals
    };
    std::mt19937 rnd(26);
    const auto pick = [&rnd](int n) { return int(rnd() % unsigned(n)); };
    const auto digits = [&](int n) {
        QString s;
        while (s.size() < n)
            s += QChar('0' + pick(10));
        return s;
    };
    for (const auto& c : configs) {
        SCOPED_TRACE(c.min);
        SaleRig r;
        r.model().set_param("JUGADA_MIN", c.min);
        r.model().set_param("JUGADA_MAX", c.max);
        r.model().set_param("VENTIK_MAX", "100000000000000000");
        r.model().cupo.clear();
        r.model().cupo_num = 1000000000000000;
        ASSERT_TRUE(r.open());
        r.lots("001 002");
        QStringList presets = r.texts(r.w->tx_mont->model());
        ASSERT_EQ(presets.first(), c.limits.dec ? "0.20" : "5");
        if (!c.limits.dec)
            presets.replaceInStrings(".", "");
        type_keys("<@tx_nume>");
        r.t.srv->log.clear();

        QString number;
        qint64 total = 0;             // hundredths
        int outcomes[3] = {0, 0, 0};  // amount refused, number refused, sent
        for (int i = 0; i < 120; ++i) {
            QString amount;
            switch (pick(5)) {
            case 0: {
                const QString p = presets[pick(int(presets.size()))];
                amount = p.left(1 + pick(int(p.size())));
                break;
            }
            case 1: amount = c.limits.dec ? QStringList{"0", ".", "0.1", ".0", "1.0"}[pick(5)] : QString::number(1 + pick(4)); break;
            case 2: amount = digits(4 + pick(3)); break;
            case 3: amount = c.limits.dec ? digits(1) + "." + digits(1) : digits(1 + pick(3)); break;
            default: amount = QString::number(1 + pick(c.limits.dec ? 10 : 1000)); break;
            }
            QString keys = amount;
            if (r.focus() != "tx_mont" || pick(3) == 0) {
                number = digits(1 + pick(4));
                keys = (r.focus() == "tx_mont" ? "<up>" : "") + number + "<enter>" + keys;
            }
            SCOPED_TRACE(QString("%1: %2").arg(i).arg(keys).toStdString());
            const int first = r.tik().can_jug;
            type_keys(keys);
            ASSERT_EQ(r.w->tx_mont->currentText(), as_typed((*r.t).mon(), amount));  // nothing filled in
            const qint64 sold = hundredths(r.w->tx_mont->currentText(), c.limits.dec);
            ASSERT_LE(sold, c.limits.max);
            type_keys("<enter>");

            // Each a single event: the amount's message, the number's, or the play sent.
            const QString num = number.left(3);
            const int outcome = sold < c.limits.min ? 0 : num.size() == 1 && num != "0" ? 1 : 2;
            ++outcomes[outcome];
            total += outcome == 2 ? 2 * sold : 0;
            const QString sent = QString("call protkx %1|001002|N|%2|%3|0|%4|1")  // a lone 0 is the number 0-
                                     .arg(r.first).arg(num == "0" ? "0-" : num).arg(sold * 1000000).arg(first);
            EXPECT_EQ(r.events(), QStringList(outcome == 0 ? kMonto : outcome == 1 ? kNumero : sent));
            ASSERT_EQ(r.tik().tot_tik, double(total * 1000000));
        }
        r.agree();
        for (const int n : outcomes)
            EXPECT_GE(n, 10);
    }
}

} // namespace
