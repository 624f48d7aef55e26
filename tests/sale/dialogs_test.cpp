// The sale dialogs: the amount field's key filter (a table, and a storm of keys on the
// field in both money modes), and the terminals dialog opened with T from the sale window
// (a transcript).
#include "sale/dialogs/tertik.h"
#include "sale/entry/amount.h"
#include "tests/sale/sale_fixture.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <random>

namespace {

// An amount in whole units as stored units (mod_sys 100000000).
QString units(double u) { return QString::number(u * 1e8, 'f', 0); }

// What keys typed into an empty field leave there ("<" is Backspace): the filter, the key it
// keeps typed at the end, the reformat after each change.
QString typed(const MonCtx& c, const QString& lo, const QString& hi, const QString& keys)
{
    QString text;
    const QString sent = QString(keys).replace('<', '\b');
    for (const QChar k : sent) {
        const Typed t = mont_key(c, lo, hi, text, k.unicode());
        text = t.key == 8 ? t.text.chopped(1) : t.key ? t.text + QChar(t.key) : t.text;
        text = mon_miles(c, text);
    }
    return text;
}

TEST(SaleDialogs, AmountKeyFilter)
{
    const QString big = units(1e10);
    const struct {
        bool dec;
        QString lo, hi, keys, text;
    } cases[] = {
        {false, units(1), units(1000), "0.1234", "123"},  // no leading 0, no point, the maximum
        {false, units(1), units(500), "5006", "500"},
        {false, units(1), big, "12345<", "1.234"},
        {false, units(1), big, "123456789", "12.345.678"},  // 8 digits with their marks
        {false, units(0.5), big, "a-, +0.5x", "5"},
        {true, units(1), units(5000), "1.234", "1234"},  // a minimum of one unit: no point
        {true, units(1), big, "12345678901", "1234567890"},
        {true, units(0.5), big, "036", "0.60"},  // the first decimal's thresholds: 50, 20, 10, 1
        {true, units(0.2), big, "014", "0.40"},
        {true, units(0.1), big, "001", "0.10"},
        {true, units(0.01), big, "0005", "0.05"},
        {true, units(0.5), big, "0366<<", ""},
        {true, units(0.01), big, ".", "0."},
        {true, units(0.01), units(100), "5.07", "5.70"},
        {true, units(0.01), units(100), "12.", "12"},
        {true, units(0.01), units(100), "5.2<<", "5"},
        {true, units(0.01), units(5), "65.", "5"},
        {true, units(0.01), units(5.5), "5.9", "5.90"},  // after the point the maximum is not tested
        {false, "", "", "1", ""},  // an empty limit, or one that is no number, counts as 0
        {true, "abc", "inf", "1", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.lo + " " + c.hi + " " + c.keys).toStdString());
        MonCtx m;
        m.flg_dec = c.dec;
        EXPECT_EQ(typed(m, c.lo, c.hi, c.keys), c.text);
    }
}

// After every key of a random storm on the shown dialog's field, in both money modes and
// under several limit pairs, the text has a shape the field allows and its whole part is
// not above the maximum.
TEST(SaleDialogs, AmountFieldStorm)
{
    const QRegularExpression whole("^$|^[1-9]\\d{0,2}(\\.\\d{3})?$|^[1-9]\\d?\\.\\d{3}\\.\\d{3}$");  // 8 digits
    const QRegularExpression plain("^$|^[1-9]\\d{0,9}$");
    const QRegularExpression decimal("^$|^[1-9]\\d{0,9}$|^\\d\\.$|^[1-9]\\.[1-9]0$|^0\\.0[1-9]?$|^0\\.[1-9]0$");
    const QStringList keys = QString("0123456789012345678901234567890.<ax ").split("", Qt::SkipEmptyParts);
    std::mt19937 rnd(29);
    TestApp t;
    for (const auto& [lo, hi] : {std::pair{units(1), units(1000)}, {units(0.01), units(7.5)}, {units(0.5), units(1e9)}})
        for (const bool dec : {false, true}) {
            t->lim_vta.jug_min = lo, t->lim_vta.jug_max = hi, t->lim_vta.flg_dec = dec;
            tertik d(*t);
            d.show();
            QApplication::setActiveWindow(&d);
            const QRegularExpression& shape = !dec ? whole : mon_num(lo) >= 1e8 ? plain : decimal;
            for (int i = 0; i < 2000; ++i) {
                const QString key = keys[int(rnd() % keys.size())];
                const int size = int(d.tx_mont->text().size()) + 1, from = int(rnd() % size);
                if (key == " ")
                    d.tx_mont->setSelection(from, int(rnd() % (size - from)));  // the mouse
                else
                    type_keys(key == "<" ? "<bs>" : key);
                const QString text = d.tx_mont->text();
                ASSERT_TRUE(shape.match(text).hasMatch()) << qPrintable(text);
                ASSERT_LE(mon_num(QString(text).remove(dec ? QRegularExpression("\\..*") : QRegularExpression("\\."))),
                          mon_num(hi) / 1e8) << qPrintable(text);
            }
        }
}

// T on a ticket with a triple opens the terminals dialog: what each step in it shows (the
// text, the caret, the selection, the colour), what it leaves in dlg_datos, then the
// tertix call that follows, or none. "~out" and "~in" take the focus away and back, "~sel"
// selects with the mouse, "~paste" pastes by keys and by input method, "~close" closes the
// window through its frame.
TEST(SaleDialogs, Terminals)
{
    const struct {
        const char* name;
        QString min, max;
        QStringList steps;
    } cases[] = {
        {"inside", units(2), units(1e6), {"1", "2", "3", "4", "<bs>", "~sel", "5", "<enter>"}},
        {"below, then the minimum", units(2), units(1000), {"1", "<enter>", "<enter>"}},
        {"a refused key clears the selection", units(2), units(1000), {"1", "<enter>", ".", "3", "~out", "~in", "<enter>"}},
        {"empty", units(2), units(1000), {"<enter>"}},
        {"above in decimals, then the maximum", units(0.5), units(5.5), {"0", "<bs>", "5", ".", "9", "<enter>", "<enter>"}},
        {"refused, then closed", units(2), units(1000), {"1", "~paste", "<enter>", "~close"}},
        {"escaped", units(2), units(1000), {"9", "<esc>"}},
    };
    EXPECT_EQ(tertik::place_for(9600), QPoint(187, 167));  // twips: 2800, 2500
    EXPECT_EQ(tertik::place_for(9615), QPoint(233, 267));  // 3500, 4000
    QStringList transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        r.model().set_param("JUGADA_MIN", c.min), r.model().set_param("JUGADA_MAX", c.max);
        ASSERT_TRUE(r.open());
        r.tick("001");
        r.enter("123<enter>5<enter>");
        r.report();
        transcript << QString("== ") + c.name;
        r.in_dialog = [&](SaleDialog* dialog) {
            auto* d = qobject_cast<tertik*>(dialog);
            ASSERT_TRUE(d);
            EXPECT_EQ(d->pos(), tertik::place_for(SaleDialog::screen_twips()));
            auto* e = d->findChild<QLineEdit*>("tx_mont");  // the field as a test finds it, by name
            ASSERT_TRUE(e);
            ASSERT_EQ(QApplication::focusWidget(), e);  // typing starts in it
            transcript << "open | " + e->palette().color(QPalette::Base).name();
            for (const QString& step : c.steps) {
                if (step == "~out")
                    e->clearFocus();
                else if (step == "~in")
                    e->setFocus();
                else if (step == "~sel")
                    e->setSelection(1, 1);
                else if (step == "~close")
                    d->close();
                else if (step == "~paste") {
                    QGuiApplication::clipboard()->setText("12a");
                    QInputMethodEvent im;
                    im.setCommitString("34b");
                    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
                    QTest::keyClick(e, Qt::Key_Insert, Qt::ShiftModifier);
                    QApplication::sendEvent(e, &im);
                } else
                    type_keys(step);
                const DlgDatos& x = r.t->dlg_datos;
                transcript << QString("> %1 | \"%2\" caret %3 selected \"%4\" | %5 | %6 | res \"%7\" mon \"%8\"")
                                  .arg(step, e->text())
                                  .arg(e->cursorPosition())
                                  .arg(e->selectedText(), e->palette().color(QPalette::Base).name(),
                                       d->isVisible() ? "open" : "closed", x.dlg_res, x.dlg_mon);
                transcript << r.events();
            }
        };
        r.w->tx_nume->setFocus();
        type_keys("t");
        transcript << r.report();
    }
    SaleRig::expect_transcript(transcript, "tertik.txt");
}

} // namespace
