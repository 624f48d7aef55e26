// What the administration windows read is what they can place and send back: a value of
// another form refuses the whole answer (the lost-connection message, nothing to save or
// delete); one of the right form, even one this program does not know, goes back as it
// came. After any load an unchanged "Aceptar" leaves the server's tables as they were, and
// a save that stops partway says so.
#include "admin/movdpo_e.h"
#include "admin/onoff_list.h"
#include "admin/parsys.h"
#include "admin/usuarios.h"
#include "core/login/conexion.h"
#include "core/login/windows.h"
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
// value (when one is given), then Enter. A denied code is matched without the blanks around
// it; one no menu has is stored again after the table's codes, once (a code stored twice
// collapses to one), as it came but for the blanks that fill its column; one too long for
// the parameter it would go back in goes with the save. Only a code that cannot be read as
// a text refuses the answer: nothing to save.
TEST(PlacedAnswers, PermisosDeniedCodes)
{
    const struct {
        const char* name;
        QVariant code;
        QStringList sent;
        QStringList denied = {"404", "503"};
        bool spoiled = true;
    } cases[] = {
        {"two digits", "20", {"404", "20"}},
        {"four digits", "5030", {"404"}},
        {"a letter", "5O3", {"404", "5O3"}},
        {"digits of another script", QString::fromUtf8("٥٠٣"), {"404", QString::fromUtf8("٥٠٣")}},
        {"a sign", "-50", {"404", "-50"}},
        {"a negative number", -503, {"404"}},
        {"a number beyond 32 bits", qint64(50300000000), {"404"}},
        {"a blank before", " 503", {"404", "503"}},
        {"a blank after", "503 ", {"404", "503"}},
        {"blanks on both sides", "  503  ", {"404", "503"}},
        {"an unknown code filled beyond its parameter", "20     ", {"404", "20"}},
        {"a tab before", "\t503", {"404"}},
        {"empty", "", {"404", ""}},
        {"a known code as a number", 503, {"404", "503"}},
        {"a code no menu has", "999", {"404", "999"}},
        {"a code no menu has with a blank before", " 99", {"404", " 99"}},
        {"a code no menu has, too long with its blank before", " 999", {"404"}},
        {"unknown and repeated codes", {}, {"404", "999", "100"}, {"999", "404", "100", "999", "404"}, false},
        {"a known code with blanks and the same without", {}, {"404"}, {" 404 ", "404"}, false},
        {"null", QVariant(), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AdminShell s;
        s.model().outlet.users["ANA"].denied = c.denied;
        if (c.spoiled)
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

// A denied code with blanks on both sides of 404 hides "Cuadre de Caja" at ANA's login, and
// the permissions window the supervisor opens for her shows 404 denied: Enter keeps it so.
TEST(PlacedAnswers, LoginAndPermisosReadADeniedCodeAlike)
{
    AdminShell s;
    register_login_windows(*s.t);
    s.model().outlet.users["ANA"].denied = {" 404 "};
    const auto login = [&s](const char* user, const char* clav) {
        s.with_modal<conexion>([&] { s.item("conex"); }, [&](conexion* w) {
            w->tx_user->clear();
            w->tx_clav->clear();
            QTest::keyClicks(w->tx_user, user);
            QTest::keyClicks(w->tx_clav, clav);
            w->tx_dtbs->setEditText(QString());
            QTest::keyClicks(w->tx_dtbs, "DEMO");
            QTest::mouseClick(w->b_conectar, Qt::LeftButton);
        });
    };
    login("ANA", "ROSA");
    ASSERT_EQ(s.t->ses_val.cod_caj, "03");
    EXPECT_FALSE(s.t->mnu.value("rep_caj")->isVisible());
    EXPECT_TRUE(s.t->mnu.value("rep_lup")->isVisible());
    login("ADMIN", "CLAVE");
    ASSERT_EQ(s.t->ses_val.cod_caj, "00");
    EXPECT_TRUE(s.t->mnu.value("rep_caj")->isVisible());
    auto* u = s.open<usuarios>("userx", "usuarios");
    u->lista->setCurrentItem(u->lista->topLevelItem(1));
    ASSERT_EQ(u->usuario().trimmed(), "ANA");
    QString ticked;
    const qsizetype from = s.t.srv->log.size();
    s.with_modal<onoff_list>([&] { u->b_permiso->click(); }, [&](onoff_list* w) {
        ticked = ticks(w->lista);
        QTest::keyClick(w, Qt::Key_Return);
    });
    EXPECT_EQ(ticked, "xxxxxxx.xx");
    EXPECT_EQ(calls_since(*s.t.srv, from), QStringList({"getmap ANA", "delmap ANA", "actmap ANA 404"}));
    EXPECT_TRUE(s.boxes().isEmpty()) << qPrintable(s.boxes().join('|'));
}

// Lotteries 001, 002 (switched off) and 003, one value of a row answered as the case's,
// then Enter. A code is sent trimmed, of whatever characters it is; one longer than three
// once trimmed, or one that cannot be read as a text, refuses the answer. Every state but 0
// is switched off and stored as such.
TEST(PlacedAnswers, SorteosCodesAndStates)
{
    const struct { const char* name; central::Spoil spoil; QStringList sent; bool refused = false; } cases[] = {
        {"four characters", spoil::column("codlot", "0021", 1), {}, true},
        {"four once trimmed", spoil::column("codlot", " 0021 ", 1), {}, true},
        {"null", spoil::column("codlot", QVariant(), 1), {}, true},
        {"a blank inside", spoil::column("codlot", "0 2", 1), {"0 2"}},
        {"a blank before", spoil::column("codlot", " 02", 1), {"02"}},
        {"blanks on both sides", spoil::column("codlot", "  02  ", 1), {"02"}},
        {"empty", spoil::column("codlot", "", 1), {""}},
        {"a sign", spoil::column("codlot", "-2", 1), {"-2"}},
        {"a letter of another alphabet", spoil::column("codlot", QString::fromUtf8("0Ñ2"), 1), {QString::fromUtf8("0Ñ2")}},
        {"a tab", spoil::column("codlot", "02\t", 1), {"02\t"}},
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

// The parameters with one of them stored as the case's value (none: no row of it), or
// twice (the later row given), its field perhaps set by the user's keys, then Enter: the
// text of its field, what the save sends for it (null: nothing) and what the sale then holds
// for it. Rows are matched by key and the later row of a key is its value. A parameter
// without a row shows empty (the annulment choice shows the program's value) and goes to the
// server only once the user sets it; until then the sale keeps its value. The days show
// trimmed and go trimmed, within 1 to 7 ("05" stays); the annulment choice shows "SI" for
// "0" only; an amount left as loaded goes as the server sent it, without the blanks around
// it; an empty field goes as "0". Only a value longer than the 50 characters actpaq carries,
// once trimmed, refuses the answer: nothing shown, nothing saved.
TEST(PlacedAnswers, ParsysParameters)
{
    const QByteArray wide = QByteArray(45, ' ') + "100000000";
    const QByteArray long_digits(51, '1');
    const QByteArray widest(50, '1');
    const char* const ten[] = {"TVENCE_TIK", "JUGADA_MIN", "JUGADA_MIZ", "JUGADA_MIS", "JUGADA_MAX",
                               "JUGADA_MAZ", "JUGADA_MAS", "VENTIK_MIN", "VENTIK_MAX", "ANUTIK_VEN"};
    struct Case {
        const char* key;
        const char* value;
        const char* shown;
        const char* sent;
        const char* earlier = nullptr;  // a row of the same key before it
        bool refused = false;
        const char* keys = nullptr;     // typed into its field ("<down>", "<up>": an entry chosen)
    };
    std::vector<Case> cases = {
        // Without a row, left as loaded: nothing goes.
        {"TVENCE_TIK", nullptr, "", nullptr},
        {"JUGADA_MIN", nullptr, "", nullptr},
        {"JUGADA_MIZ", nullptr, "", nullptr},
        {"JUGADA_MIS", nullptr, "", nullptr},
        {"JUGADA_MAX", nullptr, "", nullptr},
        {"JUGADA_MAZ", nullptr, "", nullptr},
        {"JUGADA_MAS", nullptr, "", nullptr},
        {"VENTIK_MIN", nullptr, "", nullptr},
        {"VENTIK_MAX", nullptr, "", nullptr},
        {"ANUTIK_VEN", nullptr, "SI", nullptr},  // the program's value: "0"
        // Without a row, set by the user: it goes as the save takes it. The lists' first
        // entries: 0.10 (play and ticket minimums), 1 (play maximums), 1.000 (ticket maximum).
        {.key = "TVENCE_TIK", .value = nullptr, .shown = "", .sent = "4", .keys = "4"},
        {.key = "TVENCE_TIK", .value = nullptr, .shown = "", .sent = "7", .keys = "9"},
        {.key = "TVENCE_TIK", .value = nullptr, .shown = "", .sent = "1", .keys = "0"},
        {.key = "JUGADA_MIN", .value = nullptr, .shown = "", .sent = "10000000", .keys = "<down>"},
        {.key = "JUGADA_MIZ", .value = nullptr, .shown = "", .sent = "10000000", .keys = "<down>"},
        {.key = "JUGADA_MIS", .value = nullptr, .shown = "", .sent = "10000000", .keys = "<down>"},
        {.key = "JUGADA_MAX", .value = nullptr, .shown = "", .sent = "100000000", .keys = "<down>"},
        {.key = "JUGADA_MAZ", .value = nullptr, .shown = "", .sent = "100000000", .keys = "<down>"},
        {.key = "JUGADA_MAS", .value = nullptr, .shown = "", .sent = "100000000", .keys = "<down>"},
        {.key = "VENTIK_MIN", .value = nullptr, .shown = "", .sent = "10000000", .keys = "<down>"},
        {.key = "VENTIK_MAX", .value = nullptr, .shown = "", .sent = "100000000000", .keys = "<down>"},
        {.key = "ANUTIK_VEN", .value = nullptr, .shown = "SI", .sent = "1", .keys = "<down>"},
        {.key = "ANUTIK_VEN", .value = nullptr, .shown = "SI", .sent = "0", .keys = "<down><up>"},  // chosen back
        {"TVENCE_TIK", "0", "0", "1"},
        {"TVENCE_TIK", "8", "8", "7"},
        {"TVENCE_TIK", "12", "12", "7"},
        {"TVENCE_TIK", "-1", "-1", "1"},
        {"TVENCE_TIK", "", "", "1"},
        {"TVENCE_TIK", "tres", "tr", "1"},
        {"TVENCE_TIK", " 3 ", "3", "3"},
        {"TVENCE_TIK", "05", "05", "05"},
        {"TVENCE_TIK", "7", "7", "7"},
        {"TVENCE_TIK", "4", "4", "4", "5"},
        {"TVENCE_TIK", "4", "4", "4", long_digits.constData()},
        {"TVENCE_TIK", long_digits.constData(), nullptr, nullptr, "4", true},
        {"ANUTIK_VEN", "2", "NO", "1"},
        {"ANUTIK_VEN", " 0", "NO", "1"},
        {"ANUTIK_VEN", "0 ", "NO", "1"},
        {"ANUTIK_VEN", "", "NO", "1"},
        {"ANUTIK_VEN", "NO", "NO", "1"},
        {"ANUTIK_VEN", "0", "SI", "0"},
        {"ANUTIK_VEN", "0", "SI", "0", "1"},
        {"JUGADA_MIN", "-100000000", "-1.00", "-100000000"},
        {"JUGADA_MIN", "", "0", "0"},
        {"JUGADA_MIN", " 100000000 ", "1", "100000000"},
        {"JUGADA_MIN", "1e8", "1", "1e8"},
        {"JUGADA_MIS", "0", "0", "0"},
        {"JUGADA_MIZ", "99999999999999999999", "1000000000000.00", "99999999999999999999"},
        {"JUGADA_MAX", wide.constData(), "1", "100000000"},
        {"JUGADA_MAX", long_digits.constData(), nullptr, nullptr, nullptr, true},
        {"VENTIK_MAX", "cien", "0", "cien"},
        {"VENTIK_MAX", "9223372036854775807", "92233720368.55", "9223372036854775807"},
        {"JUGMIN_SYS", "abc/x", nullptr, nullptr},
        {"JUGMAX_SYS", nullptr, nullptr, nullptr},
    };
    // The longest value each parameter goes back in is taken, and sent back as the save
    // takes it: the days field holds two of its digits; one more character refuses.
    for (const char* key : ten) {
        const QString k = QLatin1String(key);
        const char* sent = k == "TVENCE_TIK" ? "7" : k == "ANUTIK_VEN" ? "1" : widest.constData();
        cases.push_back({key, widest.constData(), k == "TVENCE_TIK" ? "11" : nullptr, sent});
        cases.push_back({key, long_digits.constData(), nullptr, nullptr, nullptr, true});
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " " << (c.value ? c.value : "(none)")
                                        << (c.earlier ? " after " : "") << (c.earlier ? c.earlier : "")
                                        << (c.keys ? " set by " : "") << (c.keys ? c.keys : ""));
        AdminShell s;
        const QString before = "77";
        LimVta& lim = s.t->lim_vta;
        for (QString* limit : {&lim.jug_min, &lim.jug_miz, &lim.jug_mis, &lim.jug_max, &lim.jug_maz, &lim.jug_mas,
                               &lim.vta_min, &lim.vta_max})
            *limit = before;
        Rows rows;
        for (const auto& [key, value] : kParams) {
            if (key != c.key) {
                rows << QPair<QString, QString>{key, value};
                continue;
            }
            if (c.earlier)
                rows << QPair<QString, QString>{key, QString::fromUtf8(c.earlier)};
            if (c.value)
                rows << QPair<QString, QString>{key, QString::fromUtf8(c.value)};
        }
        s.model().outlet.params = rows;
        const bool refused = c.refused;
        bool enabled = false;
        QString shown;
        s.with_modal<parsys>([&] { s.item("par_sys"); }, [&](parsys* w) {
            enabled = w->b_aceptar->isEnabled();
            const std::map<QString, QWidget*> fields = {
                {"TVENCE_TIK", w->tx_vent}, {"JUGADA_MIN", w->tx_jmin}, {"JUGADA_MIZ", w->tx_jmiz},
                {"JUGADA_MIS", w->tx_jmis}, {"JUGADA_MAX", w->tx_jmax}, {"JUGADA_MAZ", w->tx_jmaz},
                {"JUGADA_MAS", w->tx_jmas}, {"VENTIK_MIN", w->tx_tmin}, {"VENTIK_MAX", w->tx_tmax},
                {"ANUTIK_VEN", w->tx_anut}};
            if (const auto f = fields.find(c.key); f != fields.end()) {
                shown = texts({f->second})[0];
                for (QString k = QLatin1String(c.keys); !k.isEmpty();) {
                    if (k.startsWith("<down>") || k.startsWith("<up>")) {
                        QTest::keyClick(f->second, k.startsWith("<down>") ? Qt::Key_Down : Qt::Key_Up);
                        k.remove(0, k.indexOf('>') + 1);
                    } else {
                        QTest::keyClicks(f->second, k.left(1));
                        k.remove(0, 1);
                    }
                }
            }
            QTest::keyClick(w, Qt::Key_Return);
        });
        EXPECT_EQ(s.boxes(), refused ? QStringList{kLost} : QStringList{});
        EXPECT_EQ(enabled, !refused);
        EXPECT_EQ(s.t.reg->saved.isEmpty(), refused);
        if (c.shown) {
            EXPECT_EQ(shown, c.shown);
        }
        // Every parameter goes, in the server's order, but one without a row left alone.
        QStringList keys, want;
        QString sent;
        for (const central::Call& call : s.t.srv->calls("actpaq")) {
            keys << call.values.value(1).toString();
            if (call.values.value(1) == c.key)
                sent = call.values.value(2).toString();
        }
        for (const char* key : ten)
            if (!refused && (c.sent || QLatin1String(key) != c.key))
                want << QLatin1String(key);
        EXPECT_EQ(keys, want);
        EXPECT_EQ(sent, c.sent ? QString::fromUtf8(c.sent) : QString());
        // What the sale holds: the amount or choice saved, or what it held before.
        const std::map<QString, QString*> held = {
            {"JUGADA_MIN", &lim.jug_min}, {"JUGADA_MIZ", &lim.jug_miz}, {"JUGADA_MIS", &lim.jug_mis},
            {"JUGADA_MAX", &lim.jug_max}, {"JUGADA_MAZ", &lim.jug_maz}, {"JUGADA_MAS", &lim.jug_mas},
            {"VENTIK_MIN", &lim.vta_min}, {"VENTIK_MAX", &lim.vta_max}, {"ANUTIK_VEN", &s.t->ses_val.anu_ven}};
        if (const auto h = held.find(c.key); h != held.end()) {
            EXPECT_EQ(*h->second, c.sent ? QString::fromUtf8(c.sent) : c.key == QLatin1String("ANUTIK_VEN") ? "0" : before);
        }
    }
}

// The parameters answered without a row of the ten the window sends back (a new outlet: no
// rows at all, rows of other names, the bounds alone): the outlet, the local settings and the
// amount choices of whatever bounds came are shown, every parameter empty, and "Aceptar"
// works. Left alone it sends nothing and saves the settings as shown; days typed send only
// the days, a message typed is only saved here, an amount chosen sends only that amount.
TEST(PlacedAnswers, ParsysWithoutRows)
{
    const QStringList sub = {"0.01", "0.02", "0.05", "0.10", "0.20", "0.50"};
    const struct {
        const char* name;
        Rows rows;
        QStringList jmin, jmax, tmax;  // the choices of three of the amount lists
        const char* jmin_first;        // what the first entry of tx_jmin and of tx_tmax store
        const char* tmax_first;
    } answers[] = {
        {"no rows", {}, sub, {}, {}, "1000000", nullptr},
        {"rows of other names",
         {{"tvence_tik", "3"}, {"TVENCE_TIK ", "3"}, {" JUGADA_MIN", "100000000"}, {"JUGADA_MI", "100000000"},
          {"VENTIK-MAX", "1000000000000"}, {"ANUTIK_VE", "1"}, {"JUGADA_SYS", "1"}},
         sub, {}, {}, "1000000", nullptr},
        {"the bounds alone", kParams.mid(10), {"0.10", "0.20", "0.50", "1", "2", "5", "10"},
         {"1", "2", "5", "10", "20", "50", "100", "200", "500", "1.000"},
         {"1.000", "2.000", "5.000", "10.000", "20.000", "50.000"}, "10000000", "100000000000"},
    };
    const QStringList settings = {"sys_smod=100000000", "sys_modv=1", "sys_zord=1", "sys_rlot=0", "rep_enca=1",
                                  "rep_juga=2", "rep_simb=0", "rep_agot=3"};
    const struct {
        const char* name;
        std::function<void(parsys*)> keys;
        QStringList sent;
        const char* mens = "GRACIAS";
    } edits[] = {
        {"left alone", [](parsys*) {}, {}},
        {"days typed", [](parsys* w) { QTest::keyClicks(w->tx_vent, "4"); }, {"001 TVENCE_TIK 4"}},
        {"days typed beyond the week", [](parsys* w) { QTest::keyClicks(w->tx_vent, "9"); }, {"001 TVENCE_TIK 7"}},
        {"the message typed", [](parsys* w) { QTest::keyClicks(w->tx_mens, " y vuelva"); }, {}, "GRACIAS Y VUELVA"},
        {"the first play minimum chosen", [](parsys* w) { QTest::keyClick(w->tx_jmin, Qt::Key_Down); },
         {"001 JUGADA_MIN *"}},
        {"the ticket maximum's list keyed", [](parsys* w) { QTest::keyClick(w->tx_tmax, Qt::Key_Down); },
         {"001 VENTIK_MAX *"}},
        {"the annulment chosen", [](parsys* w) { QTest::keyClick(w->tx_anut, Qt::Key_Down); },
         {"001 ANUTIK_VEN 1"}},
    };
    for (const auto& a : answers)
        for (const auto& e : edits) {
            SCOPED_TRACE(testing::Message() << a.name << ", " << e.name);
            AdminShell s;
            s.model().outlet.params = a.rows;
            auto& cfg = s.t->cfg_reg;
            cfg.sys_mens = "  GRACIAS ";
            cfg.sys_modv = "1";
            cfg.sys_rlot = "0";
            cfg.rep_enca = "1";
            cfg.rep_juga = "2";
            cfg.rep_simb = "0";
            cfg.rep_agot = "3";
            s.t->ses_val.ord_lot = 1;
            s.t->ses_val.anu_ven = "0";
            LimVta& lim = s.t->lim_vta;
            lim.jug_min = lim.vta_max = "77";
            bool enabled = false;
            QStringList shown, jmin, jmax, tmax;
            s.with_modal<parsys>([&] { s.item("par_sys"); }, [&](parsys* w) {
                enabled = w->b_aceptar->isEnabled();
                shown = texts({w->tx_codv, w->tx_nomb, w->tx_serx, w->tx_vent, w->tx_mens, w->tx_jmin, w->tx_jmiz,
                               w->tx_jmis, w->tx_jmax, w->tx_jmaz, w->tx_jmas, w->tx_tmin, w->tx_tmax, w->tx_anut,
                               w->tx_modv, w->tx_zord, w->tx_rlot, w->tx_enca, w->tx_juga, w->tx_simb});
                for (const auto& [box, entries] : {std::pair{w->tx_jmin, &jmin}, {w->tx_jmax, &jmax}, {w->tx_tmax, &tmax}})
                    for (int k = 0; k < box->count(); ++k)
                        *entries << box->itemText(k);
                e.keys(w);
                QTest::keyClick(w, Qt::Key_Return);
            });
            EXPECT_TRUE(enabled);
            EXPECT_EQ(shown, QStringList({"001", "AGENCIA UNO", "0305419896", "", "GRACIAS", "", "", "", "", "", "",
                                          "", "", "SI", "ANIMALITOS", "NOMBRE", "SI", "SI", "RESUMIDO",
                                          "SOLO NUMERO"}));
            EXPECT_EQ(jmin, a.jmin);
            EXPECT_EQ(jmax, a.jmax);
            EXPECT_EQ(tmax, a.tmax);
            EXPECT_TRUE(s.boxes().isEmpty());
            EXPECT_EQ(s.saved(), settings + QStringList{"sys_mens=" + QString(e.mens)});
            // An amount goes back as the entry chosen stores it; a list without entries
            // takes no key and sends nothing.
            QStringList want;
            for (const QString& sent : e.sent)
                if (!sent.endsWith('*'))
                    want << sent;
                else if (const char* first = sent.contains("JUGADA_MIN") ? a.jmin_first : a.tmax_first)
                    want << sent.chopped(1) + first;
            EXPECT_EQ(calls_since(*s.t.srv, 0, "actpaq"), want);
            EXPECT_EQ(QStringList({lim.jug_min, lim.vta_max}),
                      QStringList({want.value(0).startsWith("001 JUGADA_MIN") ? want[0].section(' ', 2) : "77",
                                   want.value(0).startsWith("001 VENTIK_MAX") ? want[0].section(' ', 2) : "77"}));
        }
}

// The deposits, one value of row 1 (002, 77, 2024-05-03, 123456789 units) answered as the
// case's, then that row deleted from the pop-up menu: the delete sends the deposit as it
// came, its amount with its sign. A value the delete or the modify could not send back
// refuses the answer: no rows, nothing to delete. A deposit the server keeps at a date
// before the date field's first day is first modified, unchanged and then to 2 units (its
// amount erased and typed), each time named by its own date: the server changes it, and
// the delete sends the new amount.
TEST(PlacedAnswers, MovdpoDeposits)
{
    const QVariantList row1{"3", "2024-05-03", "001", "002", "77", qint64(123456789)};
    const auto with = [&row1](int at, const QVariant& v) {
        QVariantList l = row1;
        l[at] = v;
        return l;
    };
    const struct {
        const char* name;
        central::Spoil spoil;
        QVariantList sent;
        double mod = 1e8;
        QDate kept = {};  // the date the server keeps the deposit at: it is modified before the delete
    } cases[] = {
        {"a bank code of four", spoil::column("codbco", "0021", 1), {}},
        {"an empty bank code", spoil::column("codbco", "", 1), with(3, "")},
        {"a bank code of blanks", spoil::column("codbco", "   ", 1), with(3, "")},
        {"a bank code filled with blanks", spoil::column("codbco", "02    ", 1), with(3, "02")},
        {"a number of eleven", spoil::column("numero", "12345678901", 1), {}},
        {"a number filled with blanks", spoil::column("numero", "0123456789  ", 1), with(4, "0123456789")},
        {"a date before 1753", spoil::column("fecmov", QDate(1700, 1, 1), 1), with(1, "1700-01-01"), 1e8,
         QDate(1700, 1, 1)},
        {"a date as text before 1753", spoil::column("fecmov", "01/01/1700", 1), with(1, "1700-01-01")},
        {"a date beyond 9999", spoil::column("fecmov", QDate(10000, 1, 1), 1), {}},
        {"a date that is none", spoil::column("fecmov", "ayer", 1), {}},
        {"a date with a time", spoil::column("fecmov", QDateTime(QDate(2024, 5, 3), QTime(10, 30)), 1), row1},
        {"a date as text", spoil::column("fecmov", "03/05/2024", 1), row1},
        {"an amount of 0", spoil::column("monto", 0, 1), with(5, qint64(0))},
        {"a negative amount", spoil::column("monto", qint64(-123456789), 1), with(5, qint64(-123456789))},
        {"an amount longer than its field", spoil::column("monto", qint64(9000000000000000000), 1), {}, 100},
        {"a negative amount longer than its field", spoil::column("monto", qint64(-99999999999999), 1), {}, 100},
        {"the longest amount its field holds", spoil::column("monto", qint64(99999999999999), 1),
         with(5, qint64(99999999999999)), 100},
        {"the longest negative amount its field holds", spoil::column("monto", qint64(-9999999999999), 1),
         with(5, qint64(-9999999999999)), 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AdminShell s;
        s.t->ses_val.mod_sys = s.t->ses_val.jug_sys = c.mod;
        if (c.kept.isValid())
            s.model().outlet.deposits[1].fecha = c.kept;
        s.t.srv->spoil_next("dspdpo", c.spoil);
        auto* w = s.open_list(false);
        const bool refused = c.sent.isEmpty();
        EXPECT_EQ(w->lista->topLevelItemCount(), refused ? 0 : 3);
        EXPECT_EQ(w->b_eliminar->isEnabled(), !refused);
        s.t->flg_nocox = 0;
        QList<QVariantList> want;
        if (c.kept.isValid()) {
            QVariantList modified = c.sent;
            modified[0] = "2";
            ASSERT_TRUE(QTest::qWaitForWindowActive(&s.w));
            for (const bool changed : {false, true}) {
                w->lista->setCurrentItem(w->lista->topLevelItem(1));
                // Enter on the list, then a click on "Modificar": here no window manager makes
                // the list's window active again once the dialog closed.
                const auto modify = [&] {
                    changed ? QTest::mouseClick(w->b_modificar, Qt::LeftButton) : QTest::keyClick(w->lista, Qt::Key_Return);
                };
                s.with_modal<movdpo_e>(modify, [&](movdpo_e* d) {
                    if (changed) {
                        for (int k = 0; k < 4; ++k)  // "1.23"
                            QTest::keyClick(d->tx_monto, Qt::Key_Backspace);
                        QTest::keyClicks(d->tx_monto, "2");
                    }
                    QTest::keyClick(d, Qt::Key_Return);
                });
                if (changed)
                    modified[5] = qint64(200000000);
                want << modified;
            }
        }
        s.popup_item(w->lista, "dpo_eliminar", row_at(w->lista, 1));
        EXPECT_EQ(s.boxes(), refused ? QStringList({kLost, kNoDel}) : QStringList{kAsk});
        if (!refused) {
            QVariantList deleted = want.isEmpty() ? c.sent : want.last();
            deleted[0] = "3";
            want << deleted;
        }
        QList<QVariantList> sent;
        for (const central::Call& call : s.t.srv->calls("actdpo"))
            sent << call.values;
        EXPECT_EQ(sent, want);
    }
}

// A deposit of 0 and one of a negative amount, as the server keeps them: listed with their
// sign, modified unchanged (Enter in the dialog) and deleted, each time sent as they came;
// the delete takes them off the server.
TEST(PlacedAnswers, MovdpoZeroAndNegativeDeposits)
{
    for (const qint64 monto : {qint64(0), qint64(-250000000)}) {
        SCOPED_TRACE(monto);
        AdminShell s;
        s.model().outlet.deposits[1].monto = monto;
        auto* w = s.open_list(false);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&s.w));
        ASSERT_EQ(w->lista->topLevelItemCount(), 3);
        EXPECT_EQ(w->lista->topLevelItem(1)->text(3), monto == 0 ? "0" : "-2.50");
        w->lista->setCurrentItem(w->lista->topLevelItem(1));
        QString amount;
        s.with_modal<movdpo_e>([&] { QTest::keyClick(w->lista, Qt::Key_Return); }, [&](movdpo_e* d) {
            amount = d->tx_monto->text();
            QTest::keyClick(d, Qt::Key_Return);
        });
        EXPECT_EQ(amount, monto == 0 ? "0" : "-2.50");
        w->lista->setCurrentItem(w->lista->topLevelItem(1));
        s.t.dlg->answers = {plat::ans_ok};
        s.popup_item(w->lista, "dpo_eliminar", row_at(w->lista, 1));
        const QVariantList deposit{"2024-05-03", "001", "002", "77", monto};
        const QList<central::Call> calls = s.t.srv->calls("actdpo");
        ASSERT_EQ(calls.size(), 2);
        EXPECT_EQ(calls[0].values, QVariantList{"2"} + deposit);
        EXPECT_EQ(calls[1].values, QVariantList{"3"} + deposit);
        EXPECT_EQ(s.boxes(), QStringList{kAsk});
        EXPECT_EQ(s.model().outlet.deposits.size(), 2);
        EXPECT_EQ(w->lista->topLevelItemCount(), 2);
    }
}

// The bank accounts, the second's code answered as the case's; a deposit included with
// that account typed by its code. The dialog sends the first three characters of the
// account's entry, "code - name": a code of one character is given the blank its column
// fills it with; a longer code, an empty one or one of blanks refuses the answer: no
// accounts.
TEST(PlacedAnswers, MovdpoEAccounts)
{
    const struct { QVariant code; QStringList entries; const char* typed; const char* sent; } cases[] = {
        {"0021", {}, "002", nullptr},
        {"", {}, "002", nullptr},
        {"   ", {}, "002", nullptr},
        {"2", {"001 - BANCO DE VENEZUELA", "2  - BANESCO", "003 - MERCANTIL"}, "2  ", "2  "},
        {"2  ", {"001 - BANCO DE VENEZUELA", "2   - BANESCO", "003 - MERCANTIL"}, "2  ", "2  "},
        {"002    ", {"001 - BANCO DE VENEZUELA", "002     - BANESCO", "003 - MERCANTIL"}, "002", "002"},
        {20, {"001 - BANCO DE VENEZUELA", "20 - BANESCO", "003 - MERCANTIL"}, "20 ", "20 "},
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
            QTest::keyClicks(d->tx_codbco, c.typed);
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
// pop-up menu: the name goes as listed, a leading blank with it; one filled beyond the ten
// characters of its parameter goes without that fill. A name longer than ten once its fill
// goes, or a caja longer than two once trimmed, refuses the answer: no rows, nothing to
// delete.
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
        {"a name of eleven once its fill goes", spoil::column("logusr", " ANABELLA12 ", 1), {}},
        {"a name with a blank before", spoil::column("logusr", " ANA", 1), as(" ANA")},
        {"a name without its fill", spoil::column("logusr", "ANA", 1), as("ANA")},
        {"a name filled beyond ten", spoil::column("logusr", "ANA" + QString(12, ' '), 1), as("ANA")},
        {"a null name", spoil::column("logusr", QVariant(), 1), as("")},
        {"a caja of one digit", spoil::column("iduser", "3", 1), ana},
        {"an empty caja", spoil::column("iduser", "", 1), ana},
        {"a caja with a blank", spoil::column("iduser", " 3", 1), ana},
        {"a caja with blanks around it", spoil::column("iduser", " 3 ", 1), ana},
        {"a caja as a number", spoil::column("iduser", 3, 1), ana},
        {"a caja of three", spoil::column("iduser", "003", 1), {}},
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

// A cashier of caja "0", one character as the login gives it: the users list shows his own
// row, and "Modificar" (Enter) changes his password, the caja going filled to "00" and the
// name trimmed, as the edit dialog sends them.
TEST(PlacedAnswers, UsuariosCajaOfOneCharacter)
{
    AdminShell s("0");
    s.model().outlet.users["ANA"].caja = "0";
    s.t.srv->spoil_next("dspusr", spoil::column("logusr", " ANA", 1));
    auto* w = s.open_list(true);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&s.w));
    EXPECT_EQ(rows_of(w->lista), QStringList{" ANA|ROSA      |0"});
    QStringList shown;
    s.with_modal<QDialog>([&] { QTest::keyClick(w->lista, Qt::Key_Return); }, [&](QDialog* d) {
        shown = texts({d->findChild<QLineEdit*>("tx_user"), d->findChild<QLineEdit*>("tx_caja")});
        QTest::keyClicks(d->findChild<QLineEdit*>("tx_clav"), "nueva");
        QTest::keyClick(d, Qt::Key_Return);
    });
    EXPECT_EQ(shown, QStringList({"ANA", "0"}));
    EXPECT_EQ(s.t.srv->calls("actusr").value(0).values,
              QVariantList({"2", "ANA", "NUEVA", "001", "00", "0305419896"}));
    EXPECT_TRUE(s.boxes().isEmpty()) << qPrintable(s.boxes().join('|'));
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
// around values, codes no menu of this program has, one with a blank before it, an amount
// that is no whole hundredth, deposits of 0 and below) and saved unchanged: its calls go,
// and every table is as it was but for the parameters' blanks.
TEST(PlacedAnswers, UnchangedSavesLeaveTheServersTablesAsTheyWere)
{
    AdminShell s;
    central::Outlet& o = s.model().outlet;
    o.users["ANA"].denied = {"999", "404", " 99", "202"};
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
    o.deposits << central::Deposit{QDate(2024, 5, 8), "001", "12", 0, false}
               << central::Deposit{QDate(2024, 5, 8), "003", "13", -1, false};
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

    // The days and an amount go trimmed, as the parameters window sends them.
    QStringList after = before;
    after.replace(after.indexOf("TVENCE_TIK= 3 "), "TVENCE_TIK=3");
    after.replace(after.indexOf("JUGADA_MIN= 100000000 "), "JUGADA_MIN=100000000");
    EXPECT_EQ(tables(s.model()), after);
    EXPECT_FALSE(s.boxes().contains(kLost));
    EXPECT_EQ(calls_since(*s.t.srv, 0, "actmap"), QStringList({"ANA 202", "ANA 404", "ANA 999", "ANA  99", "CAJERO 503"}));
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
