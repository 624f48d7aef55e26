// The user and the deposit edit dialogs: fields and locks, the keys, what "Aceptar" sends
// and the answers' boxes; no password in the program's own messages.
#include "admin/movdpo_e.h"
#include "admin/procs_users.h"
#include "tests/admin/fixture.h"

namespace {

const QString k5(5, ' ');
const QString kMonto = "Monto no es válido." + QString(10, ' ');

// The dialog of either list's button for its row 1, as it opened: its fields' texts, and
// for each "." disabled, "F" with the focus, "e" else. The texts are typed into the fields
// (a modify's amount is selected: typing replaces it), then "Aceptar". The save's
// call (or the bank accounts' one) lost once or twice, or refused by the server; no
// password in the program's messages.
TEST(EditDialogs, AceptarSendsOneCallClosesAndReloads)
{
    static QStringList logged;
    const auto previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) { logged << m; });
    const QString no = " No se pudo actualizar el registro." + k5, hdd = "0305419896";
    const QString uinc = "Datos incompletos o inválidos." + no, uexists = "Usuario ya existe." + no;
    const QString cexists = "Caja ya existe." + no, dinc = "Datos incompletos." + no, dexists = "Registro ya existe." + no;
    const QString processed = "Registro ya procesado." + no;
    const QVariantList none, luis{"1", "LUIS", "PW", "001", "05", hdd};
    const QVariantList row1{"2", "2024-05-03", "001", "002", "77", qint64(123456789)};  // saved as received
    const struct { bool users; const char* button; QStringList typed; QVariantList sent; QString box = {};
                   int answer = -1; int fails = 0; double mod = 1e8; const char* lose = nullptr; } cases[] = {
        {true, "b_incluir", {"luisa", "se cret", "7"}, {"1", "LUISA", "SE CRET", "001", "07", hdd}},
        {true, "b_incluir", {"  bo b ", " x ", "a1b2c3"}, {"1", "BO B", "X", "001", "12", hdd}},
        {true, "b_incluir", {"abcdefghijkl", "pw", "05"}, {"1", "ABCDEFGHIJ", "PW", "001", "05", hdd}},
        {true, "b_incluir", {"luis", "pw", ""}, {"1", "LUIS", "PW", "001", "00", hdd}, cexists},  // 00 exists
        {true, "b_incluir", {"ana", "pw", "5"}, {"1", "ANA", "PW", "001", "05", hdd}, uexists},
        {true, "b_incluir", {"   ", "pw", "5"}, none, uinc},
        {true, "b_incluir", {"luis", "   ", "5"}, none, uinc},
        {true, "b_incluir", {"luis", "pw", "5"}, luis, uinc, 1},
        {true, "b_incluir", {"luis", "pw", "5"}, luis, {}, 4},
        {true, "b_incluir", {"luis", "pw", "5"}, luis, {}, -1, 1},
        {true, "b_incluir", {"luis", "pw", "5"}, luis, kLost, -1, 2},
        {true, "b_incluir", {"luis", "secreto", "5"}, {"1", "LUIS", "SECRETO", "001", "05", hdd}, kLost, -1, -1},
        {true, "b_modificar", {"zz", "nueva", "9"}, {"2", "ANA", "NUEVA", "001", "03", hdd}},
        {true, "b_modificar", {"", "", ""}, none, uinc},
        // The account: a code becomes its entry on leaving the field, anything else goes.
        {false, "b_incluir", {"003xyz", "ab-12345678", "1500"},
         {"1", "2024-05-10", "001", "003", "AB-1234567", qint64(150000000000)}},
        {false, "b_incluir", {"0a", "9", "5"}, {"1", "2024-05-10", "001", "", "9", qint64(500)}, dinc, -1, 0, 100},
        {false, "b_incluir", {"002", "0004518", "1"}, {"1", "2024-05-10", "001", "002", "0004518", qint64(100000000)},
         dexists},
        {false, "b_modificar", {"", "", "9.5"}, {"2", "2024-05-03", "001", "002", "77", qint64(950000000)}},
        {false, "b_modificar", {"", "", ""}, row1, processed, 3},
        {false, "b_modificar", {"", "", ""}, row1, {}, 4},
        {false, "b_modificar", {"", "", ""}, row1, {}, -1, 1},
        {false, "b_modificar", {"", "", ""}, row1, kLost, -1, 2},
        {false, "b_modificar", {"", "", ""}, row1, {}, -1, 1, 1e8, "dspcdp"},
        {false, "b_modificar", {"", "", "5"}, none, kLost, -1, 2, 1e8, "dspcdp"},  // nothing filled nor locked
        {false, "b_incluir", {"001", "1", "0."}, none, kMonto},
        {false, "b_incluir", {"001", "1", "999999999999999"}, none, kMonto},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        AdminShell s;
        s.t->ses_val.mod_sys = s.t->ses_val.jug_sys = c.mod;
        const QString proc = c.users ? "actusr" : "actdpo";
        if (c.answer >= 0)
            s.t.srv->register_procedure(proc, [&c](central::Request& r) { return r.status = c.answer, true; });
        c.fails < 0 ? s.t.srv->error_next(1, proc) : s.t.srv->fail_next(c.fails, c.lose ? c.lose : proc);
        const bool lost = c.fails < 0 || c.fails == 2;
        auto* w = s.open_list(c.users);
        w->lista->setCurrentItem(w->lista->topLevelItem(1));
        const bool inc = QString(c.button) == "b_incluir";
        QString opened;
        bool open_after = false;
        s.with_modal([&] { w->findChild<QPushButton*>(c.button)->click(); }, [&](QWidget* d) {
            QList<QWidget*> f;
            for (const char* name : c.users ? std::vector{"tx_user", "tx_clav", "tx_caja"}
                                            : std::vector{"tx_codbco", "tx_nummov", "tx_monto", "tx_fech"})
                f << d->findChild<QWidget*>(name);
            opened = texts(f).join('|') + "|";
            for (QWidget* e : f)
                opened += !e->isEnabled() ? '.' : e->hasFocus() ? 'F' : 'e';
            for (int i = 0; i < c.typed.size(); ++i) {
                if (!c.users)  // the account is looked up on leaving it
                    f[i]->setFocus();
                QTest::keyClicks(f[i], c.typed[i]);
            }
            d->findChild<QPushButton*>("b_aceptar")->click();
            open_after = d->isVisible();
        });
        EXPECT_EQ(opened, c.users ? (inc ? "|||Fee" : "ANA||03|.F.")
                                  : (inc || (c.lose && lost) ? "|||2024-05-10|Feee" : "002|77|1.23|2024-05-03|..F."));
        EXPECT_EQ(s.t.srv->calls(proc).value(0).values, c.sent);
        EXPECT_EQ(s.boxes(), c.box.isEmpty() ? QStringList{} : QStringList{c.box});
        // Closed after every call (only a refused amount keeps it open), the list read again
        // unless the connection is lost, the row at the same position selected.
        EXPECT_EQ(open_after, c.box == kMonto);
        EXPECT_TRUE(c.lose || s.t.srv->calls(c.users ? "dspusr" : "dspdpo").size() == (lost ? 1 : 2));
        EXPECT_EQ(w->selected_pos(), inc && !lost ? 0 : 1);
    }
    AdminShell s;
    actusr(*s.t, "1", "ANA", "SECRETO", "001", "055", "0305419896");  // a value too long for its parameter
    qInstallMessageHandler(previous);
    EXPECT_GE(logged.size(), 2);
    EXPECT_FALSE(logged.join('\n').contains("SECRETO", Qt::CaseInsensitive)) << qPrintable(logged.join('\n'));
}

// The amount's keys. "^" selects the text so far (as entering the field does); "<", "H",
// "D" are Left, Home and Delete, dropped: the caret stays at the end; "\b" Backspace.
TEST(MovdpoE, AmountKeys)
{
    const struct { const char* keys; const char* text; double jug = 1e8; } cases[] = {
        {"1500", "1500"}, {"05", "0"},      {"0.5", "0.5"},   {"12.345", "12.34"}, {"12.34\b\b9", "12.9"},
        {"1..2", "1.2"},  {"0.00", "0.0"},  {".00", ".0"},    {"12a-,3", "123"},   {"12^5", "5"},
        {"12^.5", ".5"},  {"12^a", "12"},   {"12^\b", ""},    {"0^5", "5"},        {"12<3", "123"},
        {"12H3", "123"},  {"12<D", "12"},   {"1.5", "15", 1e9}, {"12^.", "12", 1e9},
        {"1234567890123456789", "123456789012345"},
    };
    const QMap<char, Qt::Key> keys{{'<', Qt::Key_Left}, {'H', Qt::Key_Home}, {'D', Qt::Key_Delete}, {'\b', Qt::Key_Backspace}};
    AdminShell s;
    s.with_modal<movdpo_e>([&] { s.open_list(false)->b_incluir->click(); }, [&](movdpo_e* d) {
        d->tx_monto->setFocus();
        for (const auto& c : cases) {
            s.t->ses_val.jug_sys = c.jug;
            d->tx_monto->clear();
            for (const char* k = c.keys; *k; ++k)
                if (*k == '^')
                    d->tx_monto->selectAll();
                else if (keys.contains(*k))
                    QTest::keyClick(d->tx_monto, keys[*k]);
                else
                    QTest::keyClicks(d->tx_monto, QString(QChar(*k)));
            EXPECT_EQ(d->tx_monto->text(), c.text) << c.keys;
        }
    });
}

// A typed amount in stored units: cut to two decimals, nothing below a hundredth of a
// unit, nothing beyond 64 bits, the divisor included.
TEST(MovdpoE, AmountInStoredUnits)
{
    const qint64 no = -1;
    const struct { const char* text; double mod; qint64 units; } cases[] = {
        {"1500", 1e8, 150000000000}, {"12.349", 1e8, 1234000000}, {"1,5", 1e8, 150000000}, {"0.001", 1e8, no},
        {"0.", 1e8, no}, {"1.2.3", 1e8, no}, {"-5", 1e8, no}, {"5", 100, 500}, {"0.015", 1000, 10}, {"0.01", 1, no},
        {"0.5", 1, 1}, {"2.5", 1, 3}, {"0.49", 1, no}, {"0.05", 10, 1}, {"2.35", 10, 24}, {"2.34", 10, 23}, {"0.04", 10, no},
        {"92233720368.54", 1e8, 9223372036854000000}, {"92233720368.55", 1e8, no},
        {"1", 1e30, no},  // a divisor beyond 64 bits, as a login may set it
    };
    for (const auto& c : cases) {
        MonCtx m;
        m.mod_sys = c.mod;
        qint64 units = no;
        EXPECT_EQ(monto_units(m, c.text, units), c.units != no) << c.text << " " << c.mod;
        EXPECT_EQ(units, c.units) << c.text << " " << c.mod;
    }
}

} // namespace
