// The FreeTDS driver against the central-server double behind its TDS endpoint, on loopback,
// and the value mapping the driver uses; what went to the server and came back is compared
// with golden transcripts (tests/golden/db/).
#include "core/db/tds_driver.h"
#include "core/db/values.h"
#include "central/tds_endpoint.h"
#include "tests/db/db_rig.h"
#include "tests/doubles/loopback.h"

#include <QElapsedTimer>
#include <netinet/tcp.h>
#include <poll.h>
#include <optional>

namespace {

using central::Request;
using db::Parameter;

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
    // A call as a line of a transcript: its outcome, and whether the session broke.
    QString call(db::Session& s, const QString& proc, QList<Parameter>& params)
    {
        error.clear();
        const bool ok = s.call(proc, params, sets, &error);
        return QString("%1: %2, %3").arg(proc, ok ? "ok" : "fails: " + error, s.broken() ? "broken" : "alive");
    }
};

TEST_F(TdsTest, EveryParameterTypeGoesInAndComesBackOut)
{
    using namespace db;
    auto in = [](int type, const QVariant& v, int size = 0) { return Parameter{"a", type, adParamInput, size, v}; };
    auto out = [](int type, int size = 0) { return Parameter{"a", type, adParamOutput, size, {}}; };
    const QDateTime stamp(QDate(2024, 2, 29), QTime(13, 45, 30, 123));
    const QString accents = QStringLiteral("Conexión Números ñÑ €");
    const QString long_text = QString(480, QLatin1Char('x')) + accents;
    // answer: what the procedure sets an output to (none: left as sent).
    const struct { Parameter p; std::optional<QVariant> answer = {}; } cases[] = {
        {in(adTinyInt, 255)}, {in(adSmallInt, -32768)}, {in(adInteger, 2147483647)}, {in(adInteger, -2147483647 - 1)},
        {in(adBigInt, i64(9007199254740993LL))}, {in(adInteger, " 42 ")}, {in(adDouble, 0.1)},
        {in(adDate, QDate(2024, 2, 29))}, {in(adDate, stamp)},
        {in(adDate, QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59, 999)))},  // rounds into the next day
        {in(adDate, QDate(1753, 1, 1))}, {in(adDate, "2024-02-29T10:00:00")}, {in(adDate, "29/02/2024")},
        {in(adChar, "Conexión  ", 12)}, {in(adVarChar, accents, 30)}, {in(adVarChar, "", 10)}, {in(adChar, "", 3)},
        {in(adInteger, {})}, {in(adBigInt, {})}, {in(adVarChar, {}, 10)}, {in(adChar, {}, 10)}, {in(adDate, {})},
        {in(adDouble, {})}, {out(adTinyInt), 200}, {Parameter{"a", adSmallInt, adParamInputOutput, 0, 5}},
        {Parameter{"a", adVarChar, adParamInputOutput, 3, "ñññ"}}, {out(adInteger), -1},
        {out(adBigInt), i64(1234567890123LL)}, {out(adDouble), 2.5}, {out(adDate), QDate(2000, 1, 1)},
        {out(adChar, 10), "12/05/2024"}, {out(adChar, 10), "Día único"}, {out(adVarChar, 500), long_text},
        {Parameter{"a", adVarChar, adParamOutput, 500, "x"}, QVariant()}, {out(adInteger), "17"},
    };
    auto s = open();
    ASSERT_TRUE(s);
    QStringList t;
    for (const auto& c : cases) {
        QVariant seen = "not called";
        srv.register_procedure("probe", [&](Request& r) {
            seen = r.arg(0);
            if (c.answer)
                r.out(0, *c.answer);
            return true;
        });
        QList<Parameter> params{c.p};
        const QString result = call(*s, "probe", params);
        t << QString("type %1 dir %2 size %3 %4: %5; server saw %6; client has %7")
                 .arg(c.p.type).arg(c.p.dir).arg(c.p.size)
                 .arg(typed(c.p.value), result, typed(seen), typed(params[0].value));
    }
    expect_golden(t, "db/tds_types.txt");
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
    QStringList t;
    for (bool rows : {true, false}) {
        srv.no_recordset("several", !rows);
        params[0].value = params[2].value = params[3].value = QVariant();
        t << call(*s, "several", params);
        for (const auto& set : sets) {
            t << "  set " + set.columns.join('|');
            for (const auto& row : set.rows)
                t << "    " + typed(row);
        }
        t << "  return and outputs: " + typed({params[0].value, params[2].value, params[3].value});
    }
    expect_golden(t, "db/tds_sets.txt");
}

// A session from its login to its end: the login's properties, a refused login, a switch
// of database, calls the server refuses (the session stays), a value refused before it is
// sent, a dropped connection and a server gone under a call (the session stays unusable).
TEST_F(TdsTest, SessionLogsInSwitchesDatabaseAndTellsWhetherAFailureBrokeIt)
{
    QStringList databases;
    srv.register_procedure("where", [&](Request& r) {
        databases << r.database;
        return true;
    });
    srv.register_procedure("tiny", [](Request& r) {
        r.out(0, 300);  // does not fit the tinyint that was sent
        return true;
    });
    auto s = open();
    ASSERT_TRUE(s);
    const auto& o = srv.last_open;
    QStringList t{"login: " + QStringList({o.user, o.password, o.workstation, o.app_name, o.database}).join(", ")};
    QList<Parameter> none;
    t << call(*s, "where", none);
    t << QString("use: %1").arg(s->use(QStringLiteral("ventas 2]"), &error)) << call(*s, "where", none);
    t << "databases: " + databases.join(", ");
    auto p = props();
    p.password = QStringLiteral("wrong");
    t << QString("wrong password: %1 %2, opens %3").arg(bool(driver.open(p, &error))).arg(error).arg(srv.opens);
    srv.fail_next_open();
    error.clear();
    t << QString("open refused: %1, error %2").arg(bool(driver.open(props(), &error))).arg(!error.isEmpty());

    QList<Parameter> params{{"r", db::adInteger, db::adParamReturnValue, 0, {}},
                            {"x", db::adTinyInt, db::adParamOutput, 0, {}}};
    QList<Parameter> too_big{{"x", db::adTinyInt, db::adParamInput, 0, 256}};
    srv.log.clear();
    t << call(*s, "missing", params) << call(*s, "tiny", params) << call(*s, "stacox", too_big)
      << call(*s, "stacox", params) << "return " + typed(params[0].value)
      << QString("connections %1").arg(ep.connections());
    ep.drop_connections();  // the next call fails without reaching the server
    t << call(*s, "stacox", params) << "server saw " + srv.procs().join(' ');
    s = open();
    ASSERT_TRUE(s);
    srv.fail_next(1);
    t << call(*s, "stacox", params) << call(*s, "stacox", params);
    t << QString("use: %1 %2").arg(s->use(QStringLiteral("x"), &error)).arg(error);
    t << call(*open(), "stacox", params);
    expect_golden(t, "db/tds_session.txt");

    // Nobody listening: fails at once, long before its login timeout; a listener that never
    // answers: the login times out. The port stays bound throughout, so that no other
    // process (nor the connection itself) can take it up meanwhile.
    for (bool listens : {false, true}) {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        p = props();
        p.port = bind_loopback(fd);
        if (listens) {
            ASSERT_EQ(::listen(fd, 4), 0);
        }
        p.login_timeout = listens ? 1 : 5;
        QElapsedTimer clock;
        clock.start();
        error.clear();
        EXPECT_FALSE(driver.open(p, &error));
        const qint64 ms = clock.elapsed();
        ::close(fd);
        EXPECT_TRUE(listens ? ms >= 900 && ms < 4000 : ms < 4000) << ms;
        EXPECT_FALSE(error.isEmpty());
    }
}

// A dropped connection is drained, never closed outright: a client that writes to it twice,
// with a pause between, meets the end of the stream both times and never a reset, so that
// each of its calls fails alike. (Closed outright, the first write would draw a reset, which
// the pause lets arrive and the second write reports.)
TEST_F(TdsTest, ADroppedConnectionMeetsTheEndOfItsStreamAtEveryWriteNeverAReset)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(quint16(ep.port()));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    // Waits at most 5 s for the socket to be readable (or to fail); what recv then gives.
    const auto read = [fd] {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 5000) != 1)
            return QString("nothing within 5 s");
        char buf[512];
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        return n < 0 ? QString("error: ") + strerror(errno) : n == 0 ? QString("end of stream") : QString("%1 bytes").arg(n);
    };
    // A pre-login, answered: the endpoint serves the connection.
    const char prelogin[] = {0x12, 0x01, 0x00, 0x09, 0x00, 0x00, 0x01, 0x00, char(0xFF)};
    ASSERT_EQ(::send(fd, prelogin, sizeof prelogin, MSG_NOSIGNAL), ssize_t(sizeof prelogin));
    EXPECT_NE(read().left(5), "error");

    ep.drop_connections();
    QStringList seen;
    for (int i = 0; i < 2; ++i) {
        const ssize_t sent = ::send(fd, prelogin, sizeof prelogin, MSG_NOSIGNAL);
        seen << (sent < 0 ? QString("write error: ") + strerror(errno) : "written, then " + read());
        if (i == 0) {
            // The pause: a reset would end it at once; a drained connection lets it run out.
            pollfd p{fd, 0, 0};
            seen << (::poll(&p, 1, 200) == 0 ? "pause: quiet" : QString("pause: events 0x%1").arg(p.revents, 0, 16));
        }
    }
    int error = 0;
    socklen_t len = sizeof error;
    ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len);
    seen << QString("pending error: %1").arg(error ? strerror(error) : "none");
    ::close(fd);
    EXPECT_EQ(seen, QStringList({"written, then end of stream", "pause: quiet", "written, then end of stream",
                                 "pending error: none"}));
}

// A spoiled answer reads alike over the wire and in process: what one cannot read the other
// cannot either, and what reads gives the same values.
TEST_F(TdsTest, SpoiledAnswersReadAlikeOverTheWire)
{
    namespace spoil = central::spoil;
    const QString wide = QString(2000, QChar(u'ñ')) + QStringLiteral("€");
    const struct { const char* name; central::Spoil spoil; bool reads; } cases[] = {
        {"as answered", {}, true},
        {"a null code", spoil::column("codlot", {}, 1), false},
        {"a null note", spoil::column("nota", {}), true},
        {"a long text of other letters", spoil::column("nota", wide), true},
        {"an amount beyond 64 bits", spoil::column("monto", 1e20, 0), false},
        {"an amount as text", spoil::column("monto", "7"), true},
        {"an amount that is no number", spoil::column("monto", "siete"), false},
        {"a code of the wrong type", spoil::column("codlot", 2.5), false},
        {"no amount column", spoil::drop_column("monto"), false},
        {"an extra result set first", spoil::extra_first_set(), false},
        {"no result set", spoil::no_result_set(), false},
        {"a null output", spoil::output(0, {}), false},
        {"no status", spoil::no_status(), false},
    };
    const auto answer = [](Request& r) {
        r.rows({"codlot", "monto", "nota"}).rows << QVariantList{"L1 ", qint64(5), "uno"} << QVariantList{"L2 ", qint64(-7), "dos"};
        r.status = 3;
        r.out(0, qint64(1234567890123LL));
        return true;
    };
    for (const auto& c : cases) {
        QStringList seen;
        for (bool wire : {false, true}) {
            DbRig r;
            r.srv.register_procedure("probar", answer);
            srv.register_procedure("probar", answer);
            if (wire) {
                r.server = &srv;
                r.cox_bd.set_driver(driver);
                ASSERT_TRUE(r.point_at(ep.host(), ep.port()));
            }
            if (c.spoil)
                r.server->spoil_next("probar", c.spoil);
            QStringList values;
            const bool ok = r.proc("probar").ret("r0").out("o1", db::adBigInt).once([&](db::Reader& a) {
                values << QString::number(a.whole("r0", db::adInteger)) << QString::number(a.whole("o1"));
                for (const db::Row& row : a.rows({{"codlot", db::adChar}, {"monto", db::adBigInt}, db::nullable("nota", db::adVarChar)}))
                    values << typed(row.value("codlot")) + " " + QString::number(row.whole("monto")) + " " + typed(row.value("nota"));
            });
            seen << (ok ? values.join(", ") : QStringLiteral("unreadable"));
        }
        EXPECT_EQ(seen[1], seen[0]) << c.name;
        EXPECT_EQ(seen[0] != "unreadable", c.reads) << c.name << ": " << qPrintable(seen[0]);
    }
}

// The call rule on the real driver: a server that vanished without closing the connection
// is found within the keep-alive bound. (Which failures leave a session broken is above,
// what the rule does with each kind in rule_test.cpp, a reopen through the driver in the
// end-to-end session.)
TEST_F(TdsTest, VanishedServerFailsTheCallWithinTheKeepAliveBound)
{
    // Probes after a second of silence; a second without an answer gives the connection up.
    db::TdsDriver quick(db::Liveness{1, 1, 1, 1000});
    DbRig r;
    r.server = &srv;
    r.cox_bd.set_driver(quick);
    ASSERT_TRUE(r.point_at(ep.host(), ep.port()));
    // The first call and its retry both find the server gone before they reach it.
    ep.vanish_at_next_calls(2);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(r.run(r.proc("getutq").ret("d0").in("d1", db::adVarChar, 15, "CAJERO")),
              "ok 0, rows 0, calls [], opens 2, boxes [\"No hay conexión con el servidor.          \"/16/Tovaren], "
              "captions 1, flag 1, closed, params 0, pointers 11-0-0");
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_GE(clock.elapsed(), 2000);  // found by the probes, not by anything sooner
    // The keep-alive's next probe finds the server again.
    EXPECT_TRUE(r.point_at(ep.host(), ep.port()));
}

TEST(TdsKeepAlive, SocketGetsTheConfiguredLimits)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_TRUE(db::tds::keep_alive(fd, db::Liveness{7, 3, 5, 45000}));
    QList<int> got;
    for (const auto& [level, name] : {std::pair{SOL_SOCKET, SO_KEEPALIVE}, {IPPROTO_TCP, TCP_KEEPIDLE},
                                      {IPPROTO_TCP, TCP_KEEPINTVL}, {IPPROTO_TCP, TCP_KEEPCNT},
                                      {IPPROTO_TCP, TCP_USER_TIMEOUT}}) {
        int v = 0;
        socklen_t len = sizeof v;
        ::getsockopt(fd, level, name, &v, &len);
        got << v;
    }
    EXPECT_EQ(got, QList<int>({1, 7, 3, 5, 45000}));
    ::close(fd);
    EXPECT_FALSE(db::tds::keep_alive(-1, db::Liveness{}));
}

TEST(TdsMapping, DecodingValues)
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
    for (const auto& [type, b, want] : cases)
        EXPECT_EQ(typed(db::tds::decode(type, reinterpret_cast<const unsigned char*>(b.constData()), int(b.size()))),
                  typed(want)) << type;
    EXPECT_TRUE(db::tds::decode(56, nullptr, 0).isNull());
}

} // namespace
