#include "tds_driver.h"
#include "values.h"
#include "platform/loaded_library.h"

#include <sybfront.h>
#include <sybdb.h>

#include <QDate>
#include <QDateTime>
#include <QMetaType>
#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>
#include <vector>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace db {

namespace {

// db-lib reports client errors and server messages through two process-wide handlers.
// They keep the texts of the operation under way; the session reads them afterwards.
struct Diagnostics {
    std::mutex mutex;
    QString server;   // last server message with a severity above 10
    QString client;   // last client error
};

Diagnostics& diagnostics()
{
    static Diagnostics d;
    return d;
}

int on_error(DBPROCESS*, int, int dberr, int oserr, char* dberrstr, char* oserrstr)
{
    auto& d = diagnostics();
    std::lock_guard g(d.mutex);
    QString text = QString::fromUtf8(dberrstr ? dberrstr : "");
    if (oserr != 0 && oserr != DBNOERR && oserrstr && *oserrstr)
        text += QStringLiteral(" (%1)").arg(QString::fromUtf8(oserrstr));
    if (text.isEmpty())
        text = QStringLiteral("db-lib error %1").arg(dberr);
    // "check messages from the server" only points at a message we already have.
    if (dberr != SYBESMSG || d.client.isEmpty())
        d.client = text;
    return INT_CANCEL;
}

int on_message(DBPROCESS*, DBINT msgno, int, int severity, char* msgtext, char*, char*, int)
{
    if (severity <= 10)  // informational: database or language changed, prints
        return 0;
    auto& d = diagnostics();
    std::lock_guard g(d.mutex);
    d.server = QString::fromUtf8(msgtext ? msgtext : "");
    if (d.server.isEmpty())
        d.server = QStringLiteral("server error %1").arg(msgno);
    return 0;
}

void clear_diagnostics()
{
    auto& d = diagnostics();
    std::lock_guard g(d.mutex);
    d.server.clear();
    d.client.clear();
}

bool server_error()
{
    auto& d = diagnostics();
    std::lock_guard g(d.mutex);
    return !d.server.isEmpty();
}

// The server's own words when it sent any, else the client's.
QString diagnostic(const QString& fallback)
{
    auto& d = diagnostics();
    std::lock_guard g(d.mutex);
    if (!d.server.isEmpty())
        return d.server;
    if (!d.client.isEmpty())
        return d.client;
    return fallback;
}

void set_error(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// db-lib is loaded by the first connection (or the first value only it can convert), not
// at the program's start: the login window comes up without FreeTDS and the chain of TLS
// and Kerberos libraries it brings.
constexpr const char* kDbLib = "libsybdb.so.5";

// The db-lib functions used, each named once here.
#define TOVAREN_DBLIB_FUNCTIONS(F)                                                                      \
    F(dbinit) F(dberrhandle) F(dbmsghandle) F(dbsettime) F(dbsetlogintime) F(dbconvert) F(dblogin)      \
    F(dbsetlname) F(dbsetlversion) F(dbloginfree) F(tdsdbopen) F(dbiordesc) F(dbclose) F(dbdead)        \
    F(dbuse) F(dbrpcinit) F(dbrpcparam) F(dbrpcsend) F(dbsqlok) F(dbresults) F(dbnumcols) F(dbcolname)   \
    F(dbnextrow) F(dbcoltype) F(dbdata) F(dbdatlen) F(dbcancel) F(dbnumrets) F(dbhasretstat)            \
    F(dbretstatus) F(dbrettype) F(dbretdata) F(dbretlen)

// The library's functions, looked up once; the library is then initialised.
struct DbLib {
#define TOVAREN_MEMBER(name) decltype(&::name) name = nullptr;
    TOVAREN_DBLIB_FUNCTIONS(TOVAREN_MEMBER)
#undef TOVAREN_MEMBER
    plat::LoadedLibrary so{"db-lib", kDbLib};

    DbLib()
    {
#define TOVAREN_FIND(name) so.find(name, #name);
        TOVAREN_DBLIB_FUNCTIONS(TOVAREN_FIND)
#undef TOVAREN_FIND
        if (so.ok() && dbinit() != SUCCEED)
            so.fail(QStringLiteral("it could not be initialised"));
        if (!so.ok())
            return;
        dberrhandle(on_error);
        dbmsghandle(on_message);
        dbsettime(0);  // calls never time out
    }
};

// db-lib, loaded and initialised; null with error set when it cannot be.
const DbLib* dblib(QString* error = nullptr)
{
    static const DbLib lib;
    if (lib.so.ok())
        return &lib;
    set_error(error, lib.so.error());
    return nullptr;
}

bool is_int(int ado_type)
{
    return ado_type == adTinyInt || ado_type == adSmallInt || ado_type == adInteger || ado_type == adBigInt;
}

template <class T> QByteArray raw(T v)
{
    return QByteArray(reinterpret_cast<const char*>(&v), sizeof v);
}

template <class T> T load(const unsigned char* data)
{
    T v;
    std::memcpy(&v, data, sizeof v);
    return v;
}

} // namespace

namespace tds {

bool keep_alive(int fd, const Liveness& l)
{
    const int on = 1;
    return fd >= 0 && ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on) == 0
           && ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &l.idle_s, sizeof l.idle_s) == 0
           && ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &l.interval_s, sizeof l.interval_s) == 0
           && ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &l.probes, sizeof l.probes) == 0
           && ::setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &l.unacked_ms, sizeof l.unacked_ms) == 0;
}

int wire_type(int ado_type)
{
    switch (ado_type) {
    case adTinyInt: return SYBINT1;
    case adSmallInt: return SYBINT2;
    case adInteger: return SYBINT4;
    case adBigInt: return SYBINT8;
    case adDouble: return SYBFLT8;
    case adDate: return SYBDATETIME;
    case adChar: return SYBCHAR;
    case adVarChar: return SYBVARCHAR;
    default: return 0;
    }
}

bool encode(const Parameter& p, WireParam& out, QString* error)
{
    out = WireParam();
    out.type = wire_type(p.type);
    if (!out.type) {
        set_error(error, QStringLiteral("parameter %1: type %2 not supported").arg(p.name).arg(p.type));
        return false;
    }
    const bool output = p.dir == adParamOutput || p.dir == adParamInputOutput;
    out.status = output ? DBRPCRETURN : 0;
    const QVariant& v = p.value;
    out.null = v.isNull() || !v.isValid();
    auto refuse = [&](const char* what) {
        set_error(error, QStringLiteral("parameter %1: %2").arg(p.name, QString::fromLatin1(what)));
        return false;
    };

    if (is_int(p.type)) {
        if (!out.null) {
            qint64 n = 0;
            if (!to_whole(v, n))
                return refuse("not a whole number");
            switch (p.type) {
            case adTinyInt:
                if (n < 0 || n > 255)
                    return refuse("out of range for a tinyint");
                out.data = raw(quint8(n));
                break;
            case adSmallInt:
                if (n < std::numeric_limits<qint16>::min() || n > std::numeric_limits<qint16>::max())
                    return refuse("out of range for a smallint");
                out.data = raw(qint16(n));
                break;
            case adInteger:
                if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
                    return refuse("out of range for an int");
                out.data = raw(qint32(n));
                break;
            default: out.data = raw(qint64(n)); break;
            }
        }
        return true;
    }
    if (p.type == adDouble) {
        if (!out.null) {
            bool ok = false;
            const double d = v.toDouble(&ok);
            if (!ok || !std::isfinite(d))
                return refuse("not a number");
            out.data = raw(d);
        }
        return true;
    }
    if (p.type == adDate) {
        if (!out.null) {
            DateTime dt;
            if (!to_datetime(v, dt))
                return refuse("not a date between 1753 and 9999");
            DBDATETIME w;
            w.dtdays = dt.days;
            w.dttime = dt.ticks;
            out.data = raw(w);
        }
        return true;
    }
    // Texts.
    if (!out.null) {
        out.data = v.toString().toUtf8();
        if (out.data.isEmpty())
            out.data = " ";
    }
    if (output)
        out.maxlen = std::max<int>(p.size > 0 ? p.size : 8000, int(out.data.size()));
    return true;
}

QVariant decode(int type, const unsigned char* data, int len)
{
    if (!data || len < 0)
        return {};
    switch (type) {
    case SYBINT1:
        if (len >= 1)
            return QVariant::fromValue<qint64>(data[0]);
        break;
    case SYBBIT:
    case SYBBITN:
        if (len >= 1)
            return QVariant::fromValue<qint64>(data[0] ? 1 : 0);
        break;
    case SYBINT2:
        if (len >= 2)
            return QVariant::fromValue<qint64>(load<qint16>(data));
        break;
    case SYBINT4:
        if (len >= 4)
            return QVariant::fromValue<qint64>(load<qint32>(data));
        break;
    case SYBINT8:
        if (len >= 8)
            return QVariant::fromValue<qint64>(load<qint64>(data));
        break;
    case SYBINTN:
        switch (len) {
        case 1: return QVariant::fromValue<qint64>(data[0]);
        case 2: return QVariant::fromValue<qint64>(load<qint16>(data));
        case 4: return QVariant::fromValue<qint64>(load<qint32>(data));
        case 8: return QVariant::fromValue<qint64>(load<qint64>(data));
        default: break;
        }
        break;
    case SYBFLT8:
        if (len >= 8)
            return load<double>(data);
        break;
    case SYBREAL:
        if (len >= 4)
            return double(load<float>(data));
        break;
    case SYBFLTN:
        if (len == 8)
            return load<double>(data);
        if (len == 4)
            return double(load<float>(data));
        break;
    case SYBDATETIME:
    case SYBDATETIMN:
        if (len == 8) {
            const auto w = load<DBDATETIME>(data);
            return from_datetime(DateTime{w.dtdays, w.dttime});
        }
        if (len == 4) {
            const auto w = load<DBDATETIME4>(data);
            return from_datetime(DateTime{w.days, qint32(w.minutes) * 60 * 300});
        }
        break;
    case SYBDATETIME4:
        if (len >= 4) {
            const auto w = load<DBDATETIME4>(data);
            return from_datetime(DateTime{w.days, qint32(w.minutes) * 60 * 300});
        }
        break;
    case SYBCHAR:
    case SYBVARCHAR:
    case SYBTEXT:
    case SYBNTEXT:
    case SYBNVARCHAR:
    case 167:  // varchar, char, nvarchar and nchar as TDS 7 names them
    case 175:
    case 231:
    case 239:
        return QString::fromUtf8(reinterpret_cast<const char*>(data), len);
    default: {
        // Money, decimals and the newer date types go through db-lib's own conversions.
        const DbLib* lib = dblib();
        if (!lib)
            break;
        if (type == SYBMONEY || type == SYBMONEY4 || type == SYBMONEYN || type == SYBDECIMAL
            || type == SYBNUMERIC) {
            double d = 0;
            if (lib->dbconvert(nullptr, type, data, len, SYBFLT8, reinterpret_cast<BYTE*>(&d), sizeof d) > 0)
                return d;
        }
        if (type == SYBMSDATE || type == SYBMSDATETIME2 || type == SYBMSDATETIMEOFFSET || type == SYBDATE
            || type == SYBBIGDATETIME) {
            DBDATETIME w{};
            if (lib->dbconvert(nullptr, type, data, len, SYBDATETIME, reinterpret_cast<BYTE*>(&w), sizeof w) > 0)
                return from_datetime(DateTime{w.dtdays, w.dttime});
        }
        std::vector<char> text(std::max(64, len * 2 + 64));
        const DBINT n = lib->dbconvert(nullptr, type, data, len, SYBCHAR, reinterpret_cast<BYTE*>(text.data()),
                                  DBINT(text.size()));
        if (n >= 0)
            return QString::fromUtf8(text.data(), n).trimmed();
        break;
    }
    }
    return {};
}


} // namespace tds

namespace {

class TdsSession : public Session {
public:
    TdsSession(const DbLib& lib, DBPROCESS* p) : lib_(lib), p_(p) {}
    ~TdsSession() override
    {
        if (p_)
            lib_.dbclose(p_);
    }

    bool use(const QString& database, QString* error) override
    {
        if (broken()) {
            set_error(error, QStringLiteral("connection broken"));
            return false;
        }
        clear_diagnostics();
        const QByteArray name = database.toUtf8();
        if (lib_.dbuse(p_, name.constData()) != SUCCEED) {
            set_error(error, diagnostic(QStringLiteral("could not use database %1").arg(database)));
            return false;
        }
        return true;
    }

    bool call(const QString& procedure, QList<Parameter>& params, QList<ResultSet>& sets, QString* error) override
    {
        sets.clear();
        if (broken()) {
            set_error(error, QStringLiteral("connection broken"));
            return false;
        }
        clear_diagnostics();

        // The values must live until dbrpcsend has put them on the wire.
        std::vector<tds::WireParam> wire;
        wire.reserve(params.size());
        for (const auto& p : params) {
            if (p.dir == adParamReturnValue)
                continue;
            tds::WireParam w;
            if (!tds::encode(p, w, error))
                return false;
            wire.push_back(std::move(w));
        }

        QByteArray name = procedure.toUtf8();
        if (lib_.dbrpcinit(p_, name.data(), 0) != SUCCEED)
            return fail(error, QStringLiteral("could not start the call of %1").arg(procedure));
        static BYTE none = 0;
        for (auto& w : wire) {
            BYTE* value = w.null ? &none : reinterpret_cast<BYTE*>(w.data.data());
            const DBINT datalen = w.null ? 0 : DBINT(w.data.size());
            if (lib_.dbrpcparam(p_, nullptr, BYTE(w.status), w.type, w.maxlen, datalen, value) != SUCCEED) {
                lib_.dbrpcinit(p_, name.data(), DBRPCRESET);
                return fail(error, QStringLiteral("could not pass the parameters of %1").arg(procedure));
            }
        }
        if (lib_.dbrpcsend(p_) != SUCCEED) {
            lib_.dbrpcinit(p_, name.data(), DBRPCRESET);
            return fail(error, QStringLiteral("could not send the call of %1").arg(procedure));
        }
        bool failed = lib_.dbsqlok(p_) != SUCCEED;

        // Every result set is read before the return status and the output values arrive.
        if (!failed) {
            RETCODE rc;
            while ((rc = lib_.dbresults(p_)) != NO_MORE_RESULTS) {
                if (rc != SUCCEED) {
                    failed = true;
                    if (broken())
                        break;
                    continue;
                }
                const int ncols = lib_.dbnumcols(p_);
                if (ncols <= 0)
                    continue;
                ResultSet set;
                for (int c = 1; c <= ncols; ++c)
                    set.columns << QString::fromUtf8(lib_.dbcolname(p_, c));
                STATUS row;
                while ((row = lib_.dbnextrow(p_)) != NO_MORE_ROWS) {
                    if (row == FAIL) {
                        failed = true;
                        break;
                    }
                    QVariantList values;
                    values.reserve(ncols);
                    for (int c = 1; c <= ncols; ++c)
                        values << tds::decode(lib_.dbcoltype(p_, c), lib_.dbdata(p_, c), lib_.dbdatlen(p_, c));
                    set.rows << values;
                }
                sets << set;
                if (failed)
                    break;
            }
        }
        if (failed || server_error()) {
            if (!broken())
                lib_.dbcancel(p_);
            sets.clear();
            set_error(error, diagnostic(QStringLiteral("the call of %1 failed").arg(procedure)));
            return false;
        }

        int ret = 0;
        const int nrets = lib_.dbnumrets(p_);
        for (auto& p : params) {
            if (p.dir == adParamReturnValue) {
                p.value = lib_.dbhasretstat(p_) ? QVariant::fromValue<qint64>(lib_.dbretstatus(p_)) : QVariant();
            } else if (p.dir == adParamOutput || p.dir == adParamInputOutput) {
                ++ret;
                if (ret <= nrets)
                    p.value = tds::decode(lib_.dbrettype(p_, ret), lib_.dbretdata(p_, ret), lib_.dbretlen(p_, ret));
                else
                    p.value = QVariant();
            }
        }
        return true;
    }

    bool broken() const override { return !p_ || lib_.dbdead(p_); }

private:
    const DbLib& lib_;
    DBPROCESS* p_;

    bool fail(QString* error, const QString& fallback)
    {
        set_error(error, diagnostic(fallback));
        return false;
    }
};

} // namespace

TdsDriver::TdsDriver(Liveness liveness) : liveness_(liveness) {}
TdsDriver::~TdsDriver() = default;

std::unique_ptr<Session> TdsDriver::open(const ConnectProps& props, QString* error)
{
    const DbLib* lib = dblib(error);
    if (!lib)
        return nullptr;
    clear_diagnostics();
    LOGINREC* login = lib->dblogin();
    if (!login) {
        set_error(error, QStringLiteral("db-lib could not make a login record"));
        return nullptr;
    }
    const QByteArray user = props.user.toUtf8(), password = props.password.toUtf8(),
                     app = props.app_name.toUtf8(), host = props.workstation.toUtf8(),
                     database = props.database.toUtf8(),
                     server = (props.host + ":" + QString::number(props.port)).toUtf8();
    lib->dbsetlname(login, user.constData(), DBSETUSER);
    lib->dbsetlname(login, password.constData(), DBSETPWD);
    if (!app.isEmpty())
        lib->dbsetlname(login, app.constData(), DBSETAPP);
    if (!host.isEmpty())
        lib->dbsetlname(login, host.constData(), DBSETHOST);
    lib->dbsetlname(login, "UTF-8", DBSETCHARSET);
    lib->dbsetlversion(login, DBVERSION_74);
    if (!database.isEmpty())
        lib->dbsetlname(login, database.constData(), DBSETDBNAME);
    lib->dbsetlogintime(props.login_timeout > 0 ? props.login_timeout : 0);
    DBPROCESS* p = lib->tdsdbopen(login, server.constData(), 0);
    lib->dbloginfree(login);
    if (!p) {
        set_error(error, diagnostic(QStringLiteral("could not connect to %1").arg(QString::fromUtf8(server))));
        return nullptr;
    }
    if (!tds::keep_alive(lib->dbiordesc(p), liveness_))
        qWarning("the connection to %s has no keep-alive: a vanished server would hold a call",
                 server.constData());
    return std::make_unique<TdsSession>(*lib, p);
}

} // namespace db
