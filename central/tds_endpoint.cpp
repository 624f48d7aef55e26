#include "tds_endpoint.h"
#include "core/db/values.h"

#include <QDateTime>
#include <QRegularExpression>

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <linux/filter.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <thread>
#include <vector>

namespace central {

namespace {

// Message (packet) types.
enum : quint8 {
    pkt_batch = 0x01,
    pkt_rpc = 0x03,
    pkt_reply = 0x04,
    pkt_attention = 0x06,
    pkt_login7 = 0x10,
    pkt_prelogin = 0x12,
};
// Tokens of an answer.
enum : quint8 {
    tok_returnstatus = 0x79,
    tok_colmetadata = 0x81,
    tok_error = 0xAA,
    tok_info = 0xAB,
    tok_returnvalue = 0xAC,
    tok_loginack = 0xAD,
    tok_row = 0xD1,
    tok_envchange = 0xE3,
    tok_done = 0xFD,
    tok_doneproc = 0xFE,
    tok_doneinproc = 0xFF,
};
enum : quint16 { done_final = 0x00, done_more = 0x01, done_error = 0x02, done_count = 0x10, done_attn = 0x20 };
// Data types.
enum : quint8 {
    t_null = 0x1F,
    t_int1 = 0x30,
    t_bit = 0x32,
    t_int2 = 0x34,
    t_int4 = 0x38,
    t_datetime4 = 0x3A,
    t_flt4 = 0x3B,
    t_datetime = 0x3D,
    t_flt8 = 0x3E,
    t_int8 = 0x7F,
    t_intn = 0x26,
    t_bitn = 0x68,
    t_fltn = 0x6D,
    t_datetimn = 0x6F,
    t_bigvarchar = 0xA7,
    t_bigchar = 0xAF,
    t_nvarchar = 0xE7,
    t_nchar = 0xEF,
};

constexpr int header_size = 8;
constexpr int max_message = 4 << 20;
constexpr int default_packet = 4096;
constexpr int max_short_text = 8000;      // longer texts go as (n)varchar(max)
constexpr quint16 plp = 0xFFFF;           // the length of a (n)varchar(max)
constexpr qint32 ticks_per_day = 24 * 60 * 60 * 300;
// SQL_Latin1_General_CP1_CI_AS: single-byte texts are code page 1252.
const QByteArray server_collation("\x09\x04\xD0\x00\x34", 5);
const QString server_name = QStringLiteral("central");

// Code page 1252 from 0x80 to 0x9F; the rest of it is Latin-1.
const char16_t cp1252_high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString from_cp1252(const QByteArray& b)
{
    QString s;
    s.reserve(b.size());
    for (char ch : b) {
        const auto u = quint8(ch);
        s.append(u >= 0x80 && u < 0xA0 ? QChar(cp1252_high[u - 0x80]) : QChar(u));
    }
    return s;
}

QByteArray to_cp1252(const QString& s)
{
    QByteArray b;
    b.reserve(s.size());
    for (QChar ch : s) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            b.append(char(u));
            continue;
        }
        char out = '?';
        for (int i = 0; i < 32; ++i)
            if (cp1252_high[i] == u)
                out = char(0x80 + i);
        b.append(out);
    }
    return b;
}

QByteArray to_utf16(const QString& s)
{
    QByteArray b;
    b.reserve(s.size() * 2);
    for (QChar ch : s) {
        b.append(char(ch.unicode() & 0xFF));
        b.append(char(ch.unicode() >> 8));
    }
    return b;
}

QString from_utf16(const QByteArray& b)
{
    QString s;
    s.reserve(b.size() / 2);
    for (qsizetype i = 0; i + 1 < b.size(); i += 2)
        s.append(QChar(char16_t(quint8(b[i]) | (quint8(b[i + 1]) << 8))));
    return s;
}

// Little-endian writer.
struct Out {
    QByteArray b;
    void u8(quint8 v) { b.append(char(v)); }
    void u16(quint16 v)
    {
        u8(v & 0xFF);
        u8(v >> 8);
    }
    void u32(quint32 v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void u64(quint64 v)
    {
        u32(quint32(v));
        u32(quint32(v >> 32));
    }
    void bytes(const QByteArray& x) { b.append(x); }
    void b_varchar(const QString& s)
    {
        const QString t = s.left(255);
        u8(quint8(t.size()));
        bytes(to_utf16(t));
    }
    void us_varchar(const QString& s)
    {
        const QString t = s.left(65535);
        u16(quint16(t.size()));
        bytes(to_utf16(t));
    }
    // A token with a 16-bit length ahead of its body.
    void token(quint8 tok, const Out& body)
    {
        u8(tok);
        u16(quint16(body.b.size()));
        bytes(body.b);
    }
};

// Little-endian reader that never reads past the end: a short read marks it bad.
struct In {
    const QByteArray& b;
    qsizetype pos = 0;
    bool bad = false;

    explicit In(const QByteArray& data) : b(data) {}
    bool need(qint64 n)
    {
        if (bad || n < 0 || b.size() - pos < n)
            bad = true;
        return !bad;
    }
    quint8 u8() { return need(1) ? quint8(b[pos++]) : 0; }
    quint16 u16()
    {
        const quint16 lo = u8();
        return quint16(lo | (u8() << 8));
    }
    quint32 u32()
    {
        const quint32 lo = u16();
        return lo | (quint32(u16()) << 16);
    }
    quint64 u64()
    {
        const quint64 lo = u32();
        return lo | (quint64(u32()) << 32);
    }
    QByteArray take(qint64 n)
    {
        if (!need(n))
            return {};
        QByteArray r = b.mid(pos, n);
        pos += n;
        return r;
    }
    QString utf16(qint64 chars) { return from_utf16(take(chars * 2)); }
    bool at_end() const { return pos >= b.size(); }
};

// A type as it travels: the type byte, its size (fixed size, byte length of a nullable
// number, maximum length of a text) and a text's collation.
struct TypeInfo {
    quint8 type = 0;
    int size = 0;
    QByteArray collation;
};

bool is_text_type(quint8 t) { return t == t_bigvarchar || t == t_bigchar || t == t_nvarchar || t == t_nchar; }
bool is_wide(quint8 t) { return t == t_nvarchar || t == t_nchar; }

int fixed_size(quint8 t)
{
    switch (t) {
    case t_null: return 0;
    case t_int1:
    case t_bit: return 1;
    case t_int2: return 2;
    case t_int4:
    case t_datetime4:
    case t_flt4: return 4;
    case t_int8:
    case t_datetime:
    case t_flt8: return 8;
    default: return -1;
    }
}

bool read_type(In& in, TypeInfo& t, QString* error)
{
    t = TypeInfo();
    t.type = in.u8();
    if (in.bad)
        return false;
    const int fixed = fixed_size(t.type);
    if (fixed >= 0) {
        t.size = fixed;
        return true;
    }
    switch (t.type) {
    case t_intn:
    case t_bitn:
    case t_fltn:
    case t_datetimn:
        t.size = in.u8();
        return !in.bad;
    case t_bigvarchar:
    case t_bigchar:
    case t_nvarchar:
    case t_nchar:
        t.size = in.u16();
        t.collation = in.take(5);
        return !in.bad;
    default:
        if (error)
            *error = QStringLiteral("data type 0x%1 not supported").arg(t.type, 2, 16, QLatin1Char('0'));
        return false;
    }
}

// SQL Server datetimes, as the client's database layer reads and writes them.
QVariant datetime_value(qint32 days, qint32 ticks) { return db::from_datetime(db::DateTime{days, ticks}); }

bool datetime_parts(const QVariant& v, qint32& days, qint32& ticks)
{
    db::DateTime dt;
    if (!db::to_datetime(v, dt))
        return false;
    days = dt.days;
    ticks = dt.ticks;
    return true;
}

// A value the way the double works with it: whole numbers as qint64, texts, dates (a
// datetime with no time of day as QDate), doubles; null as a null QVariant.
bool read_value(In& in, const TypeInfo& t, QVariant& v)
{
    v = QVariant();
    int len = fixed_size(t.type);
    if (t.type == t_null)
        return true;
    if (is_text_type(t.type)) {
        QByteArray data;
        if (t.size == plp) {
            const quint64 total = in.u64();
            if (total == ~quint64(0))
                return !in.bad;
            for (;;) {
                const quint32 chunk = in.u32();
                if (in.bad)
                    return false;
                if (chunk == 0)
                    break;
                data += in.take(chunk);
                if (in.bad || data.size() > max_message)
                    return false;
            }
        } else {
            const quint16 n = in.u16();
            if (n == 0xFFFF)
                return !in.bad;
            data = in.take(n);
        }
        if (in.bad)
            return false;
        v = is_wide(t.type) ? from_utf16(data) : from_cp1252(data);
        return true;
    }
    if (len < 0) {  // nullable numbers and datetimes carry their length
        len = in.u8();
        if (in.bad)
            return false;
        if (len == 0)
            return true;
    }
    const QByteArray data = in.take(len);
    if (in.bad)
        return false;
    In d(data);
    switch (t.type) {
    case t_int1:
    case t_int2:
    case t_int4:
    case t_int8:
    case t_intn:
        switch (len) {
        case 1: v = QVariant::fromValue<qint64>(d.u8()); return true;
        case 2: v = QVariant::fromValue<qint64>(qint16(d.u16())); return true;
        case 4: v = QVariant::fromValue<qint64>(qint32(d.u32())); return true;
        case 8: v = QVariant::fromValue<qint64>(qint64(d.u64())); return true;
        default: return false;
        }
    case t_bit:
    case t_bitn:
        if (len != 1)
            return false;
        v = QVariant::fromValue<qint64>(d.u8() ? 1 : 0);
        return true;
    case t_flt4:
    case t_flt8:
    case t_fltn:
        if (len == 8) {
            const quint64 bits = d.u64();
            double x;
            std::memcpy(&x, &bits, sizeof x);
            v = x;
            return true;
        }
        if (len == 4) {
            const quint32 bits = d.u32();
            float x;
            std::memcpy(&x, &bits, sizeof x);
            v = double(x);
            return true;
        }
        return false;
    case t_datetime:
    case t_datetime4:
    case t_datetimn:
        if (len == 8) {
            const auto days = qint32(d.u32());
            const auto ticks = qint32(d.u32());
            if (ticks < 0 || ticks >= ticks_per_day)
                return false;
            v = datetime_value(days, ticks);
            return true;
        }
        if (len == 4) {
            const qint32 days = d.u16();
            const qint32 minutes = d.u16();
            if (minutes >= 24 * 60)
                return false;
            v = datetime_value(days, minutes * 60 * 300);
            return true;
        }
        return false;
    default: return false;
    }
}

bool to_int(const QVariant& v, qint64& out)
{
    const int id = v.metaType().id();
    if (id == QMetaType::Double || id == QMetaType::Float) {
        const double d = v.toDouble();
        if (!std::isfinite(d) || std::fabs(d) > 9.2e18)
            return false;
        out = qint64(d);
        return true;
    }
    bool ok = false;
    out = id == QMetaType::QString ? v.toString().trimmed().toLongLong(&ok) : v.toLongLong(&ok);
    return ok;
}

QString as_text(const QVariant& v)
{
    if (v.metaType().id() == QMetaType::QDate)
        return v.toDate().toString(Qt::ISODate);
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime().toString(Qt::ISODateWithMs);
    return v.toString();
}

QByteArray text_bytes(quint8 type, const QVariant& v)
{
    return is_wide(type) ? to_utf16(as_text(v)) : to_cp1252(as_text(v));
}

void write_type(Out& o, const TypeInfo& t)
{
    o.u8(t.type);
    if (is_text_type(t.type)) {
        o.u16(quint16(t.size));
        o.bytes(t.collation.size() == 5 ? t.collation : server_collation);
    } else if (fixed_size(t.type) < 0) {
        o.u8(quint8(t.size));
    }
}

// Writes v as a value of type t (a nullable type); false when it does not convert.
bool write_value(Out& o, const TypeInfo& t, const QVariant& v, QString* error)
{
    const bool null = v.isNull() || !v.isValid();
    auto refuse = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    if (is_text_type(t.type)) {
        if (t.size == plp) {
            if (null) {
                o.u64(~quint64(0));
                return true;
            }
            const QByteArray data = text_bytes(t.type, v);
            o.u64(quint64(data.size()));
            if (!data.isEmpty()) {
                o.u32(quint32(data.size()));
                o.bytes(data);
            }
            o.u32(0);
            return true;
        }
        if (null) {
            o.u16(0xFFFF);
            return true;
        }
        const QByteArray data = text_bytes(t.type, v);
        if (data.size() > t.size)
            return refuse(QStringLiteral("String or binary data would be truncated."));
        o.u16(quint16(data.size()));
        o.bytes(data);
        return true;
    }
    if (null) {
        o.u8(0);
        return true;
    }
    switch (t.type) {
    case t_intn: {
        qint64 n = 0;
        if (!to_int(v, n))
            return refuse(QStringLiteral("Conversion failed when converting the value '%1' to a whole number.")
                              .arg(as_text(v)));
        const bool fits = (t.size == 1 && n >= 0 && n <= 255)
                          || (t.size == 2 && n >= std::numeric_limits<qint16>::min()
                              && n <= std::numeric_limits<qint16>::max())
                          || (t.size == 4 && n >= std::numeric_limits<qint32>::min()
                              && n <= std::numeric_limits<qint32>::max())
                          || t.size == 8;
        if (!fits)
            return refuse(QStringLiteral("Arithmetic overflow error converting %1 to a %2-byte integer.")
                              .arg(n)
                              .arg(t.size));
        o.u8(quint8(t.size));
        for (int i = 0; i < t.size; ++i)
            o.u8(quint8(quint64(n) >> (8 * i)));
        return true;
    }
    case t_bitn: {
        qint64 n = 0;
        if (!to_int(v, n))
            return refuse(QStringLiteral("Conversion failed when converting '%1' to bit.").arg(as_text(v)));
        o.u8(1);
        o.u8(n != 0);
        return true;
    }
    case t_fltn: {
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (!ok)
            return refuse(QStringLiteral("Error converting '%1' to float.").arg(as_text(v)));
        o.u8(quint8(t.size));
        if (t.size == 4) {
            const float f = float(d);
            quint32 bits;
            std::memcpy(&bits, &f, sizeof bits);
            o.u32(bits);
        } else {
            quint64 bits;
            std::memcpy(&bits, &d, sizeof bits);
            o.u64(bits);
        }
        return true;
    }
    case t_datetimn: {
        qint32 days = 0, ticks = 0;
        if (!datetime_parts(v, days, ticks))
            return refuse(QStringLiteral("Conversion failed when converting '%1' to datetime.").arg(as_text(v)));
        o.u8(quint8(t.size));
        if (t.size == 4) {
            if (days < 0 || days > 65535)
                return refuse(QStringLiteral("The date %1 is out of range for smalldatetime.").arg(as_text(v)));
            o.u16(quint16(days));
            o.u16(quint16(ticks / (60 * 300)));
        } else {
            o.u32(quint32(days));
            o.u32(quint32(ticks));
        }
        return true;
    }
    default: return refuse(QStringLiteral("data type 0x%1 cannot be answered").arg(t.type, 2, 16, QLatin1Char('0')));
    }
}

// The type an output parameter is answered with: the nullable form of what was sent (a
// char output goes back as varchar), long enough for the value.
TypeInfo answer_type(const TypeInfo& sent, const QVariant& v)
{
    TypeInfo t;
    switch (sent.type) {
    case t_int1:
    case t_int2:
    case t_int4:
    case t_int8:
    case t_intn: t = {t_intn, sent.size, {}}; break;
    case t_bit:
    case t_bitn: t = {t_bitn, 1, {}}; break;
    case t_flt4:
    case t_flt8:
    case t_fltn: t = {t_fltn, sent.size, {}}; break;
    case t_datetime:
    case t_datetime4:
    case t_datetimn: t = {t_datetimn, sent.size, {}}; break;
    case t_bigchar:
    case t_bigvarchar:
    case t_nchar:
    case t_nvarchar: {
        t.type = is_wide(sent.type) ? t_nvarchar : t_bigvarchar;
        t.collation = sent.collation;
        const qsizetype len = v.isNull() ? 0 : text_bytes(t.type, v).size();
        t.size = sent.size == plp || len > max_short_text ? plp : int(std::max<qsizetype>({sent.size, len, 1}));
        break;
    }
    default: t = {t_nvarchar, max_short_text, {}}; break;
    }
    return t;
}

// The type of a result column from its values: whole numbers as bigint, numbers as float,
// dates as datetime, everything else (and a column of nulls) as nvarchar.
TypeInfo column_type(const db::ResultSet& set, int col)
{
    bool any = false, ints = true, numbers = true, dates = true;
    qsizetype longest = 0;
    for (const auto& row : set.rows) {
        if (col >= row.size() || row[col].isNull() || !row[col].isValid())
            continue;
        const QVariant& v = row[col];
        any = true;
        switch (v.metaType().id()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::Bool:
            dates = false;
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            ints = dates = false;
            break;
        case QMetaType::QDate:
        case QMetaType::QDateTime: {
            qint32 days, ticks;
            ints = numbers = false;
            if (!datetime_parts(v, days, ticks))
                dates = false;
            break;
        }
        default:
            ints = numbers = dates = false;
            break;
        }
        longest = std::max(longest, as_text(v).size() * 2);
    }
    if (any && ints)
        return {t_intn, 8, {}};
    if (any && numbers)
        return {t_fltn, 8, {}};
    if (any && dates)
        return {t_datetimn, 8, {}};
    return {t_nvarchar, longest > max_short_text ? plp : max_short_text, server_collation};
}

void done_token(Out& o, quint8 tok, quint16 status, quint16 command, quint64 rows)
{
    o.u8(tok);
    o.u16(status);
    o.u16(command);
    o.u64(rows);
}

void message_token(Out& o, quint8 tok, qint32 number, quint8 cls, const QString& text, const QString& proc)
{
    Out b;
    b.u32(quint32(number));
    b.u8(1);  // state
    b.u8(cls);
    b.us_varchar(text);
    b.b_varchar(server_name);
    b.b_varchar(proc);
    b.u32(1);  // line
    o.token(tok, b);
}

void env_text(Out& o, quint8 type, const QString& now, const QString& before)
{
    Out b;
    b.u8(type);
    b.b_varchar(now);
    b.b_varchar(before);
    o.token(tok_envchange, b);
}

QByteArray error_answer(quint8 done_tok, const QString& text, const QString& proc = QString(), qint32 number = 50000,
                        quint8 cls = 16)
{
    Out o;
    message_token(o, tok_error, number, cls, text, proc);
    done_token(o, done_tok, done_error, 0, 0);
    return o.b;
}

QByteArray prelogin_answer()
{
    // VERSION, ENCRYPTION (not available), INSTOPT, THREADID (empty), MARS, terminator.
    const struct {
        quint8 token;
        QByteArray data;
    } options[] = {
        {0x00, QByteArray("\x0F\x00\x07\xD0\x00\x00", 6)},
        {0x01, QByteArray("\x02", 1)},
        {0x02, QByteArray("\x00", 1)},
        {0x03, QByteArray()},
        {0x04, QByteArray("\x00", 1)},
    };
    const int count = int(sizeof options / sizeof options[0]);
    QByteArray head, data;
    int offset = count * 5 + 1;
    for (const auto& opt : options) {
        head.append(char(opt.token));
        head.append(char(offset >> 8)).append(char(offset & 0xFF));
        head.append(char(opt.data.size() >> 8)).append(char(opt.data.size() & 0xFF));
        data.append(opt.data);
        offset += int(opt.data.size());
    }
    head.append(char(0xFF));
    return head + data;
}

struct Client {
    int fd = -1;
    std::atomic<bool> dropped{false};   // served no more; closed at once unless draining
    // Closed by drop_connections: its end of the connection is sent, and whatever it sends
    // afterwards is read and thrown away until it closes too. Shutting the reading down as
    // well, or closing the socket, would have the kernel answer the client's next call with
    // a reset, and whether the client then reads that reset or the end of the stream first
    // is up to timing: the failure it reports would vary from run to run.
    std::atomic<bool> draining{false};
    bool drained = false;    // the client closed its end, or its connection failed
    bool vanished = false;   // never answers again
    bool greeted = false;    // pre-login answered
    bool logged_in = false;
    QByteArray in;           // received, not yet a whole packet
    QByteArray message;      // the payload of the message being received
    QByteArray raw;          // the same with its packet headers
    quint8 type = 0;
    bool ignore = false;     // the client asked to drop the message being received
    int packet_size = default_packet;
    quint16 spid = 0;
    quint8 packet_id = 1;
    QString database;
};

} // namespace

struct TdsEndpoint::Impl {
    explicit Impl(Server& s) : server(s) {}

    Server& server;
    std::mutex server_mutex;
    mutable std::mutex mutex;  // the client list, the traffic record
    std::vector<std::unique_ptr<Client>> clients;
    int listener = -1;
    int wake[2] = {-1, -1};
    std::thread thread;
    std::atomic<bool> stopping{false};
    QString host;
    int port = 0;
    QByteArray last_request, last_answer;
    quint16 next_spid = 51;
    std::atomic<int> vanish{0};  // calls left at which the endpoint vanishes
    int lose = 0;                // calls (of lose_proc, or any) left whose answer is lost
    QString lose_proc;
    bool answer_lost(const QString& proc);

    void run();
    void poke()
    {
        if (wake[1] >= 0) {
            const char x = 'x';
            [[maybe_unused]] auto n = ::write(wake[1], &x, 1);
        }
    }
    bool receive(Client& c);
    bool discard(Client& c);
    bool handle(Client& c);
    bool send(Client& c, const QByteArray& payload, QByteArray* wire = nullptr);
    bool login(Client& c);
    bool batch(Client& c);
    bool rpc(Client& c);
    void accept_client();
    void close_clients(bool all);
};

void TdsEndpoint::Impl::run()
{
    std::vector<pollfd> fds;
    while (!stopping) {
        fds.clear();
        fds.push_back({wake[0], POLLIN, 0});
        fds.push_back({listener, POLLIN, 0});
        for (const auto& c : clients)
            fds.push_back({c->vanished ? -1 : c->fd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents) {
            char buf[64];
            while (::read(wake[0], buf, sizeof buf) > 0) {
            }
        }
        if (stopping)
            break;
        for (size_t i = 0; i < clients.size(); ++i) {
            Client& c = *clients[i];
            if (c.vanished || !(fds[i + 2].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            if (c.draining) {
                c.drained = c.drained || !discard(c);
                continue;
            }
            if (c.dropped)
                continue;
            if (!receive(c))
                c.dropped = true;
        }
        close_clients(false);
        if (fds[1].revents & POLLIN)
            accept_client();
    }
    close_clients(true);
}

void TdsEndpoint::Impl::accept_client()
{
    const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    // A client that stops reading cannot hold the endpoint for long.
    timeval tv{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
    auto c = std::make_unique<Client>();
    c->fd = fd;
    c->spid = next_spid++;
    std::lock_guard g(mutex);
    clients.push_back(std::move(c));
}

void TdsEndpoint::Impl::close_clients(bool all)
{
    std::lock_guard g(mutex);
    for (auto it = clients.begin(); it != clients.end();) {
        const Client& c = **it;
        if (all || (c.dropped && (!c.draining || c.drained))) {
            ::close((*it)->fd);
            it = clients.erase(it);
        } else {
            ++it;
        }
    }
}

bool TdsEndpoint::Impl::receive(Client& c)
{
    char buf[65536];
    const ssize_t n = ::recv(c.fd, buf, sizeof buf, 0);
    if (n < 0)
        return errno == EINTR || errno == EAGAIN;
    if (n == 0)
        return false;
    c.in.append(buf, n);
    while (c.in.size() >= header_size) {
        const auto type = quint8(c.in[0]);
        const auto status = quint8(c.in[1]);
        const int len = (quint8(c.in[2]) << 8) | quint8(c.in[3]);
        if (len < header_size)
            return false;
        if (c.in.size() < len)
            break;
        if (type == pkt_attention) {
            // A cancel: whatever was being received is dropped and the cancel acknowledged.
            c.in.remove(0, len);
            c.message.clear();
            c.raw.clear();
            c.ignore = false;
            Out o;
            done_token(o, tok_done, done_attn, 0, 0);
            if (!send(c, o.b))
                return false;
            continue;
        }
        if (c.raw.isEmpty())
            c.type = type;
        else if (type != c.type)
            return false;
        c.raw.append(c.in.constData(), len);
        c.message.append(c.in.constData() + header_size, len - header_size);
        c.in.remove(0, len);
        if (c.raw.size() > max_message)
            return false;
        if (status & 0x02)  // the client gave this message up
            c.ignore = true;
        if (status & 0x01) {
            const bool ok = c.ignore || handle(c);
            c.message.clear();
            c.raw.clear();
            c.ignore = false;
            if (!ok)
                return false;
        }
    }
    return true;
}

bool TdsEndpoint::Impl::discard(Client& c)
{
    char buf[4096];
    const ssize_t n = ::recv(c.fd, buf, sizeof buf, 0);
    if (n < 0)
        return errno == EINTR || errno == EAGAIN;
    return n > 0;
}

bool TdsEndpoint::Impl::send(Client& c, const QByteArray& payload, QByteArray* wire_out)
{
    const int room = (c.logged_in ? c.packet_size : default_packet) - header_size;
    QByteArray wire;
    qsizetype pos = 0;
    do {
        const qsizetype chunk = std::min<qsizetype>(room, payload.size() - pos);
        const bool last = pos + chunk >= payload.size();
        const int len = int(chunk) + header_size;
        wire.append(char(pkt_reply));
        wire.append(char(last ? 0x01 : 0x00));
        wire.append(char(len >> 8)).append(char(len & 0xFF));
        wire.append(char(c.spid >> 8)).append(char(c.spid & 0xFF));
        wire.append(char(c.packet_id++));
        wire.append(char(0));
        wire.append(payload.constData() + pos, chunk);
        pos += chunk;
    } while (pos < payload.size());
    if (wire_out) {
        // Kept before the answer leaves, so a client that has read it finds it recorded.
        std::lock_guard g(mutex);
        last_request = c.raw;
        last_answer = wire;
        *wire_out = wire;
    }
    qsizetype sent = 0;
    while (sent < wire.size()) {
        const ssize_t n = ::send(c.fd, wire.constData() + sent, size_t(wire.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

bool TdsEndpoint::Impl::handle(Client& c)
{
    switch (c.type) {
    case pkt_prelogin:
        if (c.greeted || c.logged_in)
            return false;
        c.greeted = true;
        return send(c, prelogin_answer());
    case pkt_login7:
        if (c.logged_in)
            return false;
        return login(c);
    default: break;
    }
    if (!c.logged_in)
        return false;
    switch (c.type) {
    case pkt_batch: return batch(c);
    case pkt_rpc: return rpc(c);
    default:
        return send(c, error_answer(tok_done, QStringLiteral("request type 0x%1 not supported")
                                                  .arg(c.type, 2, 16, QLatin1Char('0'))));
    }
}

bool TdsEndpoint::Impl::login(Client& c)
{
    const QByteArray& m = c.message;
    In in(m);
    constexpr int fixed = 36;  // length, version, packet size, ... , client LCID
    if (m.size() < fixed + 9 * 4)
        return false;
    in.pos = 8;
    const quint32 packet_size = in.u32();
    // Offset and length (in characters) of a text field; the offsets count from the start.
    auto field = [&](int at, bool password = false) -> QString {
        In f(m);
        f.pos = at;
        const quint16 offset = f.u16();
        const quint16 chars = f.u16();
        f.pos = offset;
        QByteArray data = f.take(qint64(chars) * 2);
        if (f.bad) {
            in.bad = true;
            return {};
        }
        if (password)  // each byte: nibbles swapped, then XOR 0xA5
            for (auto& ch : data) {
                const quint8 b = quint8(ch) ^ 0xA5;
                ch = char(quint8((b << 4) | (b >> 4)));
            }
        return from_utf16(data);
    };
    db::ConnectProps props;
    props.host = host;
    props.port = port;
    props.workstation = field(fixed);
    props.user = field(fixed + 4);
    props.password = field(fixed + 8, true);
    props.app_name = field(fixed + 12);
    props.database = field(fixed + 32);
    if (in.bad)
        return false;

    QString error;
    bool ok;
    {
        std::lock_guard g(server_mutex);
        ok = server.login(props, &error);
    }
    if (!ok) {
        if (error.isEmpty())
            error = QStringLiteral("Login failed for user '%1'.").arg(props.user);
        send(c, error_answer(tok_done, error, QString(), 18456, 14));
        return false;  // and the connection is closed
    }

    c.packet_size = packet_size >= 512 && packet_size <= 32767 ? int(packet_size) : default_packet;
    c.database = props.database;
    Out o;
    if (!c.database.isEmpty()) {
        env_text(o, 1, c.database, QStringLiteral("master"));
        message_token(o, tok_info, 5701, 0, QStringLiteral("Changed database context to '%1'.").arg(c.database),
                      QString());
    }
    Out coll;
    coll.u8(7);
    coll.u8(5);
    coll.bytes(server_collation);
    coll.u8(0);
    o.token(tok_envchange, coll);
    env_text(o, 4, QString::number(c.packet_size), QString::number(default_packet));
    Out ack;
    ack.u8(1);  // T-SQL
    ack.bytes(QByteArray("\x74\x00\x00\x04", 4));
    ack.b_varchar(QStringLiteral("Tovaren central"));
    ack.bytes(QByteArray("\x0F\x00\x07\xD0", 4));
    o.token(tok_loginack, ack);
    done_token(o, tok_done, done_final, 0, 0);
    const bool sent = send(c, o.b);
    c.logged_in = true;
    return sent;
}

bool TdsEndpoint::Impl::batch(Client& c)
{
    In in(c.message);
    const quint32 headers = in.u32();
    if (in.bad || headers < 4 || headers > quint32(c.message.size()) || (c.message.size() - headers) % 2)
        return send(c, error_answer(tok_done, QStringLiteral("malformed batch")));
    in.pos = headers;
    const QString sql = in.utf16((c.message.size() - headers) / 2);
    static const QRegularExpression use(QStringLiteral(R"re(^\s*use\s+(\[((?:[^\]]|\]\])+)\]|"([^"]+)"|([^\s;\[\]"]+))\s*;?\s*$)re"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto match = use.match(sql);
    if (!match.hasMatch())
        return send(c, error_answer(tok_done, QStringLiteral("Only \"use\" batches are served here.")));
    QString name = match.captured(2);
    if (!name.isEmpty())
        name.replace(QStringLiteral("]]"), QStringLiteral("]"));
    else if (!match.captured(3).isEmpty())
        name = match.captured(3);
    else
        name = match.captured(4);
    QString error;
    bool ok;
    {
        std::lock_guard g(server_mutex);
        ok = server.use(name, &error);
    }
    if (!ok)
        return send(c, error_answer(tok_done, error, QString(), 911, 16));
    Out o;
    env_text(o, 1, name, c.database);
    message_token(o, tok_info, 5701, 0, QStringLiteral("Changed database context to '%1'.").arg(name), QString());
    done_token(o, tok_done, done_final, 0, 0);
    c.database = name;
    return send(c, o.b);
}

bool TdsEndpoint::Impl::rpc(Client& c)
{
    if (vanish > 0) {
        --vanish;
        // Gone without a word, as a server whose cable was pulled: no answer, and from now
        // on the connection's every incoming segment is dropped before TCP sees it, so not
        // even the client's keep-alive probes are acknowledged. Only the client's own
        // limits end its wait.
        sock_filter drop_all = BPF_STMT(BPF_RET | BPF_K, 0);
        sock_fprog prog{1, &drop_all};
        ::setsockopt(c.fd, SOL_SOCKET, SO_ATTACH_FILTER, &prog, sizeof prog);
        c.vanished = true;
        return true;
    }
    In in(c.message);
    const quint32 headers = in.u32();
    if (in.bad || headers < 4 || headers > quint32(c.message.size()))
        return send(c, error_answer(tok_doneproc, QStringLiteral("malformed remote procedure call")));
    in.pos = headers;
    const quint16 name_len = in.u16();
    if (name_len == 0xFFFF)
        return send(c, error_answer(tok_doneproc, QStringLiteral("procedures are called by name here")));
    Request req;
    req.proc = in.utf16(name_len);
    in.u16();  // option flags
    QList<TypeInfo> types;
    QStringList names;
    QString error;
    while (!in.bad && !in.at_end()) {
        const auto next = quint8(c.message[in.pos]);
        if (next == 0x80 || next == 0xFF)
            return send(c, error_answer(tok_doneproc, QStringLiteral("one procedure per request"), req.proc));
        const QString pname = in.utf16(in.u8());
        const quint8 status = in.u8();
        TypeInfo t;
        QVariant v;
        if (in.bad)
            break;
        if (!read_type(in, t, &error)) {
            if (in.bad)
                break;
            return send(c, error_answer(tok_doneproc,
                                        QStringLiteral("parameter %1: %2").arg(req.args.size() + 1).arg(error),
                                        req.proc));
        }
        if (!read_value(in, t, v)) {
            in.bad = true;
            break;
        }
        if (status & 0x01)
            req.out_positions << int(req.args.size());
        req.args << v;
        types << t;
        names << pname;
    }
    if (in.bad || req.proc.isEmpty())
        return send(c, error_answer(tok_doneproc, QStringLiteral("malformed remote procedure call"), req.proc));
    req.database = c.database;

    bool ok, broken = false;
    {
        std::lock_guard g(server_mutex);
        ok = server.execute(req, &error, &broken);
    }
    if (answer_lost(req.proc))
        return false;  // it ran; the connection goes away before its answer
    QByteArray answer;
    if (!ok) {
        if (broken)
            return false;  // the connection goes away under the call
        answer = error_answer(tok_doneproc, error, req.proc);
    } else {
        Out o;
        for (const auto& set : req.sets) {
            if (set.columns.isEmpty())
                continue;
            QList<TypeInfo> cols;
            Out meta;
            meta.u16(quint16(set.columns.size()));
            for (int i = 0; i < set.columns.size(); ++i) {
                cols << column_type(set, i);
                meta.u32(0);       // user type
                meta.u16(0x0001);  // nullable
                write_type(meta, cols.last());
                meta.b_varchar(set.columns[i]);
            }
            o.u8(tok_colmetadata);
            o.bytes(meta.b);
            for (const auto& row : set.rows) {
                o.u8(tok_row);
                for (int i = 0; i < cols.size() && ok; ++i) {
                    ok = write_value(o, cols[i], i < row.size() ? row[i] : QVariant(), &error);
                }
            }
            done_token(o, tok_doneinproc, done_more | done_count, 0xC1, quint64(set.rows.size()));
        }
        if (req.answers_status) {
            o.u8(tok_returnstatus);
            o.u32(quint32(req.status));
        }
        for (int pos : req.out_positions) {
            if (!ok)
                break;
            const QVariant& v = req.args[pos];
            const TypeInfo t = answer_type(types[pos], v);
            o.u8(tok_returnvalue);
            o.u16(quint16(pos));
            o.b_varchar(names[pos]);
            o.u8(0x01);  // output parameter
            o.u32(0);    // user type
            o.u16(0x0001);
            write_type(o, t);
            ok = write_value(o, t, v, &error);
        }
        done_token(o, tok_doneproc, done_final, 0, 0);
        answer = ok ? o.b : error_answer(tok_doneproc, error, req.proc);
    }
    QByteArray wire;
    return send(c, answer, &wire);
}

bool TdsEndpoint::Impl::answer_lost(const QString& proc)
{
    std::lock_guard g(mutex);
    if (lose <= 0 || !(lose_proc.isEmpty() || lose_proc == proc))
        return false;
    --lose;
    return true;
}

TdsEndpoint::TdsEndpoint(Server& server) : server_(server), d_(std::make_unique<Impl>(server)) {}

TdsEndpoint::~TdsEndpoint() { stop(); }

bool TdsEndpoint::start(const QString& host, int port, QString* error)
{
    auto fail = [&](const QString& text) {
        if (error)
            *error = text + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
        if (d_->listener >= 0)
            ::close(d_->listener);
        d_->listener = -1;
        return false;
    };
    if (d_->thread.joinable()) {
        if (error)
            *error = QStringLiteral("already listening");
        return false;
    }
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(quint16(port));
    const QString ip = host == QLatin1String("localhost") ? QStringLiteral("127.0.0.1") : host;
    if (port < 0 || port > 65535 || ::inet_pton(AF_INET, ip.toLatin1().constData(), &addr.sin_addr) != 1) {
        if (error)
            *error = QStringLiteral("not an IPv4 address and port: %1:%2").arg(host).arg(port);
        return false;
    }
    d_->listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (d_->listener < 0)
        return fail(QStringLiteral("socket"));
    const int one = 1;
    ::setsockopt(d_->listener, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(d_->listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) < 0)
        return fail(QStringLiteral("cannot bind %1:%2").arg(host).arg(port));
    if (::listen(d_->listener, 16) < 0)
        return fail(QStringLiteral("cannot listen"));
    socklen_t len = sizeof addr;
    ::getsockname(d_->listener, reinterpret_cast<sockaddr*>(&addr), &len);
    if (::pipe2(d_->wake, O_CLOEXEC | O_NONBLOCK) < 0)
        return fail(QStringLiteral("pipe"));
    d_->host = ip;
    d_->port = ntohs(addr.sin_port);
    d_->stopping = false;
    d_->thread = std::thread([this] { d_->run(); });
    return true;
}

void TdsEndpoint::stop()
{
    if (!d_->thread.joinable())
        return;
    d_->stopping = true;
    d_->poke();
    d_->thread.join();
    ::close(d_->listener);
    ::close(d_->wake[0]);
    ::close(d_->wake[1]);
    d_->listener = d_->wake[0] = d_->wake[1] = -1;
}

bool TdsEndpoint::running() const { return d_->thread.joinable(); }
QString TdsEndpoint::host() const { return d_->host; }
int TdsEndpoint::port() const { return d_->port; }

void TdsEndpoint::drop_connections()
{
    {
        std::lock_guard g(d_->mutex);
        for (auto& c : d_->clients) {
            if (c->dropped)
                continue;  // closing already
            c->draining = true;  // before dropped: the serving thread never closes it outright
            c->dropped = true;
            ::shutdown(c->fd, SHUT_WR);
        }
    }
    d_->poke();
}

void TdsEndpoint::vanish_at_next_calls(int n) { d_->vanish = n; }

void TdsEndpoint::lose_answers_at_next_calls(int n, const QString& proc)
{
    std::lock_guard g(d_->mutex);
    d_->lose = n;
    d_->lose_proc = proc;
}

int TdsEndpoint::connections() const
{
    std::lock_guard g(d_->mutex);
    int n = 0;
    for (const auto& c : d_->clients)
        n += c->dropped ? 0 : 1;
    return n;
}

std::mutex& TdsEndpoint::server_mutex() { return d_->server_mutex; }

QByteArray TdsEndpoint::last_request() const
{
    std::lock_guard g(d_->mutex);
    return d_->last_request;
}

QByteArray TdsEndpoint::last_answer() const
{
    std::lock_guard g(d_->mutex);
    return d_->last_answer;
}

} // namespace central
