// The sign dialogs: the keys of the number, on the list and in the field, of both dialogs
// (a table), and the zodiac and cacho dialogs opened with Z from the sale window with
// lotteries of each family ticked (a transcript).
#include "sale/dialogs/signos.h"
#include "tests/sale/sale_fixture.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

QString units(double u) { return QString::number(u * 1e8, 'f', 0); }

QList<int> ticks(const QListWidget* list)
{
    QList<int> out;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            out << i;
    return out;
}

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
        EXPECT_EQ(ticks(d->lt_signos), QList<int>());  // no key ticked a row
    }
}

// Z with a lottery of each family ticked opens its dialog; what each step in it shows and
// leaves in dlg_datos, the plays it sends and the messages; then the sale window with the
// plays registered. "~click n" clicks row n's check box, "~close" closes the dialog through
// its frame.
TEST(Signs, OpenedWithZ)
{
    const struct {
        const char* name;
        const char* lot;
        QList<QPair<QString, QString>> params;
        QStringList steps;
    } cases[] = {
        {"zodiac", "004", {{"JUGADA_MIZ", units(0.5)}, {"JUGADA_MAZ", units(5.5)}},
         {// Nothing ticked, then the "Todos" rule, the cursor stepping down after each tick.
          "<enter>", " ", " ", " ",
          // Numbers too short: silent.
          "<enter>", "1<enter>", "<bs>p12<enter>", "<bs><bs><bs>*1<enter>",
          // The amount: none, above the maximum (shown corrected once), then sold.
          "<bs><bs>12<enter>", "5.9<enter>", "<enter>",
          // "P" and "*" numbers on one sign, a number on "Todos"; Esc leaves the plays.
          "<@lt_signos><up><up> ", "<@lt_signos>p123<enter>", "*25<enter>", "<@lt_signos><up><up> ",
          "<@lt_signos>45<enter>", "<esc>"}},
        {"zodiac: off the minimum's precision", "004", {{"JUGADA_MIZ", units(10)}},
         {"<down> ", "<@lt_signos>12", "<@tx_mont>25<enter>", "<enter>", "<esc>"}},
        {"zodiac: a minimum with inner zeros", "004", {{"JUGADA_MIN", units(0.5)}, {"JUGADA_MIZ", units(10.5)}},
         {"<down> ", "<@lt_signos>12", "<@tx_mont>10<enter>", "<enter>", "~close"}},
        // Nothing ticked, Enter from the amount: silent, the focus on the list, nothing sent.
        {"zodiac: nothing ticked", "004", {}, {"<@tx_nume>12", "<@tx_mont>5<enter>", "<esc>"}},
        {"cacho: nothing ticked", "005", {}, {"<@tx_nume>12", "<@tx_mont>5<enter>", "<esc>"}},
        {"cacho", "005", {},
         {" ", " ", " ", " ", "~click 0", "<@tx_nume>*p1234", "<bs><bs><bs><@lt_signos>p123", "<@tx_mont>5<enter>",
          "<@lt_signos>3<enter>", "<esc>"}},
    };
    EXPECT_EQ(signos::place_for(9600), QPoint(33, 120));   // twips: 500, 1800
    EXPECT_EQ(signos::place_for(9615), QPoint(100, 187));  // 1500, 2800
    QStringList transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        for (const auto& [key, value] : c.params)
            r.model().set_param(key, value);
        ASSERT_TRUE(r.open());
        r.lots(c.lot);
        r.report();
        transcript << QString("== ") + c.name;
        r.in_dialog = [&](SaleDialog* dialog) {
            auto* d = qobject_cast<signos*>(dialog);
            ASSERT_TRUE(d);
            EXPECT_EQ(d->pos(), signos::place_for(SaleDialog::screen_twips()));
            QStringList rows;
            for (int i = 0; i < d->lt_signos->count(); ++i)
                rows << d->lt_signos->item(i)->text();
            transcript << QString("open \"%1\" | %2 | row %3 | focus %4")
                              .arg(d->windowTitle(), rows.join(','))
                              .arg(d->lt_signos->currentRow())
                              .arg(r.focus());
            for (const QString& step : c.steps) {
                if (step == "~close") {
                    d->close();
                } else if (step.startsWith("~click")) {  // on the row's check box
                    const QRect at = d->lt_signos->visualItemRect(d->lt_signos->item(step.mid(7).toInt()));
                    QTest::mouseClick(d->lt_signos->viewport(), Qt::LeftButton, {},
                                      QPoint(at.left() + at.height() / 2, at.center().y()));
                } else
                    type_keys(step);
                const DlgDatos& x = r.t->dlg_datos;
                QStringList flags;
                for (const QList<int>& f : {x.flg_zod, x.flg_cac})
                    flags << QString::number(f.count(1));
                QStringList ticked;
                for (int i : ticks(d->lt_signos))
                    ticked << QString::number(i);
                const auto bg = [](QWidget* w) { return w->palette().color(QPalette::Base).name().mid(1); };
                transcript << QString("> %1 | ticks [%2] row %3 %4 | number \"%5\" caret %6 %7 | amount \"%8\" selected "
                                      "\"%9\" %10 | focus %11 | %12 | num1 \"%13\" mon \"%14\" flags %15")
                                  .arg(step, ticked.join(','))
                                  .arg(d->lt_signos->currentRow())
                                  .arg(bg(d->lt_signos), d->tx_nume->text())
                                  .arg(d->tx_nume->cursorPosition())
                                  .arg(bg(d->tx_nume), d->tx_mont->text(), d->tx_mont->selectedText(), bg(d->tx_mont),
                                       r.focus(), d->isVisible() ? "open" : "closed", x.dlg_num1, x.dlg_mon,
                                       flags.join('/'));
                transcript << r.events();
            }
        };
        r.w->tx_nume->setFocus();
        type_keys("z");
        transcript << r.report();
    }
    SaleRig::expect_transcript(transcript, "signos.txt");
}

} // namespace
