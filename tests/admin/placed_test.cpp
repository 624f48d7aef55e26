// What the administration windows read is what they can place and send back: a value of
// another form refuses the whole answer (the lost-connection message, nothing to save or
// delete); one of the right form, even one this program does not know, goes back as it
// came. After any load an unchanged "Aceptar" leaves the server's tables as they were, and
// a save that stops partway says so.
#include "admin/movdpo_e.h"
#include "admin/onoff_list.h"
#include "admin/parsys.h"
#include "admin/usuarios.h"
#include "tests/admin/fixture.h"

#include <algorithm>

namespace {

namespace spoil = central::spoil;

const QString kAsk = "¿Desea eliminar el registro seleccionado?" + QString(5, ' ');
const QString kNoDel = "No hay registros para eliminar." + QString(10, ' ');

using Rows = QList<QPair<QString, QString>>;

// A point over row k of the list; over its top while it has no such row.
QPoint row_at(const QTreeWidget* lista, int k)
{
    const QTreeWidgetItem* row = lista->topLevelItem(k);
    return row ? lista->visualItemRect(row).center() : QPoint(5, 5);
}

// The outlet's parameters: every one the window shows or bounds, each once.
const Rows kParams = {{"TVENCE_TIK", "3"}, {"JUGADA_MIN", "100000000"}, {"JUGADA_MIZ", "50000000"},
                      {"JUGADA_MIS", "200000000"}, {"JUGADA_MAX", "100000000000"}, {"JUGADA_MAZ", "50000000"},
                      {"JUGADA_MAS", "150000000"}, {"VENTIK_MIN", "10000000"}, {"VENTIK_MAX", "1000000000000"},
                      {"ANUTIK_VEN", "1"}, {"JUGMIN_SYS", "10000000/1000000000"},
                      {"JUGMAX_SYS", "100000000/100000000000"}, {"TIKMIN_SYS", "10000000/1000000000"},
                      {"TIKMAX_SYS", "100000000000/5000000000000"}};

// ANA's denied codes ("404" and "503" unless given), the second answered as the case's
// value (when one is given), then Enter. A code not of the codes' form refuses the answer:
// nothing to save. One of the form unticks its entry or, when no menu has it, is stored
// again after the table's codes, once (a code stored twice collapses to one).
TEST(PlacedAnswers, PermisosDeniedCodes)
{
    const struct { const char* name; QVariant code; QStringList sent; QStringList denied = {"404", "503"}; } cases[] = {
        {"two digits", "20", {}},
        {"four digits", "5030", {}},
        {"a letter", "5O3", {}},
        {"digits of another script", QString::fromUtf8("٥٠٣"), {}},
        {"a sign", "-50", {}},
        {"a negative number", -503, {}},
        {"a number beyond 32 bits", qint64(50300000000), {}},
        {"a blank before", " 503", {}},
        {"a blank after", "503 ", {}},
        {"empty", "", {}},
        {"a known code as a number", 503, {"404", "503"}},
        {"a code no menu has", "999", {"404", "999"}},
        {"unknown and repeated codes", {}, {"404", "999", "100"}, {"999", "404", "100", "999", "404"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AdminShell s;
        s.model().outlet.users["ANA"].denied = c.denied;
        if (c.code.isValid())
            s.t.srv->spoil_next("getmap", spoil::column("codmnu", c.code, 1));
        auto* u = s.open<usuarios>("userx", "usuarios");
        u->lista->setCurrentItem(u->lista->topLevelItem(1));
        bool enabled = false;
        qsizetype from = 0;
        s.with_modal<onoff_list>([&] { u->b_permiso->click(); }, [&](onoff_list* w) {
            enabled = w->b_aceptar->isEnabled();
            s.t->flg_nocox = 0;  // the keep-alive found the server again
            from = s.t.srv->log.size();
            QTest::keyClick(w, Qt::Key_Return);
        });
        const bool refused = c.sent.isEmpty();
        EXPECT_EQ(s.boxes(), refused ? QStringList{kLost} : QStringList{});
        EXPECT_EQ(enabled, !refused);
        QStringList want{"delmap ANA"};
        for (const QString& code : c.sent)
            want << "actmap ANA " + code;
        EXPECT_EQ(calls_since(*s.t.srv, from), refused ? QStringList{} : want);
    }
}

// Lotteries 001, 002 (switched off) and 003, one value of a row answered as the case's,
// then Enter. A code the save could not send back as it came refuses the answer; every
// state but 0 is switched off and stored as such.
TEST(PlacedAnswers, SorteosCodesAndStates)
{
    const struct { const char* name; central::Spoil spoil; QStringList sent; bool refused = false; } cases[] = {
        {"four characters", spoil::column("codlot", "0021", 1), {}, true},
        {"a blank inside", spoil::column("codlot", "0 2", 1), {}, true},
        {"a blank before", spoil::column("codlot", " 02", 1), {}, true},
        {"empty", spoil::column("codlot", "", 1), {}, true},
        {"a sign", spoil::column("codlot", "-2", 1), {}, true},
        {"a letter of another alphabet", spoil::column("codlot", QString::fromUtf8("0Ñ2"), 1), {}, true},
        {"a tab", spoil::column("codlot", "02\t", 1), {}, true},
        {"filled with blanks to its column", spoil::column("codlot", "02    ", 1), {"02"}},
        {"letters", spoil::column("codlot", "Zb", 1), {"Zb"}},
        {"a number", spoil::column("codlot", 7, 1), {"7"}},
        {"a negative state", spoil::column("stasrt", -3, 0), {"001", "002"}},
        {"a state of 2", spoil::column("stasrt", 2, 2), {"002", "003"}},
        {"offered", spoil::column("stasrt", 0, 1), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AdminShell s;
        auto& lots = s.model().lotteries;
        lots.resize(3);
        for (int k = 0; k < 3; ++k)
            lots[k].codint = lots[k].codlot = QString("00%1").arg(k + 1);
        s.model().outlet.lots_off = {"002"};
        s.t.srv->spoil_next("dsxsrt", c.spoil);
        auto* w = s.open<onoff_list>("sorteo", "sorteos");
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        EXPECT_EQ(w->b_aceptar->isEnabled(), !c.refused);
        s.t->flg_nocox = 0;
        const auto from = s.t.srv->log.size();
        QTest::keyClick(w, Qt::Key_Return);
        EXPECT_EQ(s.boxes(), c.refused ? QStringList{kLost} : QStringList{});
        QStringList want;
        for (const QString& code : c.sent)
            want << "actsrt 001 " + code;
        EXPECT_EQ(calls_since(*s.t.srv, from), c.refused ? QStringList{} : QStringList{"delsrt 001"} + want);
    }
}

// The parameters with one of them stored as the case's value (none: no row of it; no key:
// no rows at all), then Enter. An answer without a parameter the window shows, or with a
// value its field cannot hold or the save could not send back, is refused: nothing shown,
// nothing saved. A value it can hold goes back as it came.
TEST(PlacedAnswers, ParsysParameters)
{
    const QByteArray wide = QByteArray(45, ' ') + "100000000";  // beyond the 50 characters a value travels in
    const struct { const char* key; const char* value; bool refused; } cases[] = {
        {"", nullptr, true},            {"TVENCE_TIK", nullptr, true},  {"JUGADA_MAS", nullptr, true},
        {"VENTIK_MIN", nullptr, true},  {"ANUTIK_VEN", nullptr, true},  {"TVENCE_TIK", "0", true},
        {"TVENCE_TIK", "8", true},      {"TVENCE_TIK", "-1", true},     {"TVENCE_TIK", "+3", true},
        {"TVENCE_TIK", "", true},       {"TVENCE_TIK", "003", true},    {"TVENCE_TIK", "3.0", true},
        {"TVENCE_TIK", "tres", true},   {"TVENCE_TIK", " 3 ", false},   {"TVENCE_TIK", "05", false},
        {"TVENCE_TIK", "7", false},     {"ANUTIK_VEN", "2", true},      {"ANUTIK_VEN", " 0", true},
        {"ANUTIK_VEN", "", true},       {"ANUTIK_VEN", "NO", true},     {"ANUTIK_VEN", "0", false},
        {"JUGADA_MIN", "-100000000", true}, {"JUGADA_MIN", "1.5", true}, {"JUGADA_MIN", "", true},
        {"JUGADA_MIN", "1e8", true},    {"JUGADA_MIZ", "99999999999999999999", true},
        {"JUGADA_MAX", wide.constData(), true},                          {"VENTIK_MAX", "cien", true},
        {"JUGADA_MIN", " 100000000 ", false}, {"JUGADA_MIS", "0", false},
        {"VENTIK_MAX", "9223372036854775807", false},                    {"JUGMIN_SYS", "abc/x", false},
        {"JUGMAX_SYS", nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " " << (c.value ? c.value : "(none)"));
        AdminShell s;
        Rows rows;
        for (const auto& [key, value] : kParams)
            if (key != c.key)
                rows << QPair<QString, QString>{key, value};
            else if (c.value)
                rows << QPair<QString, QString>{key, QString::fromUtf8(c.value)};
        if (!*c.key)
            rows.clear();
        s.model().outlet.params = rows;
        bool enabled = false;
        s.with_modal<parsys>([&] { s.item("par_sys"); }, [&](parsys* w) {
            enabled = w->b_aceptar->isEnabled();
            s.t->flg_nocox = 0;
            QTest::keyClick(w, Qt::Key_Return);
        });
        EXPECT_EQ(s.boxes(), c.refused ? QStringList{kLost} : QStringList{});
        EXPECT_EQ(enabled, !c.refused);
        EXPECT_EQ(s.t.srv->calls("actpaq").size(), c.refused ? 0 : 10);
        EXPECT_EQ(s.t.reg->saved.isEmpty(), c.refused);
        EXPECT_EQ(s.model().outlet.params, rows);
    }
}

// The deposits, one value of row 1 (002, 77, 2024-05-03, 123456789 units) answered as the
// case's, then that row deleted from the pop-up menu. A value the delete or the modify
// could not send back as it came refuses the answer: no rows, nothing to delete.
TEST(PlacedAnswers, MovdpoDeposits)
{
    const QVariantList row1{"3", "2024-05-03", "001", "002", "77", qint64(123456789)};
    const auto with = [&row1](int at, const QVariant& v) {
        QVariantList l = row1;
        l[at] = v;
        return l;
    };
    const struct { const char* name; central::Spoil spoil; QVariantList sent; double mod = 1e8; } cases[] = {
        {"a bank code of four", spoil::column("codbco", "0021", 1), {}},
        {"an empty bank code", spoil::column("codbco", "", 1), {}},
        {"a bank code of blanks", spoil::column("codbco", "   ", 1), {}},
        {"a bank code filled with blanks", spoil::column("codbco", "02    ", 1), with(3, "02")},
        {"a number of eleven", spoil::column("numero", "12345678901", 1), {}},
        {"a number filled with blanks", spoil::column("numero", "0123456789  ", 1), with(4, "0123456789")},
        {"a date before 1753", spoil::column("fecmov", QDate(1700, 1, 1), 1), {}},
        {"a date beyond 9999", spoil::column("fecmov", QDate(10000, 1, 1), 1), {}},
        {"a date with a time", spoil::column("fecmov", QDateTime(QDate(2024, 5, 3), QTime(10, 30)), 1), row1},
        {"a date as text", spoil::column("fecmov", "03/05/2024", 1), row1},
        {"an amount of 0", spoil::column("monto", 0, 1), {}},
        {"a negative amount", spoil::column("monto", qint64(-123456789), 1), {}},
        {"an amount longer than its field", spoil::column("monto", qint64(9000000000000000000), 1), {}, 100},
        {"the longest amount its field holds", spoil::column("monto", qint64(99999999999999), 1),
         with(5, qint64(99999999999999)), 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AdminShell s;
        s.t->ses_val.mod_sys = s.t->ses_val.jug_sys = c.mod;
        s.t.srv->spoil_next("dspdpo", c.spoil);
        auto* w = s.open_list(false);
        const bool refused = c.sent.isEmpty();
        EXPECT_EQ(w->lista->topLevelItemCount(), refused ? 0 : 3);
        EXPECT_EQ(w->b_eliminar->isEnabled(), !refused);
        s.t->flg_nocox = 0;
        s.popup_item(w->lista, "dpo_eliminar", row_at(w->lista, 1));
        EXPECT_EQ(s.boxes(), refused ? QStringList({kLost, kNoDel}) : QStringList{kAsk});
        EXPECT_EQ(s.t.srv->calls("actdpo").value(0).values, c.sent);
    }
}

// The bank accounts, the second's code answered as the case's; a deposit included with
// that account typed by its code. The dialog sends the first three characters of the
// account's entry, "code - name": a code they do not give back as it came (longer, empty,
// of one character) refuses the answer: no accounts.
TEST(PlacedAnswers, MovdpoEAccounts)
{
    const struct { QVariant code; QStringList entries; const char* sent; } cases[] = {
        {"0021", {}, nullptr},
        {"", {}, nullptr},
        {"   ", {}, nullptr},
        {"2", {}, nullptr},
        {"002    ", {"001 - BANCO DE VENEZUELA", "002     - BANESCO", "003 - MERCANTIL"}, "002"},
        {20, {"001 - BANCO DE VENEZUELA", "20 - BANESCO", "003 - MERCANTIL"}, "20 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code.toString().toStdString());
        AdminShell s;
        s.t.srv->spoil_next("dspcdp", spoil::column("codbco", c.code, 1));
        auto* w = s.open_list(false);
        QStringList entries;
        s.with_modal<movdpo_e>([&] { w->b_incluir->click(); }, [&](movdpo_e* d) {
            for (int k = 0; k < d->tx_codbco->count(); ++k)
                entries << d->tx_codbco->itemText(k);
            QTest::keyClicks(d->tx_codbco, c.sent ? c.sent : "002");
            QTest::keyClick(d->tx_codbco, Qt::Key_Tab);
            QTest::keyClicks(d->tx_nummov, "5");
            QTest::keyClick(d->tx_nummov, Qt::Key_Tab);
            QTest::keyClicks(d->tx_monto, "10");
            QTest::keyClick(d->tx_monto, Qt::Key_Return);
        });
        EXPECT_EQ(entries, c.entries);
        EXPECT_EQ(s.boxes().contains(kLost), !c.sent);
        EXPECT_EQ(s.t.srv->calls("actdpo").value(0).values.value(3), c.sent ? QVariant(c.sent) : QVariant());
    }
}

// The users, one value of ANA's row answered as the case's, then that row deleted from the
// pop-up menu. A value the delete, the modify or the permissions could not send back as
// it came refuses the answer: no rows, nothing to delete.
TEST(PlacedAnswers, UsuariosUsers)
{
    const QVariantList ana{"3", "ANA       ", QVariant(), QVariant(), QVariant(), "0305419896"};
    const auto as = [&ana](const QString& name) {
        QVariantList l = ana;
        l[1] = name;
        return l;
    };
    const struct { const char* name; central::Spoil spoil; QVariantList sent; } cases[] = {
        {"a name of eleven", spoil::column("logusr", "ANABELLA123", 1), {}},
        {"a name with a blank before", spoil::column("logusr", " ANA", 1), {}},
        {"a name without its fill", spoil::column("logusr", "ANA", 1), as("ANA")},
        {"a null name", spoil::column("logusr", QVariant(), 1), as("")},
        {"a caja of one digit", spoil::column("iduser", "3", 1), {}},
        {"a caja of three", spoil::column("iduser", "003", 1), {}},
        {"a caja with a blank", spoil::column("iduser", " 3", 1), {}},
        {"a caja as a number", spoil::column("iduser", 3, 1), {}},
        {"a caja of two", spoil::column("iduser", "13", 1), ana},
        {"a long password", spoil::column("pwdusr", "UNA CLAVE DE TREINTA LETRAS...", 1), ana},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AdminShell s;
        s.t.srv->spoil_next("dspusr", c.spoil);
        auto* w = s.open_list(true);
        const bool refused = c.sent.isEmpty();
        EXPECT_EQ(w->lista->topLevelItemCount(), refused ? 0 : 3);
        EXPECT_EQ(w->b_eliminar->isEnabled(), !refused);
        s.t->flg_nocox = 0;
        s.popup_item(w->lista, "usr_eliminar", row_at(w->lista, 1));
        EXPECT_EQ(s.boxes(), refused ? QStringList({kLost, kNoDel}) : QStringList{kAsk});
        EXPECT_EQ(s.t.srv->calls("actusr").value(0).values, c.sent);
    }
}

// The tables the administration windows save to, as text: the users with their
// passwords, cajas and denied codes (a set: the server keeps rows, in no order), the
// parameters, the lotteries switched off and the deposits.
QStringList tables(const central::Model& m)
{
    QStringList out;
    for (auto u = m.outlet.users.cbegin(); u != m.outlet.users.cend(); ++u) {
        QStringList denied = u->denied;
        denied.sort();
        out << u.key() + "|" + u->password + "|" + u->caja + "|" + denied.join(',');
    }
    for (const auto& [key, value] : m.outlet.params)
        out << key + "=" + value;
    QStringList off(m.outlet.lots_off.cbegin(), m.outlet.lots_off.cend());
    off.sort();
    out << "off " + off.join(',');
    for (const auto& d : m.outlet.deposits)
        out << QStringList{d.fecha.toString(Qt::ISODate), d.codbco, d.numero, QString::number(d.monto)}.join('|');
    return out;
}

// Every administration window opened on data the server keeps in its own forms (blanks
// around values, a code no menu of this program has, an amount that is no whole hundredth)
// and saved unchanged: its calls go, and every table is as it was.
TEST(PlacedAnswers, UnchangedSavesLeaveTheServersTablesAsTheyWere)
{
    AdminShell s;
    central::Outlet& o = s.model().outlet;
    o.users["ANA"].denied = {"999", "404", "202"};
    o.users["CAJERO"].denied = {"503"};
    o.params = kParams;
    o.params[0].second = " 3 ";
    o.params[1].second = " 100000000 ";
    o.params[2].second = "50000001";
    auto& lots = s.model().lotteries;
    lots.resize(4);
    for (int k = 0; k < 4; ++k)
        lots[k].codint = lots[k].codlot = QString("L%1").arg(k);
    o.lots_off = {"L1", "L3"};
    const QStringList before = tables(s.model());
    const auto enter = [](QWidget* d) { QTest::keyClick(d, Qt::Key_Return); };

    auto* u = s.open<usuarios>("userx", "usuarios");
    for (int k = 0; k < u->lista->topLevelItemCount(); ++k)
        for (QPushButton* b : {u->b_modificar, u->b_permiso}) {
            u->lista->setCurrentItem(u->lista->topLevelItem(k));
            s.with_modal([b] { b->click(); }, enter);
        }
    auto* l = s.open<onoff_list>("sorteo", "sorteos");
    ASSERT_TRUE(QTest::qWaitForWindowActive(l));
    enter(l);
    s.with_modal([&] { s.item("par_sys"); }, enter);
    auto* d = s.open_list(false);
    for (int k = 0; k < d->lista->topLevelItemCount(); ++k) {
        d->lista->setCurrentItem(d->lista->topLevelItem(k));
        s.with_modal([d] { d->b_modificar->click(); }, enter);
    }

    EXPECT_EQ(tables(s.model()), before);
    EXPECT_FALSE(s.boxes().contains(kLost));
    EXPECT_EQ(calls_since(*s.t.srv, 0, "actmap"), QStringList({"ANA 202", "ANA 404", "ANA 999", "CAJERO 503"}));
    for (const char* proc : {"delmap", "delsrt", "actsrt", "actpaq", "actdpo"})
        EXPECT_FALSE(s.t.srv->calls(proc).isEmpty()) << proc;
}

// A save of the parameters that stops partway says so, with the lost-connection message:
// an amount chosen that is too long for the parameter that carries it (a divisor the login
// set beyond what it can carry), or a connection found lost while the window was open
// (then nothing is sent).
TEST(PlacedAnswers, ASaveThatStopsPartwaySaysSo)
{
    const struct { double mod; bool lost; int sent; } cases[] = {{1e60, false, 4}, {1e8, true, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mod);
        AdminShell s;
        s.t->ses_val.mod_sys = s.t->ses_val.jug_sys = c.mod;
        s.model().outlet.params = kParams;
        s.model().outlet.params[11].second = "0/1e61";  // the play maximums offer 1, 2, 5 and 10 units
        bool open = true;
        s.with_modal<parsys>([&] { s.item("par_sys"); }, [&](parsys* w) {
            QTest::keyClick(w->tx_jmax, Qt::Key_Down);
            s.t->flg_nocox = c.lost;
            QTest::keyClick(w, Qt::Key_Return);
            open = w->isVisible();
        });
        EXPECT_EQ(s.boxes(), QStringList{kLost});
        EXPECT_EQ(s.t.srv->calls("actpaq").size(), c.sent);
        EXPECT_FALSE(open);
    }
}

} // namespace
