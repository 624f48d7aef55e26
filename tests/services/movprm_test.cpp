// The winning numbers: the list and the printed listing of every kind of number, the loads,
// the date of the listing, nothing to print, rows the window cannot read, and Esc.
#include "tests/services/fixture.h"

namespace {

const QDate kDay(2024, 3, 5);

// A lottery with its winning number on a day.
struct Draw { const char *code, *name; int codsim, codrul, codzod; const char* numpre; int status; };

// Symbol sets (codrul): 5 names "0" and "99" apart, 6 alike, 9 has neither.
const Draw kDraws[] = {
    {"N01", "Triple Zodiacal del Zulia", 0, 0, 1, "123A", 2},
    {"N02", "Cacho", 0, 0, 2, "45B", 1},
    {"N03", "Cuadruple", 0, 0, 0, "1234", 0},
    {"N04", "Super Seis", 0, 0, 0, "123456", 3},
    {"N05", "Quinta", 0, 0, 0, "12345", 7},
    {"N06", "Triple Capricornio", 0, 0, 1, "123J", 2},
    {"N07", "Pendiente", 0, 0, 0, "", 0},
    {"N08", "En Blanco", 0, 0, 0, "   ", 2},
    {"A01", "Animalito", 1, 0, 0, "01", 2},
    {"A02", "Pareja Animal", 1, 0, 0, "0102", 2},
    {"A03", "Trio Animal", 1, 0, 0, "010203", 2},
    {"A04", "Animal Raro", 1, 0, 0, "123", 2},
    {"S01", "Ruleta Cero", 0, 5, 0, "0a", 2},
    {"S02", "Ruleta Noventa", 0, 5, 0, "99", 2},
    {"S03", "Lotto Delfin", 0, 6, 0, "99", 2},
    {"S04", "Granja", 0, 9, 0, "99", 2},
    {"S05", "Ruleta Signo", 0, 5, 1, "05A", 2},
    {"S06", "Ruleta Larga", 0, 5, 0, "1234", 2},
    {"S07", "Ruleta Centena", 0, 5, 1, "123A", 2},
    {"S08", "Granja Signo", 0, 9, 1, "0aK", 2},
};

// Logged in on kDay, with a catalogue and symbol sets of its own.
class Winners : public ServicesTest {
public:
    void SetUp() override
    {
        ServicesTest::SetUp();
        t->ses_val.fec_sys = kDay;
        t->ses_val.ord_lot = 0;
        t->tab_sim = TabSim{{5, 5, 5, 5, 6, 6, 9},
                            {"0", "99", "05", "123", "0", "99", "05"},
                            {"Cero", "Noventa y Nueve", "Cinco", "Ciento Veintitres", "Delfin", "Delfin", "Cinco"}};
        t.srv->model.lotteries.clear();
        t.srv->model.winners.clear();
    }
    void draw(const Draw& d, const QDate& day = kDay)
    {
        auto& lots = t.srv->model.lotteries;
        if (!t.srv->model.lottery(d.code))
            lots << central::Lottery{.codint = d.code, .codlot = d.code, .nomlot = d.name, .codsim = d.codsim,
                                     .codrul = d.codrul, .codzod = d.codzod,
                                     .draw = QTime(8, 0).addSecs(60 * int(lots.size())), .extra = {}};
        t.srv->model.winners << central::Winner{day, d.code, d.numpre, d.status};
    }
};

// The winning numbers of a date, loaded on opening and on every change of the date (a
// typed one when the typing ends) with the date, outlet and order: every kind and shape of
// number in the list and in the listing, printed without and with a margin and extra feed;
// "No hay información." for rows none of which has a winning number and for a date without
// rows. A lost connection keeps the rows of the last connected load with their date: the
// listing prints them under that date. An answer with a value that is missing, null, not a
// number or outside 16 bits cannot be read: it is given up as a lost connection, and the
// rows and date of the last load stay. A lottery not drawn yet may come without its winning
// number. Esc unloads.
TEST_F(Winners, LoadsListsAndPrints)
{
    for (const Draw& d : kDraws)
        draw(d);
    draw({"N03", "", 0, 0, 0, "  ", 2}, kDay.addDays(-1));
    draw({"N01", "", 0, 0, 0, "789A", 2}, kDay.addDays(-2));
    draw({"N03", "", 0, 0, 0, "456", 2}, kDay.addDays(-2));
    auto* m = open<movprm>("mov_prm", "movprm");
    QStringList got;
    const auto look = [&](const QString& step) {  // the Nombre width in pixels: 2060 twips 137, 2300 twips 153
        got << ServicesTest::look(step, rows(m->lista)) << QString("  Nombre %1 px").arg(m->lista->header()->sectionSize(1));
        for (const auto& doc : t.prn->docs)
            got << doc.lines;
        t.prn->docs.clear();
    };
    m->b_imprimir->click();
    t->cfg_reg.rep_marg = 3;
    t->cfg_reg.rep_salt = 2;
    m->b_imprimir->click();
    look("opened, printed without and with a margin");
    t->ses_val.ord_lot = 1;
    for (int days : {-1, 1, -2}) {
        m->tx_fech->setDate(kDay.addDays(days));
        m->b_imprimir->click();
        look(QString("%1 days, by name, printed").arg(days));
    }
    t.srv->fail_next(2, "dstprm");
    t->ses_val.ord_lot = 0;
    m->tx_fech->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(m->tx_fech, "15");
    QTest::keyClick(m->tx_fech, Qt::Key_Enter);
    m->b_imprimir->click();
    look("typed 15 while the connection is lost, printed");
    t->flg_nocox = 0;
    m->b_imprimir->click();
    look("printed with the flag cleared");

    const QVariant null;
    const std::pair<QStringList, QList<QVariantList>> unreadable[] = {
        {{"codlot", "nomlot", "numpre", "codsim", "codrul", "status"},  // no codzod
         {{"X", "Equis", "123A", 0, 0, 2},
          {"Y", "Ye", "123", 0, 0, 2},
          {"A01", "Animalito", "01", 1, 0, 2}}},
        {{"codlot", "nomlot", "numpre", "codzod", "codsim", "codrul", "status"},
         {{"X", "Equis", "05", 0, null, 0, 2},
          {"Y", "Ye", "01", 0, -65535, 0, 2},
          {"Z", "Zeta", "01", 0, 1, "x", 2},
          {"W", "Doble U", "123", 0, 0, 0, 65538},
          {"V", null, null, 0, 0, 0, 2},
          {"A01", "Animalito", "01", 0, 1, 0, 2}}},
        {{"codlot", "nomlot", "numpre", "codzod", "codsim", "codrul", "status"},
         {{"N09", "Sin Sorteo", null, 0, 0, 0, 0}, {"W", "Doble U", "123", 0, 0, 0, 2}}},
    };
    for (const auto& [columns, values] : unreadable) {
        t.connect();  // as the keep-alive finds the server again
        t.srv->register_procedure("dstprm", [&](central::Request& r) {
            r.rows(columns).rows = values;
            return true;
        });
        m->tx_fech->setDate(m->tx_fech->date().addDays(1));
        m->b_imprimir->click();
        look(columns.join(',') + ", printed");
    }
    expect_golden(got, "movprm.txt");

    m->lista->setFocus();
    QTest::keyClick(m->lista, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, 0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(t->is_loaded("movprm"));
    EXPECT_EQ(open<movprm>("mov_prm", "movprm")->tx_fech->date(), kDay);  // afresh from the working date
}

} // namespace
