// The database layer: the call rule against the central-server double, the identities.
#include "core/db/rule.h"
#include "tests/doubles/test_app.h"

#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const QString kLost = QStringLiteral("No hay conexión con el servidor.          ");

// Appends the getmen-like call of dstmen and runs it under the rule.
bool call_dstmen(App& app, db::Recordset& rs)
{
    app.cmd_sp.command_text = "dstmen";
    app.cmd_sp.append("p1", db::adChar, db::adParamInput, 3, "001");
    return sp_exec(app, app.cmd_sp, rs);
}

struct RuleTest : ::testing::Test {
    TestApp t;
    int captions = 0;
    void SetUp() override
    {
        t->main_caption = [this] { ++captions; };
        t.srv->model.outlet.messages = {{"2026-12-01", "08:00", "uno"}, {"2026-12-02", "09:00", "dos"}};
        t.connect();
    }
};

TEST_F(RuleTest, SuccessfulCallReadsRowsAndLeavesTheCommandEmpty)
{
    db::Recordset rs;
    ASSERT_TRUE(call_dstmen(*t, rs));
    ASSERT_EQ(rs.row_count(), 2);
    EXPECT_EQ(rs.field("texto").toString(), "uno");
    rs.move_next();
    EXPECT_EQ(rs.field("hormov").toString(), "09:00");
    EXPECT_TRUE(t->cmd_sp.params().isEmpty());
    EXPECT_TRUE(t.dlg->boxes.isEmpty());
    // Hourglass during the call, default after it.
    EXPECT_EQ(t.dlg->pointers, (QList<int>{11, 0}));
    ASSERT_EQ(t.srv->log.size(), 1);
    EXPECT_EQ(t.srv->log[0].values, QVariantList{"001"});
}

TEST_F(RuleTest, FailedExecuteIsRetriedOnceAfterAReopen)
{
    t.srv->fail_next(1, "dstmen");
    const int opens = t.srv->opens;
    db::Recordset rs;
    ASSERT_TRUE(call_dstmen(*t, rs));
    EXPECT_EQ(rs.row_count(), 2);
    EXPECT_EQ(t.srv->opens, opens + 1);
    EXPECT_EQ(t.srv->procs(), (QStringList{"dstmen", "dstmen"}));
    EXPECT_EQ(t->flg_nocox, 0);
    EXPECT_TRUE(t.dlg->boxes.isEmpty());
    EXPECT_EQ(captions, 0);
    EXPECT_TRUE(t->cmd_sp.params().isEmpty());
}

TEST_F(RuleTest, ReopenFailureGivesTheConnectionUpWithOneMessage)
{
    t.srv->fail_next(1, "dstmen");
    t.srv->fail_next_open(1);
    db::Recordset rs;
    EXPECT_FALSE(call_dstmen(*t, rs));
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(t->flg_nocox, 1);
    EXPECT_EQ(t->cox_bd.state(), db::adStateClosed);
    ASSERT_EQ(t.dlg->boxes.size(), 1);
    EXPECT_EQ(t.dlg->boxes[0].text, kLost);
    EXPECT_EQ(t.dlg->boxes[0].style, 16);
    EXPECT_EQ(t.dlg->boxes[0].title, "Tovaren");
    EXPECT_EQ(captions, 1);
    EXPECT_EQ(t.dlg->pointer(), 0);
    EXPECT_TRUE(t->cmd_sp.params().isEmpty());
}

TEST_F(RuleTest, SecondFailureAfterAGoodReopenIsLostToo)
{
    t.srv->fail_next(2, "dstmen");
    db::Recordset rs;
    EXPECT_FALSE(call_dstmen(*t, rs));
    EXPECT_EQ(t->flg_nocox, 1);
    EXPECT_EQ(t.dlg->boxes.size(), 1);
    EXPECT_EQ(t.srv->procs(), (QStringList{"dstmen", "dstmen"}));
}

TEST_F(RuleTest, TickInsideTheLostConnectionMessageFindsTheCommandEmpty)
{
    t.srv->fail_next(2, "dstmen");
    int inside = 0;
    t.dlg->on_box = [&](const auto&) {
        if (inside++)
            return;
        // What a keep-alive tick does while the box is open: reconnect, clear the flag,
        // and a call of its own through the same command.
        ASSERT_TRUE(cox_reconnect(*t));
        t->flg_nocox = 0;
        EXPECT_TRUE(t->cmd_sp.params().isEmpty());
        t->cmd_sp.command_text = "dstmen";
        t->cmd_sp.append("p1", db::adChar, db::adParamInput, 3, "002");
        db::Recordset inner;
        EXPECT_TRUE(sp_exec(*t, t->cmd_sp, inner));
    };
    db::Recordset rs;
    EXPECT_FALSE(call_dstmen(*t, rs));
    // The caller reads nothing, though the connection came back while the box was open.
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(t->flg_nocox, 0);
    EXPECT_EQ(inside, 1);
    ASSERT_EQ(t.srv->log.size(), 3);
    EXPECT_EQ(t.srv->log.last().values, QVariantList{"002"});
    EXPECT_TRUE(t->cmd_sp.params().isEmpty());
}

TEST_F(RuleTest, WithTheFlagSetNothingIsRetriedShownOrRead)
{
    t->flg_nocox = 1;
    t->cox_bd.close();
    db::Recordset rs;
    // The execute fails on the closed connection, the reopen succeeds, no retry.
    EXPECT_FALSE(call_dstmen(*t, rs));
    EXPECT_TRUE(t.dlg->boxes.isEmpty());
    EXPECT_EQ(t->cox_bd.state(), db::adStateOpen);
    EXPECT_TRUE(t.srv->log.isEmpty());
    EXPECT_TRUE(t->cmd_sp.params().isEmpty());
    // The next call succeeds on the open connection but is still not read.
    EXPECT_FALSE(call_dstmen(*t, rs));
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(t.srv->log.size(), 1);
    EXPECT_TRUE(t.dlg->boxes.isEmpty());
    EXPECT_TRUE(t->cmd_sp.params().isEmpty());
}

TEST_F(RuleTest, OutputsAndReturnStatusAreReadAfterTheRows)
{
    t.srv->register_procedure("probar", [](central::Request& r) {
        r.rows({"a"}).rows << QVariantList{"x"};
        r.out(1, QString("salida"));
        r.out(2, QVariant::fromValue<qint64>(r.arg(0).toLongLong() * 2));
        r.status = 7;
        return true;
    });
    auto& c = t->cmd_sp;
    c.command_text = "probar";
    c.append("r0", db::adInteger, db::adParamReturnValue, 0);
    c.append("r1", db::adBigInt, db::adParamInput, 0, 21);
    c.append("r2", db::adChar, db::adParamOutput, 10);
    c.append("r3", db::adBigInt, db::adParamOutput, 0);
    db::Recordset rs;
    // Keep the parameters to read them.
    ASSERT_TRUE(sp_exec(*t, c, rs, true));
    EXPECT_EQ(rs.field("a").toString(), "x");
    EXPECT_EQ(c.value("r0").toInt(), 7);
    EXPECT_EQ(c.value("r2").toString(), "salida");
    EXPECT_EQ(c.value("r3").toLongLong(), 42);
    // The return value is not sent: three values went to the server.
    EXPECT_EQ(t.srv->log[0].values.size(), 3);
    c.clear_params();
}

TEST_F(RuleTest, TextLongerThanItsSizeIsRefusedNotCutNorTakenForALostConnection)
{
    auto& c = t->cmd_sp;
    c.command_text = "getcox";
    c.append("d0", db::adInteger, db::adParamReturnValue, 0);
    c.append("d1", db::adVarChar, db::adParamInput, 10, "0000000001");
    c.append("d2", db::adVarChar, db::adParamInput, 15, "ABCDEFGHIJKLMNOP");  // 16 characters
    db::Recordset rs;
    EXPECT_FALSE(sp_exec(*t, c, rs));
    EXPECT_TRUE(t.srv->log.isEmpty());
    EXPECT_EQ(t->flg_nocox, 0);
    EXPECT_TRUE(t.dlg->boxes.isEmpty());
    EXPECT_EQ(t->cox_bd.state(), db::adStateOpen);
    EXPECT_TRUE(c.params().isEmpty());
    EXPECT_EQ(t.dlg->pointer(), 0);
}

TEST_F(RuleTest, WholeNumbersOutsideTheirTypeAreRefusedBeforeSending)
{
    struct Case {
        int type;
        QVariant value;
        bool fits;
    } cases[] = {
        {db::adTinyInt, 255, true},
        {db::adTinyInt, 256, false},
        {db::adTinyInt, -1, false},
        {db::adSmallInt, -32768, true},
        {db::adSmallInt, 32768, false},
        {db::adInteger, QVariant::fromValue<qint64>(2147483648LL), false},
        {db::adInteger, "12", true},
        {db::adInteger, "doce", false},
        {db::adBigInt, QVariant::fromValue<qint64>(9000000000000LL), true},
        // Amounts computed in floating point: rounded to a whole number, refused beyond it.
        {db::adBigInt, 12.5, true},
        {db::adInteger, 2147483647.4, true},
        {db::adInteger, 2147483647.5, false},
        {db::adBigInt, 1e20, false},
        {db::adBigInt, -1e20, false},
        {db::adBigInt, std::nan(""), false},
        {db::adBigInt, HUGE_VAL, false},
    };
    for (const auto& c : cases) {
        t.srv->log.clear();
        t->cmd_sp.command_text = "stacox";
        t->cmd_sp.append("x", c.type, db::adParamInput, 0, c.value);
        db::Recordset rs;
        EXPECT_EQ(sp_exec(*t, t->cmd_sp, rs), c.fits) << c.type << " " << c.value.toString().toStdString();
        EXPECT_EQ(t.srv->log.size(), c.fits ? 1 : 0);
        EXPECT_TRUE(t.dlg->boxes.isEmpty());
        EXPECT_EQ(t->flg_nocox, 0);
    }
}

TEST_F(RuleTest, TriedOnceCallsNeverReconnect)
{
    t.srv->fail_next(1, "dstmen");
    const int opens = t.srv->opens;
    t->cmd_sp.command_text = "dstmen";
    t->cmd_sp.append("p1", db::adChar, db::adParamInput, 3, "001");
    db::Recordset rs;
    EXPECT_FALSE(sp_once(*t, t->cmd_sp, rs));
    EXPECT_EQ(t.srv->opens, opens);
    EXPECT_EQ(t->flg_nocox, 0);
    EXPECT_TRUE(t.dlg->boxes.isEmpty());
    EXPECT_TRUE(t->cmd_sp.params().isEmpty());
    // The broken session is dropped: the connection now reads closed.
    EXPECT_EQ(t->cox_bd.state(), db::adStateClosed);
}

TEST_F(RuleTest, ConfigWritesTheConnectionDataAndKeepsSkippedProperties)
{
    t->dat_cox.srv_ip = "10.2.3.4";
    t->dat_cox.srv_port = "1500";
    t->dat_cox.srv_databs = "ventas";
    cox_config(*t);
    EXPECT_EQ(t->cox_bd.property("Data Source"), "10.2.3.4,1500");
    EXPECT_EQ(t->cox_bd.property("Initial Catalog"), "ventas");
    EXPECT_EQ(t->cox_bd.property("Application Name"), "3.8.2.4");
    // An empty workstation id keeps the one set before.
    t->dat_cox.cod_guid.clear();
    cox_config(*t);
    EXPECT_EQ(t->cox_bd.property("Workstation ID"), "0123456789abcdef01234567");
}

TEST(Recordset, NullOrMissingFieldsLeaveTheTargetUnchanged)
{
    db::Recordset rs(db::ResultSet{{"a", "B"}, {{QVariant(), "dos"}}});
    QString a = "antes", b, c = "sigue";
    EXPECT_FALSE(rs.read_text("a", a));
    EXPECT_TRUE(rs.read_text("b", b));
    EXPECT_FALSE(rs.read_text("c", c));
    EXPECT_EQ(a, "antes");
    EXPECT_EQ(b, "dos");
    EXPECT_EQ(c, "sigue");
    rs.move_next();
    EXPECT_TRUE(rs.eof());
    EXPECT_FALSE(rs.read_text("b", b));
}

TEST(Identity, TerminalIdentityIsTheAbsoluteSignedSerialInTenDigits)
{
    struct Case {
        quint32 serial;
        bool ok;
        QString want;
    } cases[] = {
        {0x12345678u, true, "0305419896"},
        {0xFFFFFFFFu, true, "0000000001"},   // -1
        {0x80000001u, true, "2147483647"},
        {0x80000000u, true, "2147483648"},   // the one value whose absolute does not fit 32 bits
        {0u, true, "0000000000"},
        {0xDEADBEEFu, false, "0000000000"},  // no volume: serial 0
    };
    for (const auto& c : cases) {
        fake::System sys;
        sys.serial = c.serial;
        sys.serial_ok = c.ok;
        EXPECT_EQ(hdd_serial(sys), c.want) << c.serial;
    }
}

TEST(Identity, WorkstationIdIs24LowerCaseHexDigits)
{
    fake::System sys;
    sys.guids << "{A1B2C3D4-E5F6-0718-293A-4B5C6D7E8F90}";
    EXPECT_EQ(new_guid(sys), "a1b2c3d4e5f60718293a4b5c");
    for (int i = 0; i < 20; ++i) {
        const QString g = new_guid(sys);
        EXPECT_EQ(g.size(), 24);
        EXPECT_TRUE(QRegularExpression("^[0-9a-f]{24}$").match(g).hasMatch()) << g.toStdString();
    }
}

} // namespace
