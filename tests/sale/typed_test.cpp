// What the cashier types is what is sold: plays typed with real keys on the shown sale
// window, against the double. Random numbers and amounts (prefixes of the amounts the
// field offers among them) reach protkx exactly as typed, or are refused with the message
// of their field; symbol plays typed one after another each give their line.
#include "tests/sale/sale_fixture.h"

#include <random>

namespace {

const QString kMonto = "Monto no es válido." + blanks(10);
const QString kNumero = "Número no es válido." + blanks(10);

// The limits of number plays in hundredths of a unit, and whether decimals may be typed.
struct Limits {
    qint64 min, max;
    bool dec;
};

qint64 hundredths(QString text)
{
    if (text.endsWith('.'))
        text.chop(1);
    return text.isEmpty() ? 0 : std::llround(text.toDouble() * 100);
}

// What the amount field holds once these keys are typed into it, in hundredths: no
// leading zero; never above the maximum; with decimals, a point only after the first
// digit (an empty field or a "0" start as "0."), and one first decimal, completed with a
// 0, that takes no "0." amount below the minimum; a decimal 0 is never typed.
qint64 typed_amount(const QString& keys, const Limits& l)
{
    QString text;
    for (const QChar c : keys) {
        const qsizetype dot = text.indexOf('.');
        if (l.dec && text.isEmpty() && (c == '0' || c == '.'))
            text = "0.";
        else if (c == '.')
            text += l.dec && dot < 0 && text.size() == 1 && hundredths(text) < l.max ? "." : "";
        else if (dot < 0)
            text += (c != '0' || !text.isEmpty()) && hundredths(text + c) <= l.max ? QString(c) : "";
        else if (dot == text.size() - 1 && c != '0' && (text[0] != '0' || hundredths(text + c) >= l.min))
            text += QString(c) + '0';
    }
    return hundredths(text);
}

// Random plays on two triples, each number and amount followed by Enter; after a refused
// amount, now and then only a new amount. Every protkx carries the number and the amount
// typed, or nothing is sent and the field's message is shown; the total is what was sold.
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
            QString keys = amount + "<enter>";
            if (r.focus() != "tx_mont" || pick(3) == 0) {
                number = digits(1 + pick(4));
                keys = (r.focus() == "tx_mont" ? "<up>" : "") + number + "<enter>" + keys;
            }
            SCOPED_TRACE(QString("%1: %2").arg(i).arg(keys).toStdString());
            const int first = r.tik().can_jug;
            type_keys(keys);

            const qint64 sold = typed_amount(amount, c.limits);
            QString num = number.left(3);
            QStringList calls, boxes = r.dlg().texts();
            for (const central::Call& call : r.t.srv->log)
                calls << call.proc + " " + args(call).join('|');
            r.t.srv->log.clear();
            r.dlg().boxes.clear();
            const int outcome = sold < c.limits.min ? 0 : num.size() == 1 && num != "0" ? 1 : 2;
            ++outcomes[outcome];
            if (outcome == 0) {
                EXPECT_EQ(boxes, QStringList({kMonto}));
                EXPECT_EQ(calls, QStringList());
            } else if (outcome == 1) {
                EXPECT_EQ(boxes, QStringList({kNumero}));
                EXPECT_EQ(calls, QStringList());
            } else {
                num = num == "0" ? "0-" : num;  // a lone 0 is the number 0-
                EXPECT_EQ(boxes, QStringList());
                EXPECT_EQ(calls, QStringList({QString("protkx %1|001002|N|%2|%3|0|%4|1")
                                                  .arg(r.first).arg(num).arg(sold * 1000000).arg(first)}));
                total += 2 * sold;
            }
            ASSERT_EQ(r.tik().tot_tik, double(total * 1000000));
        }
        r.agree();
        for (const int n : outcomes)
            EXPECT_GE(n, 10);
    }
}

// Symbol plays typed one after another without leaving the number field: each play's keys
// from the number field, and the lines it adds (blanks run together) or its message.
TEST(Typed, SymbolPlaysOneAfterAnother)
{
    const struct {
        const char *name, *lots;
        QList<QPair<QString, QStringList>> plays;
    } cases[] = {
        {"one code a play", "008",
         {{"05<enter>2<enter>", {"LOTTO ACTIVO 05-Leon 2 000"}},
          {"03<enter>2<enter>", {"LOTTO ACTIVO 03-Ciempies 2 001"}},
          {"0<enter>2<enter>", {"LOTTO ACTIVO 0-Delfin 2 002"}},
          {"0-<enter>2<enter>", {"LOTTO ACTIVO 0-Delfin 2 003"}}}},
        {"symbol lotteries of one set", "008 009 010",
         {{"05<enter>2<enter>", {"LOTTO ACTIVO 05-Leon 2 000", "LA GRANJITA 05-Leon 2 001", "RULETA ACTIVA 05-Leon 2 002"}},
          {"06<enter>3<enter>", {"LOTTO ACTIVO 06-Rana 3 003", "LA GRANJITA 06-Rana 3 004", "RULETA ACTIVA 06-Rana 3 005"}}}},
        {"three codes a play", "011",
         {{"010203<enter>1<enter>", {"LOTTO ACTIVO TR 01-Car 02-Tor 03-Cie 1 000"}},
          {"040506<enter>1<enter>", {"LOTTO ACTIVO TR 04-Ala 05-Leo 06-Ran 1 001"}},
          {"0-0001<enter>1<enter>", {"LOTTO ACTIVO TR 0-Del 00-Bal 01-Car 1 002"}}}},
        {"after refused codes", "008",
         {{"5<enter>", {kNumero}},
          {"05<enter>2<enter>", {"LOTTO ACTIVO 05-Leon 2 000"}},
          {"45<enter>", {kNumero}},
          {"06<enter>2<enter>", {"LOTTO ACTIVO 06-Rana 2 001"}},
          {"01<enter>0<enter>", {kMonto}},
          {"<up>01<enter>2<enter>", {"LOTTO ACTIVO 01-Carnero 2 002"}}}},
        {"after plays repeated on another lottery", "008",
         {{"05<enter>2<enter>", {"LOTTO ACTIVO 05-Leon 2 000"}},
          {"r", {"LA GRANJITA 05-Leon 2 001"}},
          {"02<enter>2<enter>", {"LOTTO ACTIVO 02-Toro 2 002"}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        ASSERT_TRUE(r.open());
        r.lots(c.lots);
        // R repeats onto LA GRANJITA: the cursor down to its row, Space, Enter.
        r.dialog_keys = QString("<down>").repeated(r.row("009")) + " <enter>";
        type_keys("<@tx_nume>");
        for (const auto& [keys, want] : c.plays) {
            SCOPED_TRACE(keys.toStdString());
            const qsizetype before = r.lines().size();
            type_keys(keys);
            QStringList got = r.dlg().texts();
            r.dlg().boxes.clear();
            for (const QString& line : r.lines().mid(before))
                got << line.simplified();
            EXPECT_EQ(got, want);
        }
        r.agree();
    }
}

} // namespace
