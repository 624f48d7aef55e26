// The call rule and the procedure helper against the central-server double; what each call
// left is compared with golden transcripts (tests/golden/db/).
#include "tests/db/db_rig.h"

namespace {

// What happens after a failure, by its kind and by the flag the call starts with; an answer
// that cannot be read ends the call as a server error does. A prepared command keeps its
// parameters on every path.
TEST(Rule, FailuresRetryOnlyABrokenSessionAndGiveUpWithOneMessage)
{
    // broken: calls that find the session broken; refused: reopens refused; errors: calls
    // the server answers with an error.
    const struct { const char* label; int broken, refused, errors, flag; bool once, unreadable = false, prepared = false; }
        cases[] = {
        {"clean", 0, 0, 0, 0, false},
        {"broken once: reopened, retried silently", 1, 0, 0, 0, false},
        {"broken twice: lost", 2, 0, 0, 0, false},
        {"no reopen: lost", 1, 1, 0, 0, false},
        {"server error: not run again, given up", 0, 0, 1, 0, false},
        {"unreadable answer: not run again, given up", 0, 0, 0, 0, false, true},
        {"flag set: reopened, no retry, no message", 1, 0, 0, 1, false},
        {"flag set: a good call is not read", 0, 0, 0, 1, false},
        {"flag set: server error quietly", 0, 0, 1, 1, false},
        {"once: broken, never reopened", 1, 0, 0, 0, true},
        {"once: server error keeps the session", 0, 0, 1, 0, true},
        {"once: an unreadable answer only fails", 0, 0, 0, 0, true, true},
        {"prepared", 0, 0, 0, 0, false, false, true},
        {"prepared, broken twice: lost", 2, 0, 0, 0, false, false, true},
        {"prepared, unreadable answer", 0, 0, 0, 0, false, true, true},
        {"prepared once, server error", 0, 0, 1, 0, true, false, true},
    };
    QStringList t;
    for (const auto& c : cases) {
        DbRig r;
        r.srv.model.outlet.messages = {{"2026-12-01", "08:00", "uno"}, {"2026-12-02", "09:00", "dos"}};
        r.flg_nocox = c.flag;
        r.srv.fail_next(c.broken, "dstmen");
        r.srv.fail_next_open(c.refused);
        r.srv.error_next(c.errors, "dstmen");
        if (c.unreadable)
            r.srv.spoil_next("dstmen", central::spoil::no_result_set());
        if (c.prepared) {
            r.cmd_sp.command_text = "dstmen";
            r.cmd_sp.append("p1", db::adChar, db::adParamInput, 3, "001");
        }
        const auto call = c.prepared ? std::nullopt : std::optional(r.proc("dstmen").in("p1", db::adChar, 3, "001"));
        t << c.label << "  " + r.run(call, c.once);
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
