// The FreeTDS driver against the central-server double behind its TDS endpoint, on loopback.
#include "core/db/rule.h"
#include "core/db/tds_driver.h"
#include "tests/central/tds_endpoint.h"
#include "tests/doubles/fakes.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>

namespace {

using central::Request;
using db::Parameter;

// A client that speaks TDS byte by byte, for what the driver never sends.
namespace wire {

enum : quint8 {
    pkt_batch = 0x01,
    pkt_rpc = 0x03,
    pkt_attention = 0x06,
    pkt_login7 = 0x10,
    tok_returnstatus = 0x79,
    tok_error = 0xAA,
    tok_envchange = 0xE3,
    tok_done = 0xFD,
};

void put16(QByteArray& b, quint16 v) { b.append(char(v & 0xFF)).append(char(v >> 8)); }
void put32(QByteArray& b, quint32 v)
{
    put16(b, quint16(v));
    put16(b, quint16(v >> 16));
}
QByteArray utf16(const QString& s)
{
    QByteArray b;
    for (QChar c : s)
        put16(b, c.unicode());
    return b;
}

QByteArray packet(quint8 type, const QByteArray& payload, bool last = true)
{
    QByteArray b;
    const int len = int(payload.size()) + 8;
    b.append(char(type)).append(char(last ? 1 : 0)).append(char(len >> 8)).append(char(len & 0xFF));
    b.append(QByteArray("\x00\x00\x01\x00", 4));
    return b + payload;
}

QByteArray batch(const QString& sql)
{
    QByteArray b;
    put32(b, 4);  // no headers
    return b + utf16(sql);
}

QByteArray rpc(const QString& proc, const QByteArray& params)
{
    QByteArray b;
    put32(b, 4);
    put16(b, quint16(proc.size()));
    b += utf16(proc);
    put16(b, 0);
    return b + params;
}

QByteArray login7(const QString& user, const QString& password, const QString& database)
{
    QByteArray pwd = utf16(password);
    for (auto& ch : pwd) {
        const auto x = quint8(ch);
        ch = char(quint8((x << 4) | (x >> 4)) ^ 0xA5);
    }
    const QList<QByteArray> fields = {utf16("raw"), utf16(user), pwd, utf16("raw"), utf16(""),
                                      QByteArray(), utf16("raw"), utf16(""), utf16(database)};
    QByteArray head, data;
    put32(head, 0);  // length, set below
    put32(head, 0x74000004);
    put32(head, 4096);
    head.append(QByteArray(36 - 12, '\0'));
    int offset = 94;
    for (const auto& f : fields) {
        put16(head, quint16(offset));
        put16(head, quint16(f.size() / 2));
        data += f;
        offset += int(f.size());
    }
    head.append(QByteArray(94 - head.size(), '\0'));
    QByteArray all = head + data;
    const quint32 n = quint32(all.size());
    for (int i = 0; i < 4; ++i)
        all[i] = char(n >> (8 * i));
    return all;
}

class Client {
public:
    explicit Client(int port)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        timeval tv{3, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(quint16(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    }
    ~Client() { ::close(fd_); }

    void send_raw(const QByteArray& b)
    {
        if (::send(fd_, b.constData(), size_t(b.size()), MSG_NOSIGNAL) != b.size())
            ADD_FAILURE() << "send failed";
    }
    void send(quint8 type, const QByteArray& payload) { send_raw(packet(type, payload)); }

    // The payload of the next whole answer; empty with closed set when the endpoint hung up.
    QByteArray read_message(bool* closed)
    {
        *closed = false;
        QByteArray payload;
        for (;;) {
            QByteArray head = read(8, closed);
            if (head.size() < 8)
                return {};
            const int len = (quint8(head[2]) << 8) | quint8(head[3]);
            payload += read(len - 8, closed);
            if (*closed)
                return {};
            if (quint8(head[1]) & 1)
                return payload;
        }
    }

    bool login(const QString& user, const QString& password, const QString& database)
    {
        if (!connected_)
            return false;
        send(pkt_login7, login7(user, password, database));
        bool closed = false;
        const QByteArray answer = read_message(&closed);
        return !closed && answer.contains(char(0xAD));
    }

private:
    int fd_ = -1;
    bool connected_ = false;

    QByteArray read(int n, bool* closed)
    {
        QByteArray b;
        while (b.size() < n) {
            char buf[4096];
            const ssize_t got = ::recv(fd_, buf, size_t(std::min<qsizetype>(sizeof buf, n - b.size())), 0);
            if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                ADD_FAILURE() << "no answer within 3 s";
                *closed = false;
                return {};
            }
            if (got <= 0) {
                *closed = true;
                return {};
            }
            b.append(buf, got);
        }
        return b;
    }
};

} // namespace wire

qint64 big(qint64 v) { return v; }
QVariant i64(qint64 v) { return QVariant::fromValue<qint64>(v); }

struct TdsTest : ::testing::Test {
    central::Server srv;
    central::TdsEndpoint ep{srv};
    db::TdsDriver driver;

    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(ep.start(QStringLiteral("127.0.0.1"), 0, &error)) << qPrintable(error);
    }

    db::ConnectProps props() const
    {
        db::ConnectProps p;
        p.host = ep.host();
        p.port = ep.port();
        p.user = srv.model.db_user;
        p.password = srv.model.db_password;
        p.database = QStringLiteral("tovaren");
        p.workstation = QStringLiteral("0123456789abcdef01234567");
        p.app_name = QStringLiteral("3.8.2.4");
        p.login_timeout = 5;
        return p;
    }

    std::unique_ptr<db::Session> open()
    {
        QString error;
        auto s = driver.open(props(), &error);
        EXPECT_TRUE(s) << qPrintable(error);
        return s;
    }
};

// ---- parameters in and out ----

struct ParamCase {
    const char* label;
    Parameter param;
    QVariant server_sees;   // the value the procedure receives
    std::optional<QVariant> server_sets;  // for outputs: the value the procedure answers (none: left as sent)
    QVariant client_gets;   // for outputs: the value read back
};

TEST_F(TdsTest, EveryParameterTypeGoesInAndComesBackOut)
{
    const QDateTime stamp(QDate(2024, 2, 29), QTime(13, 45, 30, 123));
    const QString accents = QStringLiteral("Conexión Números ñÑ €");
    const QString long_text = QString(480, QLatin1Char('x')) + accents;
    const QList<ParamCase> cases = {
        {"tinyint in", {"a", db::adTinyInt, db::adParamInput, 0, 255}, i64(255), {}, {}},
        {"smallint in", {"a", db::adSmallInt, db::adParamInput, 0, -32768}, i64(-32768), {}, {}},
        {"int in", {"a", db::adInteger, db::adParamInput, 0, 2147483647}, i64(2147483647), {}, {}},
        {"int in negative", {"a", db::adInteger, db::adParamInput, 0, -2147483647 - 1}, i64(-2147483648LL), {}, {}},
        {"bigint in", {"a", db::adBigInt, db::adParamInput, 0, i64(9007199254740993LL)}, i64(9007199254740993LL), {}, {}},
        {"int from text", {"a", db::adInteger, db::adParamInput, 0, QStringLiteral(" 42 ")}, i64(42), {}, {}},
        {"double in", {"a", db::adDouble, db::adParamInput, 0, 0.1}, 0.1, {}, {}},
        {"date in", {"a", db::adDate, db::adParamInput, 0, QDate(2024, 2, 29)}, QDate(2024, 2, 29), {}, {}},
        {"datetime in", {"a", db::adDate, db::adParamInput, 0, stamp}, stamp, {}, {}},
        {"char keeps blanks", {"a", db::adChar, db::adParamInput, 12, QStringLiteral("Conexión  ")},
         QStringLiteral("Conexión  "), {}, {}},
        {"varchar in", {"a", db::adVarChar, db::adParamInput, 30, accents}, accents, {}, {}},
        {"empty varchar as a blank", {"a", db::adVarChar, db::adParamInput, 10, QString("")}, QStringLiteral(" "), {}, {}},
        {"empty char as a blank", {"a", db::adChar, db::adParamInput, 3, QString("")}, QStringLiteral(" "), {}, {}},
        {"null int", {"a", db::adInteger, db::adParamInput, 0, {}}, {}, {}, {}},
        {"null bigint", {"a", db::adBigInt, db::adParamInput, 0, {}}, {}, {}, {}},
        {"null varchar", {"a", db::adVarChar, db::adParamInput, 10, {}}, {}, {}, {}},
        {"null char", {"a", db::adChar, db::adParamInput, 10, {}}, {}, {}, {}},
        {"null date", {"a", db::adDate, db::adParamInput, 0, {}}, {}, {}, {}},
        {"null double", {"a", db::adDouble, db::adParamInput, 0, {}}, {}, {}, {}},
        {"tinyint out", {"a", db::adTinyInt, db::adParamOutput, 0, {}}, {}, 7, i64(7)},
        {"smallint in/out echoed", {"a", db::adSmallInt, db::adParamInputOutput, 0, 5}, i64(5), {}, i64(5)},
        {"int out", {"a", db::adInteger, db::adParamOutput, 0, {}}, {}, -1, i64(-1)},
        {"bigint out", {"a", db::adBigInt, db::adParamOutput, 0, {}}, {}, i64(1234567890123LL), i64(1234567890123LL)},
        {"double out", {"a", db::adDouble, db::adParamOutput, 0, {}}, {}, 2.5, 2.5},
        {"date out", {"a", db::adDate, db::adParamOutput, 0, {}}, {}, QDate(2000, 1, 1), QDate(2000, 1, 1)},
        {"char out", {"a", db::adChar, db::adParamOutput, 10, {}}, {}, QStringLiteral("12/05/2024"),
         QStringLiteral("12/05/2024")},
        {"char out with accents", {"a", db::adChar, db::adParamOutput, 10, {}}, {}, QStringLiteral("Día único"),
         QStringLiteral("Día único")},
        {"varchar out long", {"a", db::adVarChar, db::adParamOutput, 500, {}}, {}, long_text, long_text},
        {"varchar out null", {"a", db::adVarChar, db::adParamOutput, 500, QStringLiteral("x")}, QStringLiteral("x"),
         QVariant(), {}},
        {"int out from text", {"a", db::adInteger, db::adParamOutput, 0, {}}, {}, QStringLiteral("17"), i64(17)},
    };
    auto s = open();
    ASSERT_TRUE(s);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        QVariant seen = QStringLiteral("not called");
        srv.register_procedure("probe", [&](Request& r) {
            seen = r.arg(0);
            if (c.server_sets)
                r.out(0, *c.server_sets);
            return true;
        });
        QList<Parameter> params{c.param};
        QList<db::ResultSet> sets;
        QString error;
        ASSERT_TRUE(s->call("probe", params, sets, &error)) << qPrintable(error);
        EXPECT_EQ(seen.isNull(), c.server_sees.isNull());
        EXPECT_EQ(seen, c.server_sees) << qPrintable(seen.toString());
        if (c.param.dir != db::adParamInput) {
            EXPECT_EQ(params[0].value.isNull(), c.client_gets.isNull());
            EXPECT_EQ(params[0].value, c.client_gets) << qPrintable(params[0].value.toString());
        } else {
            EXPECT_EQ(params[0].value, c.param.value);  // an input is left alone
        }
    }
}

TEST_F(TdsTest, OutputsAndReturnStatusArriveAfterEveryResultSet)
{
    const QString long_text = QString(5000, QLatin1Char('z')) + QStringLiteral("é");
    srv.register_procedure("several", [&](Request& r) {
        r.rows({"nombre", "valor"}).rows << QVariantList{"CODIGO_VEN", "001"} << QVariantList{"TKMENS_001", "hola  "};
        r.rows({"vacio"});                       // columns, no rows
        r.sets.append(db::ResultSet{});          // no columns: not a result set
        auto& typed = r.rows({"n", "f", "d", "t", "s", "nulls", "empty", "long"});
        typed.rows << QVariantList{qint64(-5), 1.25, QDate(2023, 12, 31), QDateTime(QDate(2023, 12, 31), QTime(23, 59, 58)),
                                   "Números ", QVariant(), QString(""), long_text}
                   << QVariantList{16, QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()};
        r.status = 7;
        r.out(1, QStringLiteral("2024-05-12"));
        r.out(2, 99);
        return true;
    });
    auto s = open();
    ASSERT_TRUE(s);
    QList<Parameter> params{{"d0", db::adBigInt, db::adParamReturnValue, 0, {}},
                            {"d1", db::adVarChar, db::adParamInput, 10, "in"},
                            {"d2", db::adChar, db::adParamOutput, 10, {}},
                            {"d3", db::adBigInt, db::adParamOutput, 0, {}}};
    QList<db::ResultSet> sets;
    QString error;
    ASSERT_TRUE(s->call("several", params, sets, &error)) << qPrintable(error);
    EXPECT_EQ(params[0].value, i64(7));
    EXPECT_EQ(params[2].value, QVariant(QStringLiteral("2024-05-12")));
    EXPECT_EQ(params[3].value, i64(99));
    ASSERT_EQ(sets.size(), 3);
    EXPECT_EQ(sets[0].columns, QStringList({"nombre", "valor"}));
    ASSERT_EQ(sets[0].rows.size(), 2);
    EXPECT_EQ(sets[0].rows[1], QVariantList({"TKMENS_001", "hola  "}));
    EXPECT_EQ(sets[1].columns, QStringList({"vacio"}));
    EXPECT_TRUE(sets[1].rows.isEmpty());
    ASSERT_EQ(sets[2].rows.size(), 2);
    const QVariantList& row = sets[2].rows[0];
    EXPECT_EQ(row[0], i64(-5));
    EXPECT_EQ(row[1], QVariant(1.25));
    EXPECT_EQ(row[2], QVariant(QDate(2023, 12, 31)));
    EXPECT_EQ(row[3], QVariant(QDateTime(QDate(2023, 12, 31), QTime(23, 59, 58))));
    EXPECT_EQ(row[4], QVariant(QStringLiteral("Números ")));
    EXPECT_TRUE(row[5].isNull());
    EXPECT_FALSE(row[6].isNull());
    EXPECT_EQ(row[6], QVariant(QString("")));
    EXPECT_EQ(row[7], QVariant(long_text));
    EXPECT_EQ(sets[2].rows[1][0], i64(16));
    for (int i = 1; i < 8; ++i)
        EXPECT_TRUE(sets[2].rows[1][i].isNull()) << i;

    srv.no_recordset("several");
    ASSERT_TRUE(s->call("several", params, sets, &error)) << qPrintable(error);
    EXPECT_TRUE(sets.isEmpty());
    EXPECT_EQ(params[0].value, i64(7));
}

TEST_F(TdsTest, LoginCarriesTheConnectionPropertiesAndUseSwitchesTheDatabase)
{
    QStringList databases;
    srv.register_procedure("where", [&](Request& r) {
        databases << r.database;
        return true;
    });
    auto s = open();
    ASSERT_TRUE(s);
    EXPECT_EQ(srv.last_open.user, srv.model.db_user);
    EXPECT_EQ(srv.last_open.password, srv.model.db_password);
    EXPECT_EQ(srv.last_open.workstation, QStringLiteral("0123456789abcdef01234567"));
    EXPECT_EQ(srv.last_open.app_name, QStringLiteral("3.8.2.4"));
    EXPECT_EQ(srv.last_open.database, QStringLiteral("tovaren"));
    QList<Parameter> none;
    QList<db::ResultSet> sets;
    QString error;
    ASSERT_TRUE(s->call("where", none, sets, &error));
    ASSERT_TRUE(s->use(QStringLiteral("ventas 2]"), &error)) << qPrintable(error);
    ASSERT_TRUE(s->call("where", none, sets, &error));
    EXPECT_EQ(databases, QStringList({"tovaren", "ventas 2]"}));
}

TEST_F(TdsTest, RefusedLoginFailsWithTheServersWords)
{
    auto p = props();
    p.password = QStringLiteral("wrong");
    QString error;
    EXPECT_FALSE(driver.open(p, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Login failed"))) << qPrintable(error);
    EXPECT_EQ(srv.opens, 0);

    srv.fail_next_open();
    EXPECT_FALSE(driver.open(props(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(open());  // the next one gets in
}

TEST_F(TdsTest, FailedCallsReportTheErrorAndTellWhetherTheSessionBroke)
{
    srv.register_procedure("tiny", [](Request& r) {
        r.out(0, 300);  // does not fit the tinyint that was sent
        return true;
    });
    auto s = open();
    ASSERT_TRUE(s);
    QList<Parameter> params{{"r", db::adInteger, db::adParamReturnValue, 0, {}}, {"x", db::adTinyInt, db::adParamOutput, 0, {}}};
    QList<db::ResultSet> sets;
    QString error;

    EXPECT_FALSE(s->call("missing", params, sets, &error));
    EXPECT_EQ(error, QStringLiteral("Could not find stored procedure 'missing'."));
    EXPECT_FALSE(s->broken());

    error.clear();
    EXPECT_FALSE(s->call("tiny", params, sets, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("overflow"))) << qPrintable(error);
    EXPECT_FALSE(s->broken());

    ASSERT_TRUE(s->call("stacox", params, sets, &error)) << qPrintable(error);  // still usable
    EXPECT_EQ(params[0].value, i64(0));

    srv.fail_next(1);  // the server goes away under the call
    error.clear();
    EXPECT_FALSE(s->call("stacox", params, sets, &error));
    EXPECT_TRUE(s->broken());
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(s->call("stacox", params, sets, &error));
    EXPECT_FALSE(s->use(QStringLiteral("x"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(TdsTest, ValuesThatDoNotFitTheirTypeAreRefusedBeforeAnythingIsSent)
{
    auto s = open();
    ASSERT_TRUE(s);
    QList<db::ResultSet> sets;
    QString error;
    QList<Parameter> params{{"x", db::adTinyInt, db::adParamInput, 0, 256}};
    EXPECT_FALSE(s->call("stacox", params, sets, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("tinyint"))) << qPrintable(error);
    EXPECT_FALSE(s->broken());
    EXPECT_TRUE(srv.log.isEmpty());
}

TEST_F(TdsTest, DroppedConnectionsBreakTheNextCall)
{
    auto s = open();
    ASSERT_TRUE(s);
    EXPECT_EQ(ep.connections(), 1);
    ep.drop_connections();
    QList<Parameter> params;
    QList<db::ResultSet> sets;
    QString error;
    EXPECT_FALSE(s->call("stacox", params, sets, &error));
    EXPECT_TRUE(s->broken());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(srv.log.isEmpty());
    auto again = open();
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->call("stacox", params, sets, &error)) << qPrintable(error);
}

int free_port()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

TEST_F(TdsTest, NothingListeningFailsAtOnce)
{
    auto p = props();
    p.port = free_port();
    QElapsedTimer t;
    t.start();
    QString error;
    EXPECT_FALSE(driver.open(p, &error));
    EXPECT_LT(t.elapsed(), 900);
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(TdsTest, ServerThatNeverAnswersTimesTheLoginOut)
{
    // A listener nobody accepts from: the connection is made, no answer ever comes.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::listen(fd, 4), 0);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    auto p = props();
    p.port = ntohs(a.sin_port);
    p.login_timeout = 1;
    QElapsedTimer t;
    t.start();
    QString error;
    EXPECT_FALSE(driver.open(p, &error));
    const qint64 ms = t.elapsed();
    ::close(fd);
    EXPECT_GE(ms, 900);
    EXPECT_LT(ms, 3000);
    EXPECT_FALSE(error.isEmpty());
}

// ---- the reconnect rule through the real driver ----

struct TdsApp {
    fake::Dialogs* dlg;
    std::unique_ptr<App> app;

    explicit TdsApp(const central::TdsEndpoint& ep, const central::Server& srv)
    {
        Services s;
        auto d = std::make_unique<fake::Dialogs>();
        dlg = d.get();
        s.dialogs = std::move(d);
        s.settings = std::make_unique<fake::Settings>();
        s.printers = std::make_unique<fake::Printers>();
        s.http = std::make_unique<fake::Http>();
        s.system = std::make_unique<fake::System>();
        s.driver = std::make_unique<db::TdsDriver>();
        app = std::make_unique<App>(std::move(s));
        auto& c = app->dat_cox;
        c.srv_ip = ep.host();
        c.srv_port = QString::number(ep.port());
        c.bd_usr = srv.model.db_user;
        c.bd_clv = srv.model.db_password;
        c.srv_databs = QStringLiteral("tovaren");
        c.cod_guid = QStringLiteral("0123456789abcdef01234567");
    }
};

void add_getutq(db::Command& cmd)
{
    cmd.command_text = QStringLiteral("getutq");
    cmd.append("d0", db::adInteger, db::adParamReturnValue, 0);
    cmd.append("d1", db::adVarChar, db::adParamInput, 10, "CAJERO");
    cmd.append("d2", db::adVarChar, db::adParamInput, 10, "CLAVE");
    cmd.append("d3", db::adVarChar, db::adParamInput, 10, "0305419896");
    cmd.append("d4", db::adVarChar, db::adParamInput, 8, "3.8.2.4");
    cmd.append("d5", db::adVarChar, db::adParamInput, 15, "10.1.1.1");
}

TEST_F(TdsTest, DroppedConnectionIsReopenedAndTheCallRetriedSilently)
{
    TdsApp t(ep, srv);
    App& app = *t.app;
    ASSERT_TRUE(cox_reconnect(app));
    app.flg_nocox = 0;
    ep.drop_connections();

    add_getutq(app.cmd_sp);
    db::Recordset rs;
    EXPECT_TRUE(sp_exec(app, app.cmd_sp, rs, true));
    EXPECT_TRUE(t.dlg->boxes.isEmpty());
    EXPECT_EQ(app.flg_nocox, 0);
    EXPECT_EQ(srv.opens, 2);
    EXPECT_EQ(srv.procs(), QStringList({"getutq"}));
    EXPECT_EQ(app.cmd_sp.value("d0"), i64(0));
    QString name;
    ASSERT_FALSE(rs.eof());
    EXPECT_TRUE(rs.read_text("nombre", name));
    EXPECT_FALSE(name.isEmpty());

    // A drop with the reopen refused: one message, the connection given up.
    ep.drop_connections();
    srv.fail_next_open();
    EXPECT_FALSE(sp_exec(app, app.cmd_sp, rs));
    EXPECT_EQ(t.dlg->texts(), QStringList({QStringLiteral("No hay conexión con el servidor.") + QString(10, ' ')}));
    EXPECT_EQ(app.flg_nocox, 1);
    EXPECT_EQ(app.cox_bd.state(), db::adStateClosed);
    EXPECT_TRUE(app.cmd_sp.params().isEmpty());
}

// ---- the endpoint itself, spoken to byte by byte ----

TEST_F(TdsTest, EndpointAnswersBadRequestsWithErrorsAndBadPacketsByHangingUp)
{
    struct Case {
        const char* label;
        quint8 type;
        QByteArray payload;
        quint8 expect_first;   // first token of the answer
    };
    const QList<Case> cases = {
        {"batch other than use", wire::pkt_batch, wire::batch("select 1"), wire::tok_error},
        {"use with brackets", wire::pkt_batch, wire::batch("USE [a]]b];"), wire::tok_envchange},
        {"rpc of an unknown data type", wire::pkt_rpc, wire::rpc("stacox", QByteArray("\x00\x00\x22\x00\x00\x00\x00", 7)),
         wire::tok_error},
        {"rpc cut short", wire::pkt_rpc, wire::rpc("stacox", QByteArray("\x00\x00\x26\x04\x04\x01", 6)), wire::tok_error},
        {"rpc with a wrong value length", wire::pkt_rpc, wire::rpc("stacox", QByteArray("\x00\x00\x26\x04\x03\x01\x02\x03", 8)),
         wire::tok_error},
        {"rpc by procedure id", wire::pkt_rpc, QByteArray("\x04\x00\x00\x00\xff\xff\x0a\x00\x00\x00", 10), wire::tok_error},
        {"rpc without headers", wire::pkt_rpc, QByteArray("\x01", 1), wire::tok_error},
        {"unknown request type", 0x0E, QByteArray("\x00\x00", 2), wire::tok_error},
        {"cancel", wire::pkt_attention, QByteArray(), wire::tok_done},
        {"good rpc", wire::pkt_rpc, wire::rpc("stacox", QByteArray()), wire::tok_returnstatus},
    };
    wire::Client c(ep.port());
    ASSERT_TRUE(c.login(srv.model.db_user, srv.model.db_password, "tovaren"));
    for (const auto& k : cases) {
        SCOPED_TRACE(k.label);
        c.send(k.type, k.payload);
        bool closed = false;
        const QByteArray answer = c.read_message(&closed);
        ASSERT_FALSE(closed);
        ASSERT_FALSE(answer.isEmpty());
        EXPECT_EQ(quint8(answer[0]), k.expect_first);
    }

    const QList<QPair<const char*, QByteArray>> fatal = {
        {"packet shorter than its header", QByteArray("\x03\x01\x00\x04\x00\x00\x01\x00", 8)},
        {"second login", wire::packet(wire::pkt_login7, QByteArray(100, '\0'))},
        {"mixed message types", wire::packet(wire::pkt_rpc, "ab", false) + wire::packet(wire::pkt_batch, "cd")},
    };
    for (const auto& [label, bytes] : fatal) {
        SCOPED_TRACE(label);
        wire::Client k(ep.port());
        ASSERT_TRUE(k.login(srv.model.db_user, srv.model.db_password, "tovaren"));
        k.send_raw(bytes);
        bool closed = false;
        k.read_message(&closed);
        EXPECT_TRUE(closed);
    }

    const QList<QPair<const char*, QByteArray>> before_login = {
        {"call before login", wire::packet(wire::pkt_rpc, wire::rpc("stacox", QByteArray()))},
        {"login too short", wire::packet(wire::pkt_login7, QByteArray(40, '\0'))},
        {"login with fields outside it", wire::packet(wire::pkt_login7, QByteArray(94, '\x7f'))},
    };
    for (const auto& [label, bytes] : before_login) {
        SCOPED_TRACE(label);
        wire::Client k(ep.port());
        k.send_raw(bytes);
        bool closed = false;
        k.read_message(&closed);
        EXPECT_TRUE(closed);
    }
    EXPECT_EQ(srv.opens, 1 + 3);
    EXPECT_EQ(srv.procs(), QStringList({"stacox"}));
}

TEST_F(TdsTest, EndpointRecordsTheLastCallAndStopsCleanly)
{
    auto s = open();
    ASSERT_TRUE(s);
    QList<Parameter> params{{"t0", db::adInteger, db::adParamReturnValue, 0, {}}};
    QList<db::ResultSet> sets;
    QString error;
    ASSERT_TRUE(s->call("stacox", params, sets, &error));
    const QByteArray req = ep.last_request(), ans = ep.last_answer();
    ASSERT_GE(req.size(), 8);
    EXPECT_EQ(quint8(req[0]), wire::pkt_rpc);
    ASSERT_GE(ans.size(), 8);
    EXPECT_EQ(quint8(ans[0]), 0x04);
    EXPECT_EQ(ep.with_server([](central::Server& server) { return server.procs(); }), QStringList({"stacox"}));
    ep.stop();
    EXPECT_FALSE(ep.running());
    EXPECT_FALSE(s->call("stacox", params, sets, &error));
    EXPECT_TRUE(s->broken());
}

// ---- the type mapping, without a server ----

TEST(TdsMapping, ParameterTypesMapToDbLibTypes)
{
    const QList<QPair<int, int>> map = {{db::adTinyInt, 48}, {db::adSmallInt, 52}, {db::adInteger, 56},
                                        {db::adBigInt, 127}, {db::adDouble, 62},   {db::adDate, 61},
                                        {db::adChar, 47},    {db::adVarChar, 39},  {999, 0}};
    for (const auto& [ado, syb] : map)
        EXPECT_EQ(db::tds::wire_type(ado), syb) << ado;
}

TEST(TdsMapping, EncodingRefusesValuesOutsideTheirType)
{
    struct Case {
        int type;
        QVariant value;
        bool ok;
    };
    const QList<Case> cases = {
        {db::adTinyInt, 0, true},           {db::adTinyInt, 255, true},
        {db::adTinyInt, 256, false},        {db::adTinyInt, -1, false},
        {db::adSmallInt, 32767, true},      {db::adSmallInt, 32768, false},
        {db::adSmallInt, -32769, false},    {db::adInteger, i64(2147483648LL), false},
        {db::adInteger, i64(-2147483648LL), true},
        {db::adBigInt, i64(std::numeric_limits<qint64>::min()), true},
        {db::adInteger, "12a", false},      {db::adInteger, 2.5, true},
        {db::adDouble, "x", false},         {db::adDouble, "2.5", true},
        {db::adDate, QDate(1753, 1, 1), true}, {db::adDate, QDate(1752, 12, 31), false},
        {db::adDate, "2024-02-30", false},  {db::adDate, "29/02/2024", true},
        {db::adDate, 5, false},             {77, 1, false},
    };
    for (const auto& c : cases) {
        db::tds::WireParam w;
        QString error;
        EXPECT_EQ(db::tds::encode({"p", c.type, db::adParamInput, 0, c.value}, w, &error), c.ok)
            << c.type << " " << qPrintable(c.value.toString());
        EXPECT_EQ(error.isEmpty(), c.ok);
    }
}

TEST(TdsMapping, EncodingOfNullsTextsAndOutputs)
{
    db::tds::WireParam w;
    QString error;
    ASSERT_TRUE(db::tds::encode({"p", db::adInteger, db::adParamInput, 0, {}}, w, &error));
    EXPECT_TRUE(w.null);
    EXPECT_EQ(w.status, 0);
    EXPECT_EQ(w.maxlen, -1);

    ASSERT_TRUE(db::tds::encode({"p", db::adSmallInt, db::adParamInput, 0, -2}, w, &error));
    EXPECT_EQ(w.data, QByteArray("\xfe\xff", 2));

    ASSERT_TRUE(db::tds::encode({"p", db::adVarChar, db::adParamInput, 10, QString("")}, w, &error));
    EXPECT_FALSE(w.null);
    EXPECT_EQ(w.data, QByteArray(" "));

    ASSERT_TRUE(db::tds::encode({"p", db::adChar, db::adParamInput, 10, QStringLiteral("ñ ")}, w, &error));
    EXPECT_EQ(w.data, QByteArray("\xc3\xb1 "));

    // Outputs ask for room: the declared size, or more when the value sent is longer in bytes.
    ASSERT_TRUE(db::tds::encode({"p", db::adChar, db::adParamOutput, 10, {}}, w, &error));
    EXPECT_EQ(w.status, 1);
    EXPECT_EQ(w.maxlen, 10);
    ASSERT_TRUE(db::tds::encode({"p", db::adVarChar, db::adParamInputOutput, 3, QStringLiteral("ñññ")}, w, &error));
    EXPECT_EQ(w.maxlen, 6);
    ASSERT_TRUE(db::tds::encode({"p", db::adInteger, db::adParamOutput, 0, {}}, w, &error));
    EXPECT_EQ(w.maxlen, -1);
    EXPECT_EQ(w.status, 1);
}

TEST(TdsMapping, DatetimeKeepsMillisecondsToTheServersPrecision)
{
    struct Case {
        QVariant in;
        qint32 days, ticks;
        QVariant back;
    };
    const QDate d(2024, 2, 29);
    const QList<Case> cases = {
        {QDate(1900, 1, 1), 0, 0, QDate(1900, 1, 1)},
        {QDate(1753, 1, 1), -53690, 0, QDate(1753, 1, 1)},
        {d, 45349, 0, d},
        {QDateTime(d, QTime(0, 0, 0, 3)), 45349, 1, QDateTime(d, QTime(0, 0, 0, 3))},
        {QDateTime(d, QTime(12, 0)), 45349, 12 * 3600 * 300, QDateTime(d, QTime(12, 0))},
        {QDateTime(d, QTime(13, 45, 30, 123)), 45349, (13 * 3600 + 45 * 60 + 30) * 300 + 37,
         QDateTime(d, QTime(13, 45, 30, 123))},
        {QDateTime(d, QTime(23, 59, 59, 999)), 45350, 0, QDate(2024, 3, 1)},
        {QStringLiteral("2024-02-29T10:00:00"), 45349, 10 * 3600 * 300, QDateTime(d, QTime(10, 0))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.in.toString()));
        db::tds::DateTime dt;
        ASSERT_TRUE(db::tds::to_datetime(c.in, dt));
        EXPECT_EQ(dt.days, c.days);
        EXPECT_EQ(dt.ticks, c.ticks);
        EXPECT_EQ(db::tds::from_datetime(dt), c.back);
    }
}

TEST(TdsMapping, DecodingValuesFromDbLib)
{
    auto bytes = [](auto v) { return QByteArray(reinterpret_cast<const char*>(&v), sizeof v); };
    auto dec = [](int type, const QByteArray& b) {
        return db::tds::decode(type, reinterpret_cast<const unsigned char*>(b.constData()), int(b.size()));
    };
    EXPECT_EQ(dec(48, QByteArray("\xff", 1)), i64(255));  // tinyint is unsigned
    EXPECT_EQ(dec(52, bytes(qint16(-7))), i64(-7));
    EXPECT_EQ(dec(56, bytes(qint32(-70000))), i64(-70000));
    EXPECT_EQ(dec(127, bytes(big(1) << 40)), i64(big(1) << 40));
    EXPECT_EQ(dec(38, bytes(qint32(9))), i64(9));          // INTN by its length
    EXPECT_EQ(dec(38, bytes(qint64(-9))), i64(-9));
    EXPECT_EQ(dec(62, bytes(2.75)), QVariant(2.75));
    EXPECT_EQ(dec(109, bytes(1.5f)), QVariant(1.5));
    EXPECT_EQ(dec(47, QByteArray("ab  ")), QVariant(QStringLiteral("ab  ")));
    EXPECT_EQ(dec(39, QByteArray("Conexi\xc3\xb3n")), QVariant(QStringLiteral("Conexión")));
    EXPECT_EQ(dec(39, QByteArray("")), QVariant(QString("")));
    EXPECT_FALSE(dec(39, QByteArray("")).isNull());
    EXPECT_EQ(dec(61, bytes(qint64(45349))), QVariant(QDate(2024, 2, 29)));  // days, then ticks 0
    EXPECT_TRUE(db::tds::decode(56, nullptr, 0).isNull());

    EXPECT_EQ(db::tds::coerce(db::adDate, QDateTime(QDate(2024, 1, 2), QTime(3, 4))), QVariant(QDate(2024, 1, 2)));
    EXPECT_EQ(db::tds::coerce(db::adInteger, QStringLiteral("15")), i64(15));
    EXPECT_TRUE(db::tds::coerce(db::adInteger, QStringLiteral("x")).isNull());
    EXPECT_EQ(db::tds::coerce(db::adChar, i64(3)), QVariant(QStringLiteral("3")));
}

} // namespace
