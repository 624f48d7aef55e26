#include "central.h"
#include "core/db/values.h"

namespace central {

namespace {

bool is_text(int type) { return type == db::adChar || type == db::adVarChar; }
bool is_int(int type)
{
    return type == db::adTinyInt || type == db::adSmallInt || type == db::adInteger || type == db::adBigInt;
}

// Values travel as the wire carries them: whole numbers as 64-bit, texts, dates.
QVariant normalise(int type, const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return {};
    if (is_int(type)) {
        qint64 n = 0;  // a double rounded as the driver sends it
        return db::to_whole(v, n) ? QVariant::fromValue<qint64>(n) : QVariant();
    }
    if (is_text(type))
        return v.toString();
    if (type == db::adDate) {
        db::DateTime dt;  // read as the driver reads it for the wire
        return db::to_datetime(v, dt) ? db::from_datetime(dt) : QVariant();
    }
    if (type == db::adDouble)
        return v.toDouble();
    return v;
}

class InProcSession : public db::Session {
public:
    InProcSession(Server& server, QString database)
        : server_(server), database_(std::move(database)), generation_(server.generation())
    {
    }

    bool use(const QString& database, QString* error) override
    {
        if (broken()) {
            if (error)
                *error = QStringLiteral("connection broken");
            return false;
        }
        if (!server_.use(database, error))
            return false;
        database_ = database;
        return true;
    }

    bool call(const QString& procedure, QList<db::Parameter>& params, QList<db::ResultSet>& sets,
              QString* error) override
    {
        if (broken()) {
            if (error)
                *error = QStringLiteral("connection broken");
            return false;
        }
        Request req;
        req.proc = procedure;
        req.database = database_;
        QList<int> index;  // args position -> params index
        for (int i = 0; i < params.size(); ++i) {
            if (params[i].dir == db::adParamReturnValue)
                continue;
            if (params[i].dir != db::adParamInput)
                req.out_positions << int(req.args.size());
            req.args << normalise(params[i].type, params[i].value);
            req.types << params[i].type;
            req.sizes << params[i].size;
            index << i;
        }
        bool broke = false;
        if (!server_.execute(req, error, &broke)) {
            broken_ = broke;
            return false;
        }
        for (auto& p : params)
            if (p.dir == db::adParamReturnValue)
                p.value = req.answers_status ? QVariant::fromValue<qint64>(req.status) : QVariant();
        // Answered as the procedure set them: the command converts them to their types.
        for (int pos : req.out_positions)
            params[index[pos]].value = req.args[pos];
        sets = req.sets;
        return true;
    }

    bool broken() const override { return broken_ || generation_ != server_.generation(); }

private:
    Server& server_;
    QString database_;
    int generation_;
    bool broken_ = false;
};

} // namespace

Server::Server(Clock clock)
{
    if (clock)
        model.clock = std::move(clock);
    model.started = model.now();
    install_login(*this);
    install_sale(*this);
    install_plays(*this);
    install_services(*this);
    install_winners(*this);
    install_reports(*this);
    install_admin(*this);
    model.end_history(model.started);
}

Server::~Server() = default;

void Server::register_procedure(const QString& name, Procedure proc)
{
    procs_[name] = std::move(proc);
}

bool Server::login(const db::ConnectProps& props, QString* error)
{
    const QString target = props.host + ":" + QString::number(props.port);
    open_tries << target;
    if (fail_open_ > 0) {
        --fail_open_;
        if (error)
            *error = QStringLiteral("Unable to connect: Adaptive Server is unavailable or does not exist");
        return false;
    }
    if (refused_.contains(target)) {
        if (error)
            *error = QStringLiteral("Unable to connect: Adaptive Server is unavailable or does not exist");
        return false;
    }
    if (refused_dbs_.contains(props.database)) {
        if (error)
            *error = QStringLiteral("Cannot open database \"%1\" requested by the login. The login failed.")
                         .arg(props.database);
        return false;
    }
    if (props.user != model.db_user || props.password != model.db_password) {
        if (error)
            *error = QStringLiteral("Login failed for user '%1'.").arg(props.user);
        return false;
    }
    ++opens;
    last_open = props;
    return true;
}

std::unique_ptr<db::Session> Server::open(const db::ConnectProps& props, QString* error)
{
    if (!login(props, error))
        return nullptr;
    return std::make_unique<InProcSession>(*this, props.database);
}

bool Server::execute(Request& req, QString* error, bool* broken)
{
    log.append(Call{req.proc, req.args, req.types, req.sizes});
    if (broken)
        *broken = false;
    if (fail_any_ > 0 || fail_proc_.value(req.proc) > 0) {
        if (fail_any_ > 0)
            --fail_any_;
        else
            fail_proc_[req.proc] -= 1;
        if (error)
            *error = QStringLiteral("Communication link failure");
        if (broken)
            *broken = true;
        return false;
    }
    if (error_proc_.value(req.proc) > 0) {
        error_proc_[req.proc] -= 1;
        if (error)
            *error = QStringLiteral("Procedure %1 raised an error.").arg(req.proc);
        return false;
    }
    auto it = procs_.find(req.proc);
    if (it == procs_.end()) {
        if (error)
            *error = QStringLiteral("Could not find stored procedure '%1'.").arg(req.proc);
        return false;
    }
    if (!it->second(req)) {
        if (error && error->isEmpty())
            *error = QStringLiteral("procedure %1 failed").arg(req.proc);
        return false;
    }
    if (no_rs_.contains(req.proc))
        req.sets.clear();
    if (no_status_.contains(req.proc))
        req.answers_status = false;
    if (auto s = spoils_.find(req.proc); s != spoils_.end() && !s->isEmpty())
        s->takeFirst()(req);
    return true;
}

void Server::spoil_next(const QString& proc, Spoil spoil, int n)
{
    for (int i = 0; i < n; ++i)
        spoils_[proc].append(spoil);
}

namespace spoil {

namespace {

// Each result set that has the column, with its index there.
template <class F> Spoil each_column(const QString& name, F f)
{
    return [name, f](Request& r) {
        for (db::ResultSet& set : r.sets)
            if (const qsizetype at = set.columns.indexOf(name); at >= 0)
                f(set, at);
    };
}

} // namespace

Spoil column(const QString& name, const QVariant& value, int row)
{
    return each_column(name, [value, row](db::ResultSet& set, qsizetype at) {
        for (int i = 0; i < set.rows.size(); ++i)
            if ((row < 0 || row == i) && at < set.rows[i].size())
                set.rows[i][at] = value;
    });
}

Spoil drop_column(const QString& name)
{
    return each_column(name, [](db::ResultSet& set, qsizetype at) {
        set.columns.removeAt(at);
        for (QVariantList& values : set.rows)
            if (at < values.size())
                values.removeAt(at);
    });
}

Spoil output(int k, const QVariant& value)
{
    return [k, value](Request& r) {
        if (k < r.out_positions.size())
            r.args[r.out_positions[k]] = value;
    };
}

Spoil no_status()
{
    return [](Request& r) { r.answers_status = false; };
}

Spoil no_result_set()
{
    return [](Request& r) { r.sets.clear(); };
}

Spoil extra_first_set()
{
    return [](Request& r) { r.sets.prepend(db::ResultSet{{"aviso"}, {{QStringLiteral("extra")}}}); };
}

Spoil rows_cleared()
{
    return [](Request& r) {
        for (db::ResultSet& set : r.sets)
            set.rows.clear();
    };
}

} // namespace spoil

bool Server::use(const QString& database, QString* error)
{
    uses << database;
    if (!refused_dbs_.contains(database))
        return true;
    if (error)
        *error = QStringLiteral("Database '%1' does not exist. Make sure that the name is entered correctly.")
                     .arg(database);
    return false;
}

QStringList Server::procs() const
{
    QStringList names;
    for (const auto& c : log)
        names << c.proc;
    return names;
}

QList<Call> Server::calls(const QString& proc) const
{
    QList<Call> out;
    for (const auto& c : log)
        if (c.proc == proc)
            out << c;
    return out;
}

void Server::fail_next(int n, const QString& proc)
{
    if (proc.isEmpty())
        fail_any_ = n;
    else
        fail_proc_[proc] = n;
}

void Server::error_next(int n, const QString& proc) { error_proc_[proc] = n; }
void Server::fail_next_open(int n) { fail_open_ = n; }
void Server::refuse(const QString& host_port) { refused_.insert(host_port); }
void Server::allow(const QString& host_port) { refused_.remove(host_port); }

void Server::no_recordset(const QString& proc, bool on)
{
    if (on)
        no_rs_.insert(proc);
    else
        no_rs_.remove(proc);
}

void Server::no_status(const QString& proc, bool on)
{
    if (on)
        no_status_.insert(proc);
    else
        no_status_.remove(proc);
}

void Server::refuse_database(const QString& name) { refused_dbs_.insert(name); }
void Server::drop_sessions() { ++generation_; }

} // namespace central
