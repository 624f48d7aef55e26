#include "core/shared/twips.h"
#include "core/shell/main_window.h"
#include "core/shell/windows.h"
#include "services/movprm.h"
#include "services/windows.h"
#include "tests/doubles/test_app.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

const QDate kDay(2024, 3, 5);
const QString b11(11, ' ');

// One lottery with its draw, and what the list shows of it: Número, Signo, Status.
struct Draw {
    const char *code, *name;
    int codsim, codrul, codzod;
    const char* numpre;
    int status;
    QString numero = {}, signo = {}, status_text = {};
};

const Draw kDraws[] = {
    {"N01", "Triple Zodiacal del Zulia", 0, 0, 1, "123A", 2, "123", "Aries      ", "Procesado"},
    {"N02", "Cacho", 0, 0, 2, "45B", 1, "45", "ConCacho   ", "En Proceso"},
    {"N03", "Cuadruple", 0, 0, 0, "1234", 0, "1234", b11, "No Procesado"},
    {"N04", "Super Seis", 0, 0, 0, "123456", 3, "123456", b11, "-"},
    {"N05", "Quinta", 0, 0, 0, "12345", 7, "12345", b11, ""},
    {"N06", "Triple Capricornio", 0, 0, 1, "123J", 2, "123", "Capricornio", "Procesado"},
    {"N07", "Pendiente", 0, 0, 0, "", 0, "", "", ""},
    {"N08", "En Blanco", 0, 0, 0, "   ", 2, "", "", ""},
    {"A01", "Animalito", 1, 0, 0, "01", 2, "01-Pajaro    ", "", "Procesado"},
    {"A02", "Pareja Animal", 1, 0, 0, "0102", 2, "01-Pajaro     / 02-Lechuza   ", "", "Procesado"},
    {"A03", "Trio Animal", 1, 0, 0, "010203", 2, "01-Pajar / 02-Lechu / 03-Caima", "", "Procesado"},
    {"A04", "Animal Raro", 1, 0, 0, "123", 2, "", "", "Procesado"},
    // Symbol sets (codrul): 5 names "0" and "99" apart, 6 alike, 9 has neither.
    {"S01", "Ruleta Cero", 0, 5, 0, "0a", 2, "0-Cero      ", b11, "Procesado"},
    {"S02", "Ruleta Noventa", 0, 5, 0, "99", 2, "99-Noventa y ", b11, "Procesado"},
    {"S03", "Lotto Delfin", 0, 6, 0, "99", 2, "0-Delfin    ", b11, "Procesado"},
    {"S04", "Granja", 0, 9, 0, "99", 2, "0-          ", b11, "Procesado"},
    {"S05", "Ruleta Signo", 0, 5, 1, "05A", 2, "05-Cinco     ", "Aries      ", "Procesado"},
    {"S06", "Ruleta Larga", 0, 5, 0, "1234", 2, "", "", "Procesado"},
    {"S07", "Ruleta Centena", 0, 5, 1, "123A", 2, "", "", "Procesado"},
    {"S08", "Granja Signo", 0, 9, 1, "0aK", 2, "0-          ", "Acuario    ", "Procesado"},
};

// The main window on the double, logged in on kDay, with a catalogue of its own.
struct Winners {
    TestApp t;
    std::unique_ptr<main_window> w;
    movprm* m = nullptr;
    Winners()
    {
        register_services_windows(*t);
        register_shell_windows(*t);
        w = std::make_unique<main_window>(*t);
        w->Form_Load();
        t.connect();
        t->ses_val.cod_ven = "001";
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
                                     .draw = QTime(8, 0).addSecs(60 * int(lots.size()))};
        t.srv->model.winners << central::Winner{day, d.code, d.numpre, d.status};
    }
    movprm* open()
    {
        w->findChild<QAction*>("mov_prm")->trigger();
        return m = t->win<movprm>("movprm");
    }
    QStringList row(int i)
    {
        QStringList cells;
        for (int c = 0; c < 5; ++c)
            cells << m->lista->topLevelItem(i)->text(c);
        return cells;
    }
    int rows() { return m->lista->topLevelItemCount(); }
    QStringList printed() { return t.prn->docs.isEmpty() ? QStringList() : t.prn->docs[0].lines; }
};

QStringList golden(const QString& name)
{
    QFile f(QString::fromUtf8(__FILE__).section('/', 0, -3) + "/golden/services/" + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(f.fileName());
    QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    lines.removeLast();  // after the last line's end
    return lines << "\f";
}

TEST(Movprm, ShowsAndPrintsEveryKindOfWinningNumber)
{
    for (const auto& [marg, salt, file] : {std::tuple{0, 0, "movprm_listing.txt"}, {3, 2, "movprm_listing_margin.txt"}}) {
        Winners s;
        s.t->cfg_reg.rep_marg = marg;
        s.t->cfg_reg.rep_salt = salt;
        for (const Draw& d : kDraws)
            s.draw(d);
        s.open();
        ASSERT_EQ(s.rows(), int(std::size(kDraws)));
        for (int i = 0; i < s.rows(); ++i) {
            const Draw& d = kDraws[i];
            EXPECT_EQ(s.row(i), (QStringList{d.code, d.name, d.numero, d.signo, d.status_text})) << d.code;
        }
        const int widths[] = {700, 2060, 2550, 1600, 1500};  // Nombre for more than 15 rows
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(s.m->lista->header()->sectionSize(c), tw(widths[c])) << c;

        s.m->b_imprimir->click();
        EXPECT_TRUE(s.t.dlg->boxes.isEmpty());
        EXPECT_EQ(s.printed(), golden(file));
    }
    EXPECT_EQ(movprm::place_for(9600), QPoint(tw(50), tw(600)));
    EXPECT_EQ(movprm::place_for(9615), QPoint(tw(1100), tw(1200)));
}

// One load on opening and on every change of the date. A lost connection keeps the rows
// of the last connected load with their date: the listing prints them under that date.
TEST(Movprm, LoadsOnOpeningAndOnEveryDateChange)
{
    Winners s;
    s.t->ses_val.ord_lot = 1;
    s.draw({"B", "Beta", 0, 0, 1, "123A", 2});
    s.draw({"A", "Alfa", 0, 0, 0, "456", 2});
    s.draw({"A", "", 0, 0, 0, "789", 2}, kDay.addDays(-1));
    s.open();
    auto args = [](const QString& day, int ord) { return QVariantList{day, "001", qint64(ord)}; };
    const auto calls = [&s] { return s.t.srv->calls("dstprm"); };
    ASSERT_EQ(calls().size(), 1);
    EXPECT_EQ(calls()[0].values, args("2024-03-05", 1));
    EXPECT_EQ(s.row(0)[1], "Alfa");  // the server's order, by name

    s.m->tx_fech->setDate(kDay.addDays(-1));
    ASSERT_EQ(calls().size(), 2);
    EXPECT_EQ(calls()[1].values, args("2024-03-04", 1));
    EXPECT_EQ(s.row(0)[2], "789");
    s.m->tx_fech->setDate(kDay);

    s.t.srv->fail_next(2, "dstprm");
    s.t->ses_val.ord_lot = 0;
    s.m->tx_fech->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(s.m->tx_fech, "15");  // a typed date reloads once, when the typing ends
    QTest::keyClick(s.m->tx_fech, Qt::Key_Enter);
    ASSERT_EQ(calls().size(), 5);
    EXPECT_EQ(calls()[4].values, args("2024-03-15", 0));
    EXPECT_EQ(s.t.dlg->texts(), QStringList{"No hay conexión con el servidor." + QString(10, ' ')});
    EXPECT_EQ(s.rows(), 2);
    s.m->b_imprimir->click();  // prints nothing and says nothing while the flag is set
    EXPECT_TRUE(s.printed().isEmpty());
    s.t->flg_nocox = 0;
    s.m->b_imprimir->click();
    EXPECT_EQ(s.printed().mid(1, 1), QStringList{"FECHA : 05-03-2024"});
    EXPECT_EQ(s.printed().mid(5, 2), (QStringList{"Alfa            456           ", "Beta            123 Aries     "}));

    // Esc unloads the window; the next opening starts again from the working date.
    s.w->show();
    QApplication::setActiveWindow(s.w.get());
    s.m->lista->setFocus();
    QTest::keyClick(s.m->lista, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, 0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(s.t->is_loaded("movprm"));
    EXPECT_EQ(s.open()->tx_fech->date(), kDay);
}

TEST(Movprm, NombreWidthAndNothingToPrint)
{
    // rows: lotteries of that numpre; nocox: opened without a connection.
    const struct { int rows; const char* numpre; int nocox, width; bool prints; } cases[] = {
        {0, "", 0, 2300, false}, {16, "  ", 0, 2060, false}, {15, "12", 0, 2300, true}, {2, "12", 1, 2190, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " " << c.numpre << " " << c.nocox);
        Winners s;
        for (int i = 0; i < c.rows; ++i)
            s.draw({QByteArray::number(i).constData(), "Loteria", 0, 0, 0, c.numpre, 2});
        s.t->flg_nocox = c.nocox;
        s.open()->b_imprimir->click();
        EXPECT_EQ(s.m->lista->header()->sectionSize(1), tw(c.width));
        EXPECT_EQ(s.printed().size(), c.prints ? 5 + c.rows + 1 + 5 + 1 : 0);
        EXPECT_EQ(s.t.dlg->texts(), c.prints ? QStringList() : QStringList{"No hay información." + QString(10, ' ')});
        EXPECT_TRUE(c.prints || s.t.dlg->boxes[0].style == plat::mb_information);
    }
}

// A text that needs a value that is missing, null, not a number or outside 16 bits stays
// empty; the rest of the row and the next row load.
TEST(Movprm, UnreadableValuesLeaveOnlyTheirTextsEmpty)
{
    const QStringList all{"codlot", "nomlot", "numpre", "codzod", "codsim", "codrul", "status"};
    const QStringList no_codzod{"codlot", "nomlot", "numpre", "codsim", "codrul", "status"};
    const QVariant null;
    const struct { QStringList columns; QVariantList row; QStringList shown; const char* printed; } cases[] = {
        {no_codzod, {"X", "Equis", "123A", 0, 0, 2}, {"X", "Equis", "123", "", "Procesado"}, nullptr},
        {no_codzod, {"X", "Equis", "123", 0, 0, 2}, {"X", "Equis", "123", b11, "Procesado"}, "123"},
        {all, {"X", "Equis", "05", 0, null, 0, 2}, {"X", "Equis", "", "", "Procesado"}, nullptr},
        {all, {"X", "Equis", "01", 0, -65535, 0, 2}, {"X", "Equis", "", "", "Procesado"}, nullptr},
        {all, {"X", "Equis", "01", 0, 1, "x", 2}, {"X", "Equis", "", "", "Procesado"}, nullptr},
        {all, {"X", "Equis", "123", 0, 0, 0, 65538}, {"X", "Equis", "123", b11, ""}, "123"},
        {all, {"X", null, null, 0, 0, 0, 2}, {"X", "", "", "", ""}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(QVariant(c.row).toStringList().join('|')));
        Winners s;
        s.t.srv->register_procedure("dstprm", [&c](central::Request& r) {
            const QVariantMap good{{"codlot", "A01"}, {"nomlot", "Animalito"}, {"numpre", "01"}, {"codzod", 0},
                                   {"codsim", 1},     {"codrul", 0},           {"status", 2}};
            auto& rs = r.rows(c.columns);
            rs.rows << c.row << QVariantList();
            for (const QString& col : c.columns)
                rs.rows.last() << good.value(col);
            return true;
        });
        s.open()->b_imprimir->click();
        ASSERT_EQ(s.rows(), 2);
        EXPECT_EQ(s.row(0), c.shown);
        EXPECT_EQ(s.row(1), (QStringList{"A01", "Animalito", "01-Pajaro    ", "", "Procesado"}));
        QStringList body{"Animalito       Pajaro        "};
        if (c.printed)
            body.prepend(QString("Equis           %1").arg(c.printed, -14));
        EXPECT_EQ(s.printed().mid(5, body.size()), body);
    }
}

} // namespace
