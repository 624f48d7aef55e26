#include "central.h"

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
    if (is_int(type))
        return QVariant::fromValue<qint64>(v.toLongLong());
    if (is_text(type))
        return v.toString();
    if (type == db::adDate)
        return v.toDate();
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
            index << i;
        }
        bool broke = false;
        if (!server_.execute(req, error, &broke)) {
            broken_ = broke;
            return false;
        }
        for (auto& p : params)
            if (p.dir == db::adParamReturnValue)
                p.value = QVariant::fromValue<qint64>(req.status);
        for (int pos : req.out_positions)
            params[index[pos]].value = normalise(params[index[pos]].type, req.args[pos]);
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

Server::Server()
{
    seed();
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
    log.append(Call{req.proc, req.args});
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
    return true;
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

void Server::drop_sessions() { ++generation_; }

// The procedures of the connection and the login.
void Server::seed()
{
    model.cox.insert("DEMO", Cox{});
    Outlet& o = model.outlet;
    o.values = {
        {"CODIGO_VEN", "001"},
        {"NOMBRE_VEN", "AGENCIA DEMO"},
        {"DIRECC_VEN", "AV. PRINCIPAL 1"},
        {"NUMRIF_VEN", "J-00000000-0"},
        {"FECHAX_SYS", QDate::currentDate().toString("yyyy-MM-dd")},
        {"TKMENS_001", "GRACIAS POR SU COMPRA"},
        {"TKMENS_002", "REVISE SU TICKET"},
        {"TKMENS_003", "CADUCA A LOS 3 DIAS"},
        {"JUGADA_SYS", "100000000"},
        {"SYSTEM_MOD", "100000000"},
        {"NUMRNL_SYS", ""},
        {"PORIMP_VEN", "0"},
        {"ZORDER_SYS", "0"},
        {"GETLOT_MNU", ""},
    };
    o.users.insert("CAJERO", User{"CLAVE", "01", {}});
    o.users.insert("ADMIN", User{"CLAVE", "00", {}});
    for (int i = 0; i < 100; ++i)
        model.symbols.append(Symbol{1, QString::asprintf("%02d", i), QString("Simbolo %1").arg(i)});
    model.symbols.append(Symbol{1, "0", "Cero"});

    // getcox: d1 terminal, d2 database code -> rows name/value, return code.
    register_procedure("getcox", [this](Request& r) {
        auto it = model.cox.find(r.text(1).trimmed());
        if (it == model.cox.end()) {
            r.status = 3;
            return true;
        }
        r.status = it->status;
        auto& rs = r.rows({"name", "value"});
        const QList<QStringList> rows = {{"server_ip", it->server_ip}, {"server_port", it->server_port},
                                         {"databs", it->databs},       {"app_numver", it->app_numver},
                                         {"ipnet", it->ipnet}};
        for (const auto& row : rows)
            if (!it->omit.contains(row[0]))
                rs.rows << QVariantList{row[0], row[1]};
        for (const auto& row : it->extra)
            if (row.size() == 2)
                rs.rows << QVariantList{row[0], row[1]};
        return true;
    });

    // getutq: d1 user, d2 password, d3 terminal, d4 version, d5 network address.
    register_procedure("getutq", [this](Request& r) {
        auto& rs = r.rows({"nombre", "valor"});
        if (model.getutq_override >= 0) {
            r.status = model.getutq_override;
            if (r.status > 2)
                return true;
        }
        const Outlet& o = model.outlet;
        auto u = o.users.find(r.text(0).trimmed());
        if (model.getutq_override < 0) {
            if (u == o.users.end()) {
                r.status = 4;
                return true;
            }
            if (u->password != r.text(1).trimmed()) {
                r.status = 3;
                return true;
            }
            r.status = o.status;
        }
        for (auto it = o.values.begin(); it != o.values.end(); ++it)
            rs.rows << QVariantList{it.key(), it.value()};
        if (u != o.users.end()) {
            rs.rows << QVariantList{"IDUSER_VEN", u->caja};
            for (const auto& code : u->denied)
                rs.rows << QVariantList{"USERXX_MAP", code};
        }
        for (const auto& row : o.extra_rows)
            if (row.size() == 2)
                rs.rows << QVariantList{row[0], row[1]};
        return true;
    });

    register_procedure("getsim", [this](Request& r) {
        auto& rs = r.rows({"codsim", "numero", "nombre"});
        for (const auto& s : model.symbols)
            rs.rows << QVariantList{s.codsim, s.numero, s.nombre};
        return true;
    });

    register_procedure("stacox", [](Request& r) {
        r.status = 0;
        return true;
    });

    // getmen: m1 out count, m2 out date, m3 out time, m4 out text, m5 outlet.
    register_procedure("getmen", [this](Request& r) {
        auto& msgs = model.outlet.messages;
        for (auto& m : msgs) {
            if (!m.waiting)
                continue;
            m.waiting = false;
            r.out(0, QVariant::fromValue<qint64>(1));
            r.out(1, m.fecmov);
            r.out(2, m.hormov);
            r.out(3, m.texto);
            return true;
        }
        r.out(0, QVariant::fromValue<qint64>(0));
        return true;
    });

    // dstmen: p1 outlet -> rows fecmov, hormov, texto.
    register_procedure("dstmen", [this](Request& r) {
        auto& rs = r.rows({"fecmov", "hormov", "texto"});
        for (const auto& m : model.outlet.messages)
            rs.rows << QVariantList{m.fecmov, m.hormov, m.texto};
        return true;
    });
}

} // namespace central
