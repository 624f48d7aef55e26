#pragma once
// What the call rule works on, without the application: a connection to the central-server
// double (or to a server behind a TDS endpoint), the flag, the connection data and the
// dialog double.
#include "central/central.h"
#include "core/db/call.h"
#include "tests/doubles/fakes.h"

struct DbRig {
    central::Server srv;
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
};
