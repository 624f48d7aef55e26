#pragma once
// What the call rule works on, without the application: a connection to the central-server
// double (or to a server behind a TDS endpoint), the flag, the connection data and the
// dialog double.
#include "central/central.h"
#include "core/db/call.h"
#include "tests/doubles/golden.h"

inline QVariant i64(qint64 v) { return QVariant::fromValue<qint64>(v); }

struct DbRig {
    central::Server srv;
    central::Server* server = &srv;  // the one the connection reaches
    db::Connection cox_bd{srv};
    int flg_nocox = 0;
    DatCox dat_cox;
    QString ver_comp = QStringLiteral("3.8.2.4");
    fake::Dialogs dlg;
    int captions = 0;
    std::function<void()> main_caption = [this] { ++captions; };
    db::Command cmd_sp;

    // Connected to the in-process double.
    DbRig() { point_at(QStringLiteral("127.1.1.1"), 11433); }
    // Points the connection data at host:port and reopens the connection there.
    bool point_at(const QString& host, int port)
    {
        dat_cox.srv_ip = host;
        dat_cox.srv_port = QString::number(port);
        dat_cox.bd_usr = srv.model.db_user;
        dat_cox.bd_clv = srv.model.db_password;
        dat_cox.srv_databs = QStringLiteral("tovaren");
        dat_cox.cod_guid = QStringLiteral("0123456789abcdef01234567");
        flg_nocox = 0;
        return db::cox_reconnect(ctx());
    }
    db::RuleCtx ctx() { return {cox_bd, flg_nocox, dat_cox, ver_comp, dlg, main_caption}; }
    db::Proc proc(const QString& name) { return db::Proc(ctx(), cmd_sp, name); }

    // Runs a call, reading only how many rows it answered, and tells what it left.
    QString run(db::Proc p, bool once = false)
    {
        int rows = 0;
        const db::Reading count = [&rows](db::Reader& r) { rows = int(r.rows({}, db::Set::optional).size()); };
        const bool ok = once ? p.once(count) : p.exec(count);
        return after(ok, rows);
    }
    // What a call left, as a line of a transcript: whether it was read and the rows it
    // answered, the calls the server saw and its opens so far, the boxes, captions and flag,
    // the connection, the parameters left on the command and the pointers set.
    QString after(bool ok, int rows) const
    {
        return QStringLiteral("ok %1, rows %2, calls [%3], opens %4, boxes [%5], captions %6, flag %7, %8, "
                              "params %9, pointers %10")
            .arg(ok).arg(rows).arg(calls_text(server->log)).arg(server->opens).arg(boxes_text(dlg))
            .arg(captions).arg(flg_nocox).arg(cox_bd.state() == db::adStateOpen ? "open" : "closed")
            .arg(cmd_sp.params().size()).arg(numbers(dlg.pointers));
    }
};
