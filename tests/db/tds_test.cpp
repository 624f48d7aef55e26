// The FreeTDS driver against the central-server double behind its TDS endpoint, on loopback,
// and the value mapping the driver uses.
#include "core/db/tds_driver.h"
#include "core/db/values.h"
#include "central/tds_endpoint.h"
#include "tests/db/db_rig.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>

namespace {

using central::Request;
using db::Parameter;

QVariant i64(qint64 v) { return QVariant::fromValue<qint64>(v); }

// A loopback port nobody listens on; with `listener`, one that listens but never accepts
// (its descriptor is handed back for the caller to close).
int loopback_port(int* listener = nullptr)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    if (listener && ::listen(fd, 4) == 0)
        *listener = fd;
    else
        ::close(fd);
    return ntohs(a.sin_port);
}

struct TdsTest : ::testing::Test {
    central::Server srv;
    central::TdsEndpoint ep{srv};
    db::TdsDriver driver;
    QList<db::ResultSet> sets;
    QString error;

    void SetUp() override { ASSERT_TRUE(ep.start(QStringLiteral("127.0.0.1"), 0, &error)) << qPrintable(error); }

    db::ConnectProps props() const
    {
        return {ep.host(), ep.port(), srv.model.db_user, srv.model.db_password, "tovaren", "0123456789abcdef01234567",
                "3.8.2.4", 5};
    }

    std::unique_ptr<db::Session> open()
    {
        auto s = driver.open(props(), &error);
        EXPECT_TRUE(s) << qPrintable(error);
        return s;
    }

    bool call(db::Session& s, const QString& proc, QList<Parameter>& params)
    {
        error.clear();
        return s.call(proc, params, sets, &error);
    }
};

TEST_F(TdsTest, EveryParameterTypeGoesInAndComesBackOut)
{
    struct Case {
        const char* label;
        Parameter param;
        QVariant server_sees;                 // the value the procedure receives
        std::optional<QVariant> server_sets;  // for outputs: the answer (none: left as sent)
        QVariant client_gets;                 // for outputs: the value read back
    };
    const QDateTime stamp(QDate(2024, 2, 29), QTime(13, 45, 30, 123));
    const QString accents = QStringLiteral("Conexión Números ñÑ €");
    const QString long_text = QString(480, QLatin1Char('x')) + accents;
    using namespace db;
    const QList<Case> cases = {
        {"tinyint in", {"a", adTinyInt, adParamInput, 0, 255}, i64(255), {}, {}},
        {"smallint in", {"a", adSmallInt, adParamInput, 0, -32768}, i64(-32768), {}, {}},
        {"int in", {"a", adInteger, adParamInput, 0, 2147483647}, i64(2147483647), {}, {}},
        {"int in negative", {"a", adInteger, adParamInput, 0, -2147483647 - 1}, i64(-2147483648LL), {}, {}},
        {"bigint in", {"a", adBigInt, adParamInput, 0, i64(9007199254740993LL)}, i64(9007199254740993LL), {}, {}},
        {"int from text", {"a", adInteger, adParamInput, 0, QStringLiteral(" 42 ")}, i64(42), {}, {}},
        {"double in", {"a", adDouble, adParamInput, 0, 0.1}, 0.1, {}, {}},
        {"date in", {"a", adDate, adParamInput, 0, QDate(2024, 2, 29)}, QDate(2024, 2, 29), {}, {}},
        {"datetime in", {"a", adDate, adParamInput, 0, stamp}, stamp, {}, {}},
        {"datetime in rounds into the next day", {"a", adDate, adParamInput, 0, QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59, 999))},
         QDate(2024, 3, 1), {}, {}},
        {"earliest date", {"a", adDate, adParamInput, 0, QDate(1753, 1, 1)}, QDate(1753, 1, 1), {}, {}},
        {"date from text", {"a", adDate, adParamInput, 0, QStringLiteral("2024-02-29T10:00:00")},
         QDateTime(QDate(2024, 2, 29), QTime(10, 0)), {}, {}},
        {"date from day/month/year", {"a", adDate, adParamInput, 0, QStringLiteral("29/02/2024")}, QDate(2024, 2, 29), {}, {}},
        {"char keeps blanks", {"a", adChar, adParamInput, 12, QStringLiteral("Conexión  ")},
         QStringLiteral("Conexión  "), {}, {}},
        {"varchar in", {"a", adVarChar, adParamInput, 30, accents}, accents, {}, {}},
        {"empty varchar as a blank", {"a", adVarChar, adParamInput, 10, QString("")}, QStringLiteral(" "), {}, {}},
        {"empty char as a blank", {"a", adChar, adParamInput, 3, QString("")}, QStringLiteral(" "), {}, {}},
        {"null int", {"a", adInteger, adParamInput, 0, {}}, {}, {}, {}},
        {"null bigint", {"a", adBigInt, adParamInput, 0, {}}, {}, {}, {}},
        {"null varchar", {"a", adVarChar, adParamInput, 10, {}}, {}, {}, {}},
        {"null char", {"a", adChar, adParamInput, 10, {}}, {}, {}, {}},
        {"null date", {"a", adDate, adParamInput, 0, {}}, {}, {}, {}},
        {"null double", {"a", adDouble, adParamInput, 0, {}}, {}, {}, {}},
        {"tinyint out", {"a", adTinyInt, adParamOutput, 0, {}}, {}, 200, i64(200)},
        {"smallint in/out echoed", {"a", adSmallInt, adParamInputOutput, 0, 5}, i64(5), {}, i64(5)},
        {"varchar in/out longer in bytes than its size", {"a", adVarChar, adParamInputOutput, 3, QStringLiteral("ñññ")},
         QStringLiteral("ñññ"), {}, QStringLiteral("ñññ")},
        {"int out", {"a", adInteger, adParamOutput, 0, {}}, {}, -1, i64(-1)},
        {"bigint out", {"a", adBigInt, adParamOutput, 0, {}}, {}, i64(1234567890123LL), i64(1234567890123LL)},
        {"double out", {"a", adDouble, adParamOutput, 0, {}}, {}, 2.5, 2.5},
        {"date out", {"a", adDate, adParamOutput, 0, {}}, {}, QDate(2000, 1, 1), QDate(2000, 1, 1)},
        {"char out", {"a", adChar, adParamOutput, 10, {}}, {}, QStringLiteral("12/05/2024"), QStringLiteral("12/05/2024")},
        {"char out with accents", {"a", adChar, adParamOutput, 10, {}}, {}, QStringLiteral("Día único"),
         QStringLiteral("Día único")},
        {"varchar out long", {"a", adVarChar, adParamOutput, 500, {}}, {}, long_text, long_text},
        {"varchar out null", {"a", adVarChar, adParamOutput, 500, QStringLiteral("x")}, QStringLiteral("x"), QVariant(), {}},
        {"int out from text", {"a", adInteger, adParamOutput, 0, {}}, {}, QStringLiteral("17"), i64(17)},
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
        ASSERT_TRUE(call(*s, "probe", params)) << qPrintable(error);
        EXPECT_EQ(seen.isNull(), c.server_sees.isNull());
        EXPECT_EQ(seen, c.server_sees) << qPrintable(seen.toString());
        const QVariant want = c.param.dir == adParamInput ? c.param.value : c.client_gets;  // inputs stay
        EXPECT_EQ(params[0].value.isNull(), want.isNull());
        EXPECT_EQ(params[0].value, want) << qPrintable(params[0].value.toString());
    }
}

TEST_F(TdsTest, OutputsAndReturnStatusArriveAfterEveryResultSet)
{
    const QString long_text = QString(5000, QLatin1Char('z')) + QStringLiteral("é");
    const QDateTime stamp(QDate(2023, 12, 31), QTime(23, 59, 58, 997));
    srv.register_procedure("several", [&](Request& r) {
        r.rows({"nombre", "valor"}).rows << QVariantList{"CODIGO_VEN", "001"} << QVariantList{"TKMENS_001", "hola  "};
        r.rows({"vacio"});               // columns, no rows
        r.sets.append(db::ResultSet{});  // no columns: not a result set
        r.rows({"n", "f", "d", "t", "s", "nulls", "empty", "long"}).rows
            << QVariantList{qint64(-5), 1.25, QDate(2023, 12, 31), stamp, "Números ", QVariant(), QString(""), long_text}
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
    ASSERT_TRUE(call(*s, "several", params)) << qPrintable(error);
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
    EXPECT_EQ(row, QVariantList({i64(-5), 1.25, QDate(2023, 12, 31), stamp, QStringLiteral("Números "), QVariant(),
                                 QString(""), long_text}));
    EXPECT_TRUE(row[5].isNull());
    EXPECT_FALSE(row[6].isNull());
    EXPECT_EQ(sets[2].rows[1][0], i64(16));
    for (int i = 1; i < 8; ++i)
        EXPECT_TRUE(sets[2].rows[1][i].isNull()) << i;

    srv.no_recordset("several");
    ASSERT_TRUE(call(*s, "several", params)) << qPrintable(error);
    EXPECT_TRUE(sets.isEmpty());
    EXPECT_EQ(params[0].value, i64(7));
}

TEST_F(TdsTest, LoginCarriesThePropertiesAndFailsClearlyAndUseSwitchesTheDatabase)
{
    QStringList databases;
    srv.register_procedure("where", [&](Request& r) {
        databases << r.database;
        return true;
    });
    auto s = open();
    ASSERT_TRUE(s);
    const auto& o = srv.last_open;
    EXPECT_EQ(QStringList({o.user, o.password, o.workstation, o.app_name, o.database}),
              QStringList({srv.model.db_user, srv.model.db_password, "0123456789abcdef01234567", "3.8.2.4", "tovaren"}));
    QList<Parameter> none;
    ASSERT_TRUE(call(*s, "where", none));
    ASSERT_TRUE(s->use(QStringLiteral("ventas 2]"), &error)) << qPrintable(error);
    ASSERT_TRUE(call(*s, "where", none));
    EXPECT_EQ(databases, QStringList({"tovaren", "ventas 2]"}));

    auto p = props();
    p.password = QStringLiteral("wrong");
    EXPECT_FALSE(driver.open(p, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Login failed"))) << qPrintable(error);
    EXPECT_EQ(srv.opens, 1);

    srv.fail_next_open();
    error.clear();
    EXPECT_FALSE(driver.open(props(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(open());

    // Nobody listening: fails at once.
    p = props();
    p.port = loopback_port();
    QElapsedTimer t;
    t.start();
    error.clear();
    EXPECT_FALSE(driver.open(p, &error));
    EXPECT_LT(t.elapsed(), 900);
    EXPECT_FALSE(error.isEmpty());

    // A listener that never answers: the login times out.
    int fd = -1;
    p.port = loopback_port(&fd);
    ASSERT_GE(fd, 0);
    p.login_timeout = 1;
    t.restart();
    error.clear();
    EXPECT_FALSE(driver.open(p, &error));
    const qint64 ms = t.elapsed();
    ::close(fd);
    EXPECT_GE(ms, 900);
    EXPECT_LT(ms, 3000);
    EXPECT_FALSE(error.isEmpty());
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

    EXPECT_FALSE(call(*s, "missing", params));
    EXPECT_EQ(error, QStringLiteral("Could not find stored procedure 'missing'."));
    EXPECT_FALSE(s->broken());

    EXPECT_FALSE(call(*s, "tiny", params));
    EXPECT_TRUE(error.contains(QStringLiteral("overflow"))) << qPrintable(error);
    EXPECT_FALSE(s->broken());

    // A value that does not fit its type is refused before anything is sent.
    const auto logged = srv.log.size();
    QList<Parameter> too_big{{"x", db::adTinyInt, db::adParamInput, 0, 256}};
    EXPECT_FALSE(call(*s, "stacox", too_big));
    EXPECT_TRUE(error.contains(QStringLiteral("tinyint"))) << qPrintable(error);
    EXPECT_FALSE(s->broken());
    EXPECT_EQ(srv.log.size(), logged);

    ASSERT_TRUE(call(*s, "stacox", params)) << qPrintable(error);  // still usable
    EXPECT_EQ(params[0].value, i64(0));

    // The connection dropped: the next call fails without reaching the server.
    EXPECT_EQ(ep.connections(), 1);
    ep.drop_connections();
    EXPECT_FALSE(call(*s, "stacox", params));
    EXPECT_TRUE(s->broken());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(srv.procs(), QStringList({"missing", "tiny", "stacox"}));

    // The server goes away under a call; the session stays unusable.
    s = open();
    ASSERT_TRUE(s);
    srv.fail_next(1);
    EXPECT_FALSE(call(*s, "stacox", params));
    EXPECT_TRUE(s->broken());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(call(*s, "stacox", params));
    error.clear();
    EXPECT_FALSE(s->use(QStringLiteral("x"), &error));
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(call(*open(), "stacox", params)) << qPrintable(error);
}

// The call rule on the real driver: a dropped connection is reopened and the call run
// again silently; a server error is not; a server that vanished is found within the bound.
struct TdsRuleTest : TdsTest {
    DbRig r;
    void SetUp() override
    {
        TdsTest::SetUp();
        r.cox_bd.set_driver(driver);
        ASSERT_TRUE(r.point_at(ep.host(), ep.port()));
    }
    db::Reply getutq()
    {
        auto p = r.proc("getutq").ret("d0");
        int n = 0;
        for (const char* v : {"CAJERO", "CLAVE", "0305419896", "3.8.2.4", "10.1.1.1"})
            p.in(QString("d%1").arg(++n), db::adVarChar, 15, v);
        return p.exec();
    }
};

TEST_F(TdsRuleTest, DroppedConnectionIsReopenedAndTheCallRetriedSilently)
{
    ep.drop_connections();
    const db::Reply a = getutq();
    ASSERT_TRUE(a.ok);
    EXPECT_TRUE(r.dlg.boxes.isEmpty());
    EXPECT_EQ(r.flg_nocox, 0);
    EXPECT_EQ(srv.opens, 2);
    EXPECT_EQ(srv.procs(), QStringList({"getutq"}));
    EXPECT_EQ(a.status(-1), 0);
    EXPECT_FALSE(a.rows.eof());

    // A drop with the reopen refused: one message, the connection given up.
    ep.drop_connections();
    srv.fail_next_open();
    EXPECT_FALSE(getutq().ok);
    EXPECT_EQ(r.dlg.texts(), QStringList({QStringLiteral("No hay conexión con el servidor.") + QString(10, ' ')}));
    EXPECT_EQ(r.flg_nocox, 1);
    EXPECT_EQ(r.cox_bd.state(), db::adStateClosed);
    EXPECT_TRUE(r.cmd_sp.params().isEmpty());
}

TEST_F(TdsRuleTest, ServerErrorOnALiveSessionIsNeitherReopenedNorRunAgain)
{
    srv.error_next(1, "getutq");
    EXPECT_FALSE(getutq().ok);
    EXPECT_EQ(srv.opens, 1);
    EXPECT_EQ(srv.procs(), QStringList({"getutq"}));
    EXPECT_EQ(r.dlg.boxes.size(), 1);
    EXPECT_EQ(r.flg_nocox, 1);
    EXPECT_TRUE(r.cmd_sp.params().isEmpty());
}

TEST_F(TdsRuleTest, VanishedServerFailsTheCallWithinTheKeepAliveBound)
{
    // Probes after a second of silence; a second without an answer gives the connection up.
    db::TdsDriver quick(db::Liveness{1, 1, 1, 1000});
    r.cox_bd.set_driver(quick);
    ASSERT_TRUE(r.point_at(ep.host(), ep.port()));
    // The first call and its retry both find the server gone.
    ep.vanish_at_next_calls(2);
    const int opens = srv.opens;
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(getutq().ok);
    EXPECT_LT(t.elapsed(), 10000);
    EXPECT_EQ(srv.opens, opens + 1);
    EXPECT_TRUE(srv.procs().isEmpty());  // gone before they reached it
    EXPECT_GE(t.elapsed(), 2000);         // found by the probes, not by anything sooner
    EXPECT_EQ(r.dlg.boxes.size(), 1);
    EXPECT_EQ(r.flg_nocox, 1);
    // The keep-alive's next probe finds the server again.
    EXPECT_TRUE(r.point_at(ep.host(), ep.port()));
}

TEST(TdsKeepAlive, SocketGetsTheConfiguredLimits)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_TRUE(db::tds::keep_alive(fd, db::Liveness{7, 3, 5, 45000}));
    int v = 0;
    socklen_t len = sizeof v;
    auto get = [&](int level, int name) {
        ::getsockopt(fd, level, name, &v, &len);
        return v;
    };
    EXPECT_EQ(get(SOL_SOCKET, SO_KEEPALIVE), 1);
    EXPECT_EQ(get(IPPROTO_TCP, TCP_KEEPIDLE), 7);
    EXPECT_EQ(get(IPPROTO_TCP, TCP_KEEPINTVL), 3);
    EXPECT_EQ(get(IPPROTO_TCP, TCP_KEEPCNT), 5);
    EXPECT_EQ(get(IPPROTO_TCP, TCP_USER_TIMEOUT), 45000);
    ::close(fd);
    EXPECT_FALSE(db::tds::keep_alive(-1, db::Liveness{}));
}

// ---- the value mapping, without a server ----

TEST(TdsMapping, EncodingRefusesValuesOutsideTheirTypeAndMakesRoomForOutputs)
{
    struct Case {
        int type;
        QVariant value;
        bool ok;
        int dir = db::adParamInput;
        int size = 0;
        int maxlen = -1;  // room asked for a text output
    };
    using namespace db;
    const QList<Case> cases = {
        {adTinyInt, 0, true},          {adTinyInt, 256, false},      {adTinyInt, -1, false},
        {adSmallInt, 32767, true},     {adSmallInt, 32768, false},   {adSmallInt, -32769, false},
        {adInteger, i64(2147483648LL), false},   {adBigInt, i64(std::numeric_limits<qint64>::min()), true},
        {adInteger, "12a", false},     {adInteger, 2.5, true},       {adDouble, "x", false},
        {adDouble, "2.5", true},       {adDate, QDate(1752, 12, 31), false},  {adDate, "2024-02-30", false},
        {adDate, 5, false},
        {77, 1, false},
        // Outputs: the declared size, or more when the value sent is longer in bytes.
        {adChar, {}, true, adParamOutput, 10, 10},
        {adVarChar, QStringLiteral("ñññ"), true, adParamInputOutput, 3, 6},
        {adInteger, {}, true, adParamOutput, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " " << qPrintable(c.value.toString()));
        tds::WireParam w;
        QString error;
        EXPECT_EQ(tds::encode({"p", c.type, c.dir, c.size, c.value}, w, &error), c.ok);
        EXPECT_EQ(error.isEmpty(), c.ok);
        if (c.ok) {
            EXPECT_EQ(w.maxlen, c.maxlen);
        }
    }
}

TEST(TdsMapping, DecodingAndCoercingValues)
{
    auto bytes = [](auto v) { return QByteArray(reinterpret_cast<const char*>(&v), sizeof v); };
    const QList<std::tuple<int, QByteArray, QVariant>> cases = {
        {48, QByteArray("\xff", 1), i64(255)},  // tinyint is unsigned
        {52, bytes(qint16(-7)), i64(-7)},
        {56, bytes(qint32(-70000)), i64(-70000)},
        {127, bytes(qint64(1) << 40), i64(qint64(1) << 40)},
        {38, bytes(qint32(9)), i64(9)},  // INTN by its length
        {38, bytes(qint64(-9)), i64(-9)},
        {62, bytes(2.75), 2.75},
        {109, bytes(1.5f), 1.5},
        {47, QByteArray("ab  "), QStringLiteral("ab  ")},
        {39, QByteArray("Conexi\xc3\xb3n"), QStringLiteral("Conexión")},
        {39, QByteArray(""), QString("")},  // empty, not null
        {61, bytes(qint64(45349)), QDate(2024, 2, 29)},  // days, then ticks 0
    };
    for (const auto& [type, b, want] : cases) {
        const QVariant got = db::tds::decode(type, reinterpret_cast<const unsigned char*>(b.constData()), int(b.size()));
        EXPECT_EQ(got, want) << type;
        EXPECT_FALSE(got.isNull()) << type;
    }
    EXPECT_TRUE(db::tds::decode(56, nullptr, 0).isNull());

    EXPECT_EQ(db::coerce(db::adDate, QDateTime(QDate(2024, 1, 2), QTime(3, 4))), QVariant(QDate(2024, 1, 2)));
    EXPECT_EQ(db::coerce(db::adInteger, QStringLiteral("15")), i64(15));
    EXPECT_TRUE(db::coerce(db::adInteger, QStringLiteral("x")).isNull());
    EXPECT_EQ(db::coerce(db::adChar, i64(3)), QVariant(QStringLiteral("3")));
}

} // namespace
