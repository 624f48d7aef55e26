// The deposit edit dialog: fields and locks of each mode, the account lookup, the amount's
// keys and conversion, what "Aceptar" sends and the answers' boxes.
#include "admin/movdpo.h"
#include "admin/movdpo_e.h"
#include "tests/admin/users_deposits.h"

#include <QLineEdit>

namespace {

const QString k5(5, ' ');
const QString kMonto = "Monto no es válido." + QString(10, ' ');

void seed(central::Model& m)
{
    m.outlet.deposits = {{QDate(2024, 5, 9), "001", "0004512", 250000000000, false},
                         {QDate(2024, 5, 3), "002", "77", 123456789, false}};
}

// The dialog on its own for row 1 of the list, in the given mode.
movdpo_e* dialog(AdminShell& s, int mode)
{
    s.open<movdpo>("mov_dpo", "movdpo")->lista->setCurrentItem(s.t->win<movdpo>("movdpo")->lista->topLevelItem(1));
    s.t->mod_edi = mode;
    auto* d = s.t->win<movdpo_e>("movdpo_e");
    d->show();
    d->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(d));
    QCoreApplication::processEvents();
    return d;
}

// "account|date|number|amount" and the fields enabled ("e") or not (".").
QString fields(const movdpo_e* d)
{
    QString on;
    for (const QWidget* f : std::initializer_list<const QWidget*>{d->tx_codbco, d->tx_fech, d->tx_nummov, d->tx_monto})
        on += f->isEnabled() ? 'e' : '.';
    return QStringList({d->tx_codbco->currentText(), d->tx_fech->date().toString("yyyy-MM-dd"), d->tx_nummov->text(),
                        d->tx_monto->text(), on})
        .join('|');
}

TEST(MovdpoE, FieldsLocksAndTheAccountLookup)
{
    AdminShell s;
    seed(s.model());
    s.t.srv->fail_next(1, "dspcdp");  // failing once is not seen
    movdpo_e* d = dialog(s, 2);
    // Modify: the row's own date; account, date and number locked; the amount selected.
    EXPECT_EQ(d->windowTitle(), "Pagos a la Banca - Modificar");
    EXPECT_EQ(fields(d), "002|2024-05-03|77|1.23|...e");
    EXPECT_EQ(d->tx_monto->selectedText(), "1.23");
    QTest::keyClicks(d->tx_monto, "7");
    EXPECT_EQ(d->tx_monto->text(), "7");
    s.t->unload("movdpo_e");

    d = dialog(s, 1);
    EXPECT_EQ(d->windowTitle(), "Pagos a la Banca - Incluir");
    EXPECT_EQ(fields(d), "|2024-05-10|||eeee");
    EXPECT_EQ(d->tx_codbco->itemText(1), "002 - BANESCO");
    EXPECT_TRUE(d->tx_codbco->hasFocus());
    // Typed in upper case; on leaving, a code becomes its entry and anything else goes.
    for (const auto& [typed, left] : {std::pair{"002", "002 - BANESCO"}, {"003xyz", "003 - MERCANTIL"}, {"0a", ""}}) {
        d->tx_codbco->setFocus();
        d->tx_codbco->setEditText(QString());
        QTest::keyClicks(d->tx_codbco, typed);
        EXPECT_EQ(d->tx_codbco->currentText(), QString(typed).toUpper());
        d->tx_nummov->setFocus();
        EXPECT_EQ(d->tx_codbco->currentText(), left) << typed;
    }
    QTest::keyClicks(d->tx_nummov, "ab-12345678");
    EXPECT_EQ(d->tx_nummov->text(), "AB-1234567");
    s.t->unload("movdpo_e");

    // The accounts lost: nothing filled, nothing locked.
    s.t.srv->fail_next(2, "dspcdp");
    d = dialog(s, 2);
    EXPECT_EQ(s.boxes(), QStringList{kLost});
    EXPECT_EQ(d->windowTitle(), "Pagos a la Banca");
    EXPECT_EQ(fields(d), "|2024-05-10|||eeee");
    EXPECT_EQ(d->tx_codbco->count(), 0);
}

TEST(MovdpoE, AmountKeys)
{
    // "^" selects the text so far (as entering the field does); "<", "H", "D" are Left,
    // Home and Delete, dropped: the caret stays at the end; "\b" Backspace.
    const struct { const char* keys; const char* text; double jug = 1e8; } cases[] = {
        {"1500", "1500"}, {"05", "0"},      {"0.5", "0.5"},   {"12.345", "12.34"}, {"12.34\b\b9", "12.9"},
        {"1..2", "1.2"},  {"0.00", "0.0"},  {".00", ".0"},    {"12a-,3", "123"},   {"12^5", "5"},
        {"12^.5", ".5"},  {"12^a", "12"},   {"12^\b", ""},    {"0^5", "5"},        {"12<3", "123"},
        {"12H3", "123"},  {"12<D", "12"},   {"1.5", "15", 1e9}, {"12^.", "12", 1e9},
        {"1234567890123456789", "123456789012345"},
    };
    AdminShell s;
    seed(s.model());
    movdpo_e* d = dialog(s, 1);
    d->tx_monto->setFocus();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        s.t->ses_val.jug_sys = c.jug;
        d->tx_monto->clear();
        for (const char* k = c.keys; *k; ++k) {
            const QMap<char, Qt::Key> keys{{'<', Qt::Key_Left}, {'H', Qt::Key_Home}, {'D', Qt::Key_Delete},
                                           {'\b', Qt::Key_Backspace}};
            if (*k == '^')
                d->tx_monto->selectAll();
            else if (keys.contains(*k))
                QTest::keyClick(d->tx_monto, keys[*k]);
            else
                QTest::keyClicks(d->tx_monto, QString(QChar(*k)));
        }
        EXPECT_EQ(d->tx_monto->text(), c.text);
    }
}

// A typed amount in stored units: cut to two decimals, nothing below a hundredth of a
// unit, nothing beyond 64 bits.
TEST(MovdpoE, AmountInStoredUnits)
{
    const qint64 no = -1;
    const struct { const char* text; double mod; qint64 units; } cases[] = {
        {"1500", 1e8, 150000000000}, {"12.349", 1e8, 1234000000}, {"1,5", 1e8, 150000000}, {"0.001", 1e8, no},
        {"0.", 1e8, no}, {"1.2.3", 1e8, no}, {"-5", 1e8, no}, {"5", 100, 500}, {"0.015", 1000, 10}, {"0.01", 1, no},
        {"92233720368.54", 1e8, 9223372036854000000}, {"92233720368.55", 1e8, no},
    };
    for (const auto& c : cases) {
        MonCtx m;
        m.mod_sys = c.mod;
        qint64 units = no;
        EXPECT_EQ(monto_units(m, c.text, units), c.units != no) << c.text << " " << c.mod;
        EXPECT_EQ(units, c.units) << c.text << " " << c.mod;
    }
}

TEST(MovdpoE, AceptarSendsOneCallClosesAndReloads)
{
    const QVariantList none, row1{"2", "2024-05-03", "001", "002", "77", qint64(123000000)};  // saved as shown
    const struct { int mode; const char* account; const char* number; const char* amount; double mod; QVariantList sent;
                   QString box = {}; bool processed = false; int fails = 0; } cases[] = {
        {1, "001", "a-9", "1500", 1e8, {"1", "2024-05-10", "001", "001", "A-9", qint64(150000000000)}},
        {1, "", "", "5", 100, {"1", "2024-05-10", "001", "", "", qint64(500)},
         "Datos incompletos. No se pudo actualizar el registro." + k5},
        {1, "001", "0004512", "1", 1e8, {"1", "2024-05-09", "001", "001", "0004512", qint64(100000000)},
         "Registro ya existe. No se pudo actualizar el registro." + k5},
        {2, "", "", "^9.5", 1e8, {"2", "2024-05-03", "001", "002", "77", qint64(950000000)}},
        {2, "", "", "", 1e8, row1, "Registro ya procesado. No se pudo actualizar el registro." + k5, true},
        {2, "", "", "", 1e8, row1, {}, false, 1}, {2, "", "", "", 1e8, row1, kLost, false, 2},
        {1, "001", "1", "0.", 1e8, none, kMonto}, {1, "001", "1", "999999999999999", 1e8, none, kMonto},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << c.account << " " << c.number << " " << c.amount << " " << c.fails);
        AdminShell s;
        s.t->ses_val.mod_sys = s.t->ses_val.jug_sys = c.mod;
        seed(s.model());
        s.model().outlet.deposits[1].processed = c.processed;
        s.t.srv->fail_next(c.fails, "actdpo");
        auto* w = s.open<movdpo>("mov_dpo", "movdpo");
        w->lista->setCurrentItem(w->lista->topLevelItem(1));
        bool open_after = false;
        s.with_modal([&] { (c.mode == 1 ? w->b_incluir : w->b_modificar)->click(); },
                     [&](QWidget* m) {
                         auto* d = qobject_cast<movdpo_e*>(m);
                         if (c.sent.value(1) == "2024-05-09")
                             d->tx_fech->setDate(QDate(2024, 5, 9));
                         QTest::keyClicks(d->tx_codbco, c.account);
                         d->tx_codbco_LostFocus();
                         QTest::keyClicks(d->tx_nummov, c.number);
                         const QString amount = c.amount;
                         if (amount.startsWith('^'))
                             d->tx_monto->selectAll();
                         QTest::keyClicks(d->tx_monto, amount.mid(amount.startsWith('^') ? 1 : 0));
                         d->b_aceptar->click();
                         open_after = d->isVisible();  // only a refused amount keeps it open
                         d->close();
                     });
        EXPECT_EQ(s.t.srv->calls("actdpo").value(0).values, c.sent);
        EXPECT_EQ(s.boxes(), c.box.isEmpty() ? QStringList{} : QStringList{c.box});
        EXPECT_EQ(open_after, c.sent.isEmpty());
        // The list is read again (a lost connection leaves it as it was) and the row at the
        // same position selected.
        EXPECT_EQ(s.t.srv->calls("dspdpo").size(), c.fails == 2 ? 1 : 2);
        EXPECT_EQ(w->selected_pos(), c.mode == 2 ? 1 : 0);
    }
}

} // namespace
