// The call rule and the procedure helper against the central-server double; what each call
// left is compared with golden transcripts (tests/golden/db/).
#include "core/db/tds_driver.h"
#include "tests/db/db_rig.h"

#include <cmath>

namespace {

// What happens after a failure, by its kind and by the flag the call starts with. While the
// connection counts as lost no call reaches the server, whatever it would have met there:
// a closed connection is only reopened, quietly.
TEST(Rule, FailuresRetryOnlyABrokenSessionAndGiveUpWithOneMessage)
{
    // broken: calls that find the session broken; refused: reopens refused; errors: calls
    // the server answers with an error; closed: the connection closed before the call.
    const struct { const char* label; int broken, refused, errors, flag; bool once, closed = false; } cases[] = {
        {"clean", 0, 0, 0, 0, false},
        {"broken once: reopened, retried silently", 1, 0, 0, 0, false},
        {"broken twice: lost", 2, 0, 0, 0, false},
        {"no reopen: lost", 1, 1, 0, 0, false},
        {"server error: not run again, given up", 0, 0, 1, 0, false},
        {"flag set, connection closed: reopened, not made, no message", 0, 0, 0, 1, false, true},
        {"flag set, connection closed, no reopen: nothing shown", 0, 1, 0, 1, false, true},
        {"flag set: a good call is not made", 0, 0, 0, 1, false},
        {"flag set: a broken session is not met", 1, 0, 0, 1, false},
        {"flag set: a server error is not met", 0, 0, 1, 1, false},
        {"once: broken, never reopened", 1, 0, 0, 0, true},
        {"once: server error keeps the session", 0, 0, 1, 0, true},
        {"once, flag set: made and read", 0, 0, 0, 1, true},
    };
    QStringList t;
    for (const auto& c : cases) {
        DbRig r;
        r.srv.model.outlet.messages = {{"2026-12-01", "08:00", "uno"}, {"2026-12-02", "09:00", "dos"}};
        r.flg_nocox = c.flag;
        if (c.closed)
            r.cox_bd.close();
        r.srv.fail_next(c.broken, "dstmen");
        r.srv.fail_next_open(c.refused);
        r.srv.error_next(c.errors, "dstmen");
        t << c.label << "  " + r.run(r.proc("dstmen").in("p1", db::adChar, 3, "001"), c.once);
    }
    expect_golden(t, "db/failures.txt");
}

TEST(Rule, TickInsideTheLostConnectionMessageFindsTheCommandEmpty)
{
    DbRig r;
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
        EXPECT_TRUE(r.proc("dstmen").in("p1", db::adChar, 3, "002").exec());
    };
    // The caller reads nothing, though the connection came back while the box was open.
    EXPECT_EQ(r.run(r.proc("dstmen").in("p1", db::adChar, 3, "001")),
              "ok 0, rows 0, calls [dstmen('001') dstmen('001') dstmen('002')], opens 3, boxes [\"No hay conexión con "
              "el servidor.          \"/16/Tovaren], captions 1, flag 0, open, params 0, pointers 11-0-11-0-0");
    EXPECT_EQ(inside, 1);
}

// A value that does not fit its parameter is the caller's fault: the command refuses it
// before anything is sent (never a lost connection), and the driver would not encode it.
TEST(Rule, ValuesThatDoNotFitTheirParameterAreRefusedBeforeSending)
{
    using namespace db;
    const struct { int type, size; QVariant value; int dir = adParamInput; } cases[] = {
        {adVarChar, 15, "ABCDEFGHIJKLMNO"}, {adVarChar, 15, "ABCDEFGHIJKLMNOP"}, {adChar, 2, "001"},
        {adTinyInt, 0, 255}, {adTinyInt, 0, 256}, {adTinyInt, 0, -1}, {adSmallInt, 0, -32768},
        {adSmallInt, 0, 32768}, {adSmallInt, 0, -32769}, {adInteger, 0, i64(2147483648LL)}, {adInteger, 0, "12"},
        {adInteger, 0, "doce"}, {adInteger, 0, "12a"}, {adBigInt, 0, i64(9000000000000LL)},
        {adBigInt, 0, i64(std::numeric_limits<qint64>::min())},
        // Amounts computed in floating point: rounded to a whole number, refused beyond it.
        {adBigInt, 0, 12.5}, {adInteger, 0, 2147483647.4}, {adInteger, 0, 2147483647.5}, {adBigInt, 0, 1e20},
        {adBigInt, 0, std::nan("")}, {adBigInt, 0, HUGE_VAL}, {adDouble, 0, "x"}, {adDouble, 0, "2.5"},
        {adDate, 0, QDate(1752, 12, 31)}, {adDate, 0, "2024-02-30"}, {adDate, 0, 5}, {77, 0, 1},
        // Dates the double reads as the driver reads them for the wire: a time is kept, a
        // time the wire's precision rounds up moves the date, a text is read in both forms.
        {adDate, 0, QDate(2024, 2, 29)}, {adDate, 0, QDateTime(QDate(2024, 2, 29), QTime(13, 45, 30, 123))},
        {adDate, 0, QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59, 999))}, {adDate, 0, QDate(1753, 1, 1)},
        {adDate, 0, "2024-02-29T10:00:00"}, {adDate, 0, "29/02/2024"},
        // Outputs: the declared size, or more when the value sent is longer in bytes.
        {adChar, 10, {}, adParamOutput}, {adVarChar, 3, "ñññ", adParamInputOutput}, {adInteger, 0, {}, adParamOutput},
    };
    QStringList t;
    for (const auto& c : cases) {
        DbRig r;
        r.srv.register_procedure("probar", [](central::Request&) { return true; });
        const Parameter p{"x", c.type, c.dir, c.size, c.value};
        db::Command& cmd = r.cmd_sp;
        cmd.command_text = "probar";
        cmd.append(p.name, p.type, p.dir, p.size, p.value);
        db::Recordset rs;
        const bool sent = db::sp_exec(r.ctx(), cmd, rs);
        tds::WireParam w;
        QString error;
        const bool encoded = tds::encode(p, w, &error);
        t << QString("%1 %2 %3 %4: command %5, wire %6 maxlen %7")
                 .arg(c.type).arg(c.size).arg(c.dir).arg(typed(c.value))
                 .arg(sent ? "sends it" : "refuses it", encoded ? "takes it" : "refuses it: " + error)
                 .arg(w.maxlen)
          << "  " + r.after(sent, rs.row_count());
    }
    expect_golden(t, "db/values.txt");
}

TEST(Rule, PreparedCommandsKeepTheirParametersOnEveryPath)
{
    DbRig r;
    db::Command cmd;
    cmd.command_text = "probar";
    cmd.append("w0", db::adInteger, db::adParamReturnValue, 0);
    cmd.append("w1", db::adBigInt, db::adParamInput, 0, 5);
    r.srv.register_procedure("probar", [](central::Request& q) {
        q.status = int(q.arg(0).toLongLong()) + 1;
        return true;
    });
    qint64 status = 0;
    const db::Reading read = [&](db::Reader& a) { status = a.whole("w0", db::adInteger); };
    EXPECT_TRUE(db::run_prepared(r.ctx(), cmd, read));
    EXPECT_EQ(status, 6);
    cmd.set_value("w1", 9);
    EXPECT_TRUE(db::run_prepared(r.ctx(), cmd, read, true));
    EXPECT_EQ(status, 10);
    r.srv.fail_next(2, "probar");
    EXPECT_FALSE(db::run_prepared(r.ctx(), cmd, read));
    EXPECT_EQ(cmd.param_names(), (QStringList{"w0", "w1"}));
}

TEST(Rule, ConfigWritesTheConnectionDataAndKeepsSkippedProperties)
{
    DbRig r;
    r.dat_cox.srv_ip = "10.2.3.4";
    r.dat_cox.srv_port = "1500";
    r.dat_cox.srv_databs = "ventas";
    db::cox_config(r.cox_bd, r.dat_cox, r.ver_comp);
    r.dat_cox.cod_guid.clear();  // an empty workstation id keeps the one set before
    db::cox_config(r.cox_bd, r.dat_cox, r.ver_comp);
    QStringList props;
    for (const char* name : {"Data Source", "Initial Catalog", "Application Name", "Workstation ID"})
        props << r.cox_bd.property(name);
    EXPECT_EQ(props, QStringList({"10.2.3.4,1500", "ventas", "3.8.2.4", "0123456789abcdef01234567"}));
}

} // namespace
