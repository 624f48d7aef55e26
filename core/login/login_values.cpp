#include "login_values.h"
#include "core/login/deploy.h"
#include "core/shared/justify.h"

#include <QLocale>
#include <cfenv>
#include <cmath>

QString framed_message(const QStringList& lines, int lead)
{
    qsizetype width = 0;
    for (const auto& l : lines)
        width = std::max(width, l.size());
    const QString brand = QString::fromLatin1(deploy::brand);
    const qsizetype inner = std::max<qsizetype>(width - 6, brand.size());
    const qsizetype left = (inner - brand.size()) / 2;
    const QString banner = "***" + QString(left, ' ') + brand + QString(inner - brand.size() - left, ' ') + "***";

    QStringList all = lines;
    all << banner;
    QString text;
    for (qsizetype i = 0; i < all.size(); ++i) {
        text += QString(lead, ' ') + all[i] + QString(15, ' ') + "\r\n";
        if (i + 1 < all.size())
            text += "\r\n";
    }
    return text;
}

namespace {
const QString kProgramaNoValido = QStringLiteral("*** PROGRAMA NO ES VALIDO ***");
const QString kActualizar = QStringLiteral("***  ACTUALIZAR PROGRAMA  ***");
const QString kConexionNoValida = QStringLiteral("*** CONEXION NO ES VALIDA ***");
const QString kNoDisponible = QStringLiteral("*** SERVICIO NO ESTA DISPONIBLE ***");
const QString kSuspendido = QStringLiteral("*** SERVICIO SUSPENDIDO ***");
} // namespace

QString getcox_frame(int code)
{
    switch (code) {
    case 2:
        return framed_message({kProgramaNoValido, kActualizar}, 12);
    case 3:
        return framed_message({kConexionNoValida}, 12);
    default:
        return framed_message({kNoDisponible}, 8);
    }
}

QString getutq_frame(int code)
{
    switch (code) {
    case 7:
        return framed_message({kConexionNoValida}, 12);
    case 8:
        return framed_message({kSuspendido}, 12);
    case 9:
        return framed_message({kProgramaNoValido, kActualizar}, 12);
    default:
        return framed_message({kNoDisponible}, 5);
    }
}

std::optional<double> to_number(const QString& text)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(trim_blanks(text), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int> to_int16(const QString& text)
{
    const auto v = to_number(text);
    if (!v)
        return std::nullopt;
    const int old = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(*v);
    std::fesetround(old);
    if (r < -32768 || r > 32767)
        return std::nullopt;
    return int(r);
}

bool set_login_value(SesVal& ses, const QString& key, const QString& value)
{
    const QString v = trim_blanks(value);
    QString* text = nullptr;
    if (key == "CODIGO_VEN")
        text = &ses.cod_ven;
    else if (key == "NOMBRE_VEN")
        text = &ses.nom_ven;
    else if (key == "DIRECC_VEN")
        text = &ses.dir_ven;
    else if (key == "IDUSER_VEN")
        text = &ses.cod_caj;
    else if (key == "TKMENS_001")
        text = &ses.tik_men1;
    else if (key == "TKMENS_002")
        text = &ses.tik_men2;
    else if (key == "TKMENS_003")
        text = &ses.tik_men3;
    else if (key == "NUMRNL_SYS")
        text = &ses.num_rnl;
    else if (key == "NUMRIF_VEN")
        text = &ses.rif_ven;
    if (text) {
        *text = v;
        return true;
    }
    if (key == "FECHAX_SYS") {
        if (const auto d = to_date(v))
            ses.fec_sys = *d;
    } else if (key == "JUGADA_SYS" || key == "SYSTEM_MOD") {
        // Every amount is divided by these: 0 or a negative value is refused.
        const auto n = to_number(v);
        if (n && *n > 0)
            (key == "SYSTEM_MOD" ? ses.mod_sys : ses.jug_sys) = *n;
    } else if (key == "PORIMP_VEN") {
        if (const auto n = to_int16(v))
            ses.por_imp = *n;
    } else if (key == "ZORDER_SYS") {
        // A lottery order chosen locally (or by an earlier login) wins over the server's.
        if (ses.ord_lot < 0)
            if (const auto n = to_int16(v))
                ses.ord_lot = *n;
    } else if (key == "GETLOT_MNU") {
        ses.lot_mnu = value;
    } else {
        return false;
    }
    return true;
}

void rotate_recent(CfgReg& cfg)
{
    if (cfg.cox_dtbs == cfg.cox_dtb1)
        return;
    if (cfg.cox_dtbs != cfg.cox_dtb2)
        cfg.cox_dtb3 = cfg.cox_dtb2;
    cfg.cox_dtb2 = cfg.cox_dtb1;
    cfg.cox_dtb1 = cfg.cox_dtbs;
}
