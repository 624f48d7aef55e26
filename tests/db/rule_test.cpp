// The call rule and the procedure helper against the central-server double.
#include "tests/db/db_rig.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

const QString kLost = QStringLiteral("No hay conexión con el servidor.          ");

QVariant i64(qint64 v) { return QVariant::fromValue<qint64>(v); }

struct RuleTest : ::testing::Test {
    DbRig r;
    void SetUp() override
    {
        r.srv.model.outlet.messages = {{"2026-12-01", "08:00", "uno"}, {"2026-12-02", "09:00", "dos"}};
    }
    db::Reply dstmen(bool once = false)
    {
        auto p = r.proc("dstmen").in("p1", db::adChar, 3, "001");
        return once ? p.once() : p.exec();
    }
};

TEST_F(RuleTest, SuccessfulCallReadsRowsOutputsAndStatusAndLeavesTheCommandEmpty)
{
    r.srv.register_procedure("probar", [](central::Request& q) {
        q.rows({"a"}).rows << QVariantList{"x"} << QVariantList{"y"};
        q.out(1, QString("salida"));
        q.out(2, i64(q.arg(0).toLongLong() * 2));
        q.status = 7;
        return true;
    });
    const db::Reply a = r.proc("probar")
                            .ret("r0")
                            .in("r1", db::adBigInt, 0, 21)
                            .out("r2", db::adChar, 10)
                            .out("r3", db::adBigInt)
                            .exec();
    ASSERT_TRUE(a.ok);
    db::Recordset rs = a.rows;
    EXPECT_EQ(rs.field("A").toString(), "x");
    rs.move_next();
    EXPECT_EQ(rs.field("a").toString(), "y");
    EXPECT_EQ(a.status(-1), 7);
    EXPECT_EQ(a.value("r2").toString(), "salida");
    EXPECT_EQ(a.value("r3"), i64(42));
    EXPECT_TRUE(a.value("r1").isNull());  // inputs are not answers
    // The return value is not sent; hourglass during the call, default after it.
    ASSERT_EQ(r.srv.log.size(), 1);
    EXPECT_EQ(r.srv.log[0].values, (QVariantList{i64(21), QVariant(), QVariant()}));
    EXPECT_EQ(r.dlg.pointers, (QList<int>{11, 0}));
    EXPECT_TRUE(r.cmd_sp.params().isEmpty());
    EXPECT_TRUE(r.dlg.boxes.isEmpty());
}

TEST_F(RuleTest, OutputsComeBackAsTheTypeTheyAreDeclared)
{
    r.srv.register_procedure("tipos", [](central::Request& q) {
        q.out(0, QString("2026-12-06"));   // a date the server sends as text
        q.out(1, i64(1234));               // a number for a text output
        q.out(2, QString(" 17 "));         // a numeric text for a whole number
        q.out(3, QString("no"));           // and one that is not
        return true;
    });
    const db::Reply a = r.proc("tipos")
                            .out("f", db::adDate)
                            .out("t", db::adChar, 8)
                            .out("n", db::adBigInt)
                            .out("x", db::adInteger)
                            .exec();
    ASSERT_TRUE(a.ok);
    EXPECT_EQ(a.value("f"), QVariant(QDate(2026, 12, 6)));
    EXPECT_EQ(a.value("t"), QVariant(QStringLiteral("1234")));
    EXPECT_EQ(a.value("n"), i64(17));
    EXPECT_TRUE(a.value("x").isNull());
    QString kept = "antes";
    EXPECT_FALSE(a.read("x", kept));
    EXPECT_EQ(kept, "antes");
}

// What happens after a failure, by its kind and by the flag the call starts with.
TEST_F(RuleTest, FailuresRetryOnlyABrokenSessionAndGiveUpWithOneMessage)
{
    enum Fault { none, broken_once, broken_twice, broken_and_no_reopen, server_error };
    const struct {
        const char* label;
        Fault fault;
        int flag;          // flg_nocox before the call
        bool once;         // tried once instead of the rule
        bool ok;
        int calls, reopens, boxes, flag_after;
        bool open_after;
    } cases[] = {
        {"clean", none, 0, false, true, 1, 0, 0, 0, true},
        {"broken once: reopened, retried silently", broken_once, 0, false, true, 2, 1, 0, 0, true},
        {"broken twice: lost", broken_twice, 0, false, false, 2, 1, 1, 1, false},
        {"no reopen: lost", broken_and_no_reopen, 0, false, false, 1, 0, 1, 1, false},
        {"server error: not run again, given up", server_error, 0, false, false, 1, 0, 1, 1, false},
        {"flag set: reopened, no retry, no message", broken_once, 1, false, false, 1, 1, 0, 1, true},
        {"flag set: a good call is not read", none, 1, false, false, 1, 0, 0, 1, true},
        {"flag set: server error quietly", server_error, 1, false, false, 1, 0, 0, 1, true},
        {"once: broken, never reopened", broken_once, 0, true, false, 1, 0, 0, 0, false},
        {"once: server error keeps the session", server_error, 0, true, false, 1, 0, 0, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        DbRig rig;
        rig.flg_nocox = c.flag;
        switch (c.fault) {
        case none: break;
        case broken_once: rig.srv.fail_next(1, "dstmen"); break;
        case broken_twice: rig.srv.fail_next(2, "dstmen"); break;
        case broken_and_no_reopen:
            rig.srv.fail_next(1, "dstmen");
            rig.srv.fail_next_open(1);
            break;
        case server_error: rig.srv.error_next(1, "dstmen"); break;
        }
        const int opens = rig.srv.opens;
        auto p = rig.proc("dstmen").in("p1", db::adChar, 3, "001");
        const db::Reply a = c.once ? p.once() : p.exec();
        EXPECT_EQ(a.ok, c.ok);
        EXPECT_EQ(rig.srv.log.size(), c.calls);
        EXPECT_EQ(rig.srv.opens - opens, c.reopens);
        EXPECT_EQ(rig.dlg.boxes.size(), c.boxes);
        if (c.boxes) {
            EXPECT_EQ(rig.dlg.boxes[0].text, kLost);
            EXPECT_EQ(rig.dlg.boxes[0].style, 16);
            EXPECT_EQ(rig.dlg.boxes[0].title, "Tovaren");
            EXPECT_EQ(rig.captions, 1);
        }
        EXPECT_EQ(rig.flg_nocox, c.flag_after);
        EXPECT_EQ(rig.cox_bd.state() == db::adStateOpen, c.open_after);
        EXPECT_TRUE(rig.cmd_sp.params().isEmpty());
        EXPECT_EQ(rig.dlg.pointer(), 0);
    }
}

TEST_F(RuleTest, RowsAreReadOnlyWhenTheCallMayBeRead)
{
    EXPECT_EQ(dstmen().rows.row_count(), 2);
    r.flg_nocox = 1;
    EXPECT_TRUE(dstmen().rows.eof());
    r.flg_nocox = 0;
    r.srv.fail_next(2, "dstmen");
    EXPECT_TRUE(dstmen().rows.eof());
}

TEST_F(RuleTest, TickInsideTheLostConnectionMessageFindsTheCommandEmpty)
{
    r.srv.fail_next(2, "dstmen");
    int inside = 0;
    r.dlg.on_box = [&](const auto&) {
        if (inside++)
            return;
        // What a keep-alive tick does while the box is open: reconnect, clear the flag,
        // and a call of its own through the same command.
        ASSERT_TRUE(db::cox_reconnect(r.ctx()));
        r.flg_nocox = 0;
        EXPECT_TRUE(r.cmd_sp.params().isEmpty());
        EXPECT_TRUE(r.proc("dstmen").in("p1", db::adChar, 3, "002").exec().ok);
    };
    const db::Reply a = dstmen();
    // The caller reads nothing, though the connection came back while the box was open.
    EXPECT_FALSE(a.ok);
    EXPECT_TRUE(a.rows.eof());
    EXPECT_EQ(r.flg_nocox, 0);
    EXPECT_EQ(inside, 1);
    ASSERT_EQ(r.srv.log.size(), 3);
    EXPECT_EQ(r.srv.log.last().values, QVariantList{"002"});
    EXPECT_TRUE(r.cmd_sp.params().isEmpty());
}

TEST_F(RuleTest, ValuesThatDoNotFitTheirParameterAreRefusedBeforeSending)
{
    struct Case {
        int type;
        int size;
        QVariant value;
        bool fits;
    } cases[] = {
        {db::adVarChar, 15, "ABCDEFGHIJKLMNO", true},
        {db::adVarChar, 15, "ABCDEFGHIJKLMNOP", false},  // never cut
        {db::adChar, 2, "001", false},
        {db::adTinyInt, 0, 255, true},
        {db::adTinyInt, 0, 256, false},
        {db::adTinyInt, 0, -1, false},
        {db::adSmallInt, 0, -32768, true},
        {db::adSmallInt, 0, 32768, false},
        {db::adInteger, 0, i64(2147483648LL), false},
        {db::adInteger, 0, "12", true},
        {db::adInteger, 0, "doce", false},
        {db::adBigInt, 0, i64(9000000000000LL), true},
        // Amounts computed in floating point: rounded to a whole number, refused beyond it.
        {db::adBigInt, 0, 12.5, true},
        {db::adInteger, 0, 2147483647.4, true},
        {db::adInteger, 0, 2147483647.5, false},
        {db::adBigInt, 0, 1e20, false},
        {db::adBigInt, 0, std::nan(""), false},
        {db::adBigInt, 0, HUGE_VAL, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toString().toStdString());
        r.srv.log.clear();
        EXPECT_EQ(r.proc("stacox").in("x", c.type, c.size, c.value).exec().ok, c.fits);
        EXPECT_EQ(r.srv.log.size(), c.fits ? 1 : 0);
        // A wrong call is not a lost connection.
        EXPECT_TRUE(r.dlg.boxes.isEmpty());
        EXPECT_EQ(r.flg_nocox, 0);
        EXPECT_EQ(r.cox_bd.state(), db::adStateOpen);
        EXPECT_TRUE(r.cmd_sp.params().isEmpty());
        EXPECT_EQ(r.dlg.pointer(), 0);
    }
}

TEST_F(RuleTest, PreparedCommandsKeepTheirParametersOnEveryPath)
{
    db::Command cmd;
    cmd.command_text = "probar";
    cmd.append("w0", db::adInteger, db::adParamReturnValue, 0);
    cmd.append("w1", db::adBigInt, db::adParamInput, 0, 5);
    r.srv.register_procedure("probar", [](central::Request& q) {
        q.status = int(q.arg(0).toLongLong()) + 1;
        return true;
    });
    EXPECT_EQ(db::run_prepared(r.ctx(), cmd).status(-1), 6);
    cmd.set_value("w1", 9);
    EXPECT_EQ(db::run_prepared(r.ctx(), cmd, true).status(-1), 10);
    r.srv.fail_next(2, "probar");
    EXPECT_FALSE(db::run_prepared(r.ctx(), cmd).ok);
    EXPECT_EQ(cmd.param_names(), (QStringList{"w0", "w1"}));
}

TEST_F(RuleTest, ConfigWritesTheConnectionDataAndKeepsSkippedProperties)
{
    r.dat_cox.srv_ip = "10.2.3.4";
    r.dat_cox.srv_port = "1500";
    r.dat_cox.srv_databs = "ventas";
    db::cox_config(r.cox_bd, r.dat_cox, r.ver_comp);
    EXPECT_EQ(r.cox_bd.property("Data Source"), "10.2.3.4,1500");
    EXPECT_EQ(r.cox_bd.property("Initial Catalog"), "ventas");
    EXPECT_EQ(r.cox_bd.property("Application Name"), "3.8.2.4");
    // An empty workstation id keeps the one set before.
    r.dat_cox.cod_guid.clear();
    db::cox_config(r.cox_bd, r.dat_cox, r.ver_comp);
    EXPECT_EQ(r.cox_bd.property("Workstation ID"), "0123456789abcdef01234567");
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

} // namespace
