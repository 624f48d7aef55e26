// The duplicate dialog: the rules it decides by without a window (the ticket field's keys,
// which lotteries take a source's plays, what the ticks hand over), then the dialog opened
// with D from the sale window against an earlier ticket sold through it (a transcript).
#include "sale/dialogs/duptik.h"
#include "tests/sale/sale_fixture.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

TEST(DuplicateTicket, TicketKeys)
{
    const struct {
        QString text;
        int selected;
        char key;
        int kept;
    } cases[] = {
        {"", 0, '7', '7'},        {"1234567", 0, '8', '8'}, {"12345678", 0, '9', 0},  // at most 8 digits
        {"12345678", 8, '9', '9'}, {"12345678", 1, '9', '9'}, {"12345678", 0, '\b', '\b'},  // a selection makes room
        {"12", 0, 'a', 0},        {"12", 0, '-', 0},        {"12", 0, ' ', 0},    {"12", 0, 22, 0},  // Ctrl+V
    };
    for (const auto& c : cases)
        EXPECT_EQ(numt_key(c.text, c.selected, c.key), c.kept) << qPrintable(c.text) << " " << c.key;
}

// Which lotteries take the plays of a source, by the source's symbol set and codsit (texts)
// against the lottery's symbol set and stasit.
TEST(DuplicateTicket, CompatibilityRule)
{
    const struct {
        const char *codsim, *codsit;
        int lot_codsim, lot_stasit;
        bool fits;
    } cases[] = {
        {"0", "0", 0, 0, true},     {"0", "0", 1, 0, false},  {"0", "0", 0, 1, false},  {"0", "0", 1, 1, false},
        {"1", "0", 1, 0, true},     {"1", "0", 3, 0, true},   {"1", "0", 0, 0, false},  {"1", "0", 1, 1, false},
        {"1", "1", 1, 1, true},     {"2", "5", 7, 2, true},   {"1", "1", 0, 1, false},  {"0", "1", 0, 1, true},
        {"-1", "0", 0, 0, false},   {"-1", "0", 1, 0, false}, {"0", "-1", 0, 0, false}, {"0", "-1", 0, 1, false},
        {"0", "0", -1, 0, false},   {"1", "0", -1, 0, false}, {"0", "0", 0, -1, false}, {"1", "1", 1, -1, false},
        {"", "", 0, 0, true},       {"", "", 1, 0, false},    {" 1 ", "0", 1, 0, true}, {"x", "0", 0, 0, true},
    };
    for (const auto& c : cases) {
        RegLot lot;
        lot.codsim = c.lot_codsim;
        lot.stasit = c.lot_stasit;
        EXPECT_EQ(dup_fits(c.codsim, c.codsit, lot), c.fits)
            << c.codsim << "/" << c.codsit << " on " << c.lot_codsim << "/" << c.lot_stasit;
    }
}

// The targets of a source, in the order of the lotteries open for sale, by the catalogue
// entry of each code; and what the names ticked hand over.
TEST(DuplicateTicket, TargetsAndChoice)
{
    TabCat cat;
    for (const auto& [code, name, sim, sit] :
         {std::tuple{"001", "TRIPLE CARACAS ", "0", "0"}, {"008", "LOTTO ACTIVO", "1", "0"}, {"002", "TRIPLE ZULIA", "0", "0"},
          {"011", "LOTTO TRIPLETA", "1", "1"}, {"009", "LA GRANJITA", "1", "0"}, {"003", "TRIPLE ZULIA", "0", "0"}})
        cat << RegCat{code, "", name, sim, sit};
    QList<RegLot> open;
    for (const auto& [code, sim, sit] : {std::tuple{"9", 1, 0}, {"003", 0, 0}, {"001", 0, 0}, {"011", 1, 1}, {"005", 0, 0},
                                         {"x", 0, 0}, {"008", 1, 0}, {"002", 0, 0}})
        open << RegLot{code, "", "", 0, 0, 0, 0, 0, 0, sit, 0, 0, sim};
    const auto names = [&](const QList<int>& at) {
        QStringList out;
        for (const int j : at)
            out << cat[j].codint;
        return out.join(' ');
    };
    // 9 is 009 as a number; 005 and x are not in the catalogue.
    EXPECT_EQ(names(dup_targets(cat, "  TRIPLE CARACAS", open)), "003 001 002");
    EXPECT_EQ(names(dup_targets(cat, "LOTTO ACTIVO", open)), "009 008");
    EXPECT_EQ(names(dup_targets(cat, "LOTTO TRIPLETA", open)), "011");
    EXPECT_EQ(names(dup_targets(cat, "NOT IN THE CATALOGUE", open)), "003 001 002");  // as a source of 0 and 0

    const struct {
        QStringList sources, targets;
        QString lot, lots;
    } choices[] = {
        {{}, {"TRIPLE ZULIA"}, " ", ""},
        {{"TRIPLE CARACAS"}, {}, "001", ""},
        {{" LOTTO ACTIVO "}, {"LA GRANJITA", "GONE", "LOTTO ACTIVO"}, "008", "009008"},
        {{"TRIPLE CARACAS", "LOTTO ACTIVO", "GONE"}, {"TRIPLE ZULIA"}, "008", "002"},  // the first of a name
        {{"GONE"}, {"TRIPLE ZULIA"}, " ", ""},
    };
    for (const auto& c : choices) {
        const DupChoice got = dup_choice(cat, c.sources, c.targets);
        EXPECT_EQ(got.lot + "|" + got.lots, c.lot + "|" + c.lots) << qPrintable(c.sources.join(','));
    }
}

// A control's background, short: "f" the focus colour, "w" white, "-" as it was made.
QString colour(const QWidget* w)
{
    const QColor c = w->palette().color(QPalette::Base);
    return c == QColor(255, 224, 192) ? "f" : c == QColor(Qt::white) ? "w" : "-";
}

QString rows(const QListWidget* list)
{
    QStringList out;
    for (int row = 0; row < list->count(); ++row)
        out << list->item(row)->text();
    return out.join('|');
}

// What the dialog shows after a step: each field (text, caret, selection), each list's
// ticked rows and cursor, the focus, the step of Aceptar, the colours (ticket, amount, the
// two lists), and what it left in dlg_datos; a list whose rows changed is shown whole first.
QStringList dialog_step(SaleRig& r, duptik* d, const QString& step, QStringList& before)
{
    if (step.startsWith("~click")) {
        QListWidget* list = step[6] == '1' ? d->lt_lot1 : d->lt_lot2;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, check_box(list, step.mid(8).toInt()));
    } else if (step == "~close") {
        d->close();
    } else {
        type_keys(step);
    }
    QStringList out;
    const QStringList now{rows(d->lt_lot1), rows(d->lt_lot2)};
    for (int i = 0; i < 2; ++i)
        if (now[i] != before.value(i))
            out << QString("  lt_lot%1 = %2").arg(i + 1).arg(now[i]);
    before = now;
    const auto field = [](const QLineEdit* e) {
        return QString("\"%1\" %2 sel \"%3\"").arg(e->text()).arg(e->cursorPosition()).arg(e->selectedText());
    };
    const auto list = [&r](QListWidget* l) {
        QStringList ticked;
        for (const int row : r.ticked(l))
            ticked << QString::number(row);
        return QString("ticked %1 @%2").arg(ticked.join(',')).arg(l->currentRow());
    };
    const DlgDatos& x = r.t->dlg_datos;
    out.prepend(QString("> %1 | numt %2 | mont %3 | lot1 %4 | lot2 %5 | focus %6 | pas %7 | %8%9%10%11 | %12")
                    .arg(step, field(d->tx_numt), field(d->tx_mont), list(d->lt_lot1), list(d->lt_lot2), r.focus())
                    .arg(d->pas_dup)
                    .arg(colour(d->tx_numt), colour(d->tx_mont), colour(d->lt_lot1), colour(d->lt_lot2))
                    .arg(d->isVisible() ? "open" : QString("closed: res \"%1\" mon \"%2\" lot \"%3\" lots \"%4\"")
                                                       .arg(x.dlg_res, x.dlg_mon, x.dlg_lot, x.dlg_lots)));
    return out << r.events();
}

// D on the ticket after one sold with plays on TRIPLE CARACAS (two), TRIPLE ZULIA and LOTTO
// ACTIVO, worked from the keyboard (and the mouse where a case says so): the ticket looked
// up when its field is left (once a number), the source following the cursor, its targets
// by kind, digits typed on the lists, an unknown ticket, Esc at every step; then the
// duptix call and the plays it copies, or no call. Each opening shows what dlg_datos keeps
// between openings. The sold ticket is renumbered when a case gives a number.
TEST(SaleDialogs, DuplicateTicket)
{
    const struct {
        const char* name;
        QList<QStringList> openings;
        qint64 renumber = 0;
    } cases[] = {
        {"the whole way by the keyboard",
         {{"76", "<enter>", "<tab>", "<tab>", "<down><down><down>", " ", "<down><down>", " ", "<tab>", "<down>", "5",
           "<enter>"}}},
        {"the source follows the cursor, by keys and by the mouse",
         {{"76", "<enter>", "<tab>", "<down>", "<down>", " ", "~click1 0", "~click1 0", "<tab>", " ", "~click2 3", "<tab>",
           "<tab>", "<enter>"}}},
        {"digits typed on the lists, through the ticket's filter",
         {{"7", "<@lt_lot1>", "6", "<enter>", "<tab>", "<tab>", "1", "<tab>", "<up>", "<bs>", "<@lt_lot2>", "9", "<esc>"}}},
        {"an unknown ticket", {{"12345678", "<enter>", "<enter>", "<down>", "<tab>", "<esc>"}}},
        {"the amount entered by the mouse: the number as typed", {{"76", "<@tx_mont>", "3", "<enter>"}}},
        {"a ticket of 8 digits", {{"99999999", "<enter>", "<enter>"}}, 99999999},
        {"Esc at every step, and what the next opening keeps",
         {{"<esc>"}, {"76", "<esc>"}, {"76", "<enter>", "<esc>"}, {"76", "<enter>", "<tab>", "<esc>"},
          {"76", "<enter>", "<tab>", "<tab>", " ", "2", "<esc>"}, {"76", "<@lt_lot1>", "<@tx_numt>", "~close"}}},
    };
    EXPECT_EQ(duptik::place_for(9600), QPoint(120, 107));  // twips: 1800, 1600
    EXPECT_EQ(duptik::place_for(9615), QPoint(200, 167));  // 3000, 2500
    QStringList transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        ASSERT_TRUE(r.open());
        r.lots("001 002");
        r.enter("123<enter>10<enter>");
        r.lots("001");
        r.enter("45<enter>5<enter>");
        r.lots("008");
        r.enter("05<enter>2<enter>");
        r.press_imprimir();
        ASSERT_EQ(r.state(r.first), "sold");
        if (c.renumber)
            r.model().ticket(r.first)->numtik = c.renumber;
        r.lots("001");
        r.report();
        transcript << QString("== ") + c.name;
        QList<QStringList> openings = c.openings;
        r.in_dialog = [&](SaleDialog* dialog) {
            auto* d = qobject_cast<duptik*>(dialog);
            ASSERT_TRUE(d);
            EXPECT_EQ(d->pos(), duptik::place_for(SaleDialog::screen_twips()));
            const DlgDatos& x = r.t->dlg_datos;
            transcript << QString("open | focus %1 | selt %2 tik_ant \"%3\" lot_tik %4 | %5 %6")
                              .arg(r.focus())
                              .arg(x.flg_selt)
                              .arg(x.tik_ant, x.lot_tik.join('|'), colour(d->tx_numt), colour(d->lt_lot1));
            QStringList before{"", ""};
            for (const QString& step : openings.takeFirst())
                transcript << dialog_step(r, d, step, before);
        };
        for (qsizetype i = 0; i < c.openings.size(); ++i)
            type_keys("<@tx_nume>d");
        transcript << r.report();
    }
    SaleRig::expect_transcript(transcript, "duptik.txt");
}

} // namespace
