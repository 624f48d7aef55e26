// The login's pure pieces: the address check, the conversions of the login values and the
// recent database codes; one golden transcript (tests/golden/login/values.txt).
#include "core/login/discovery.h"
#include "core/login/login_values.h"
#include "tests/doubles/golden.h"

TEST(LoginValues, AddressesConversionsDivisorsAndRecentCodes)
{
    QStringList t;
    for (const char* ip : {"198.51.100.10", "255.255.255.255", "192.168.0.10", "10.1.1.256", "10.1.1", "10.1.1.1.1", "",
                           "host.example", "10.1.1.-1", "10.1..1", "10.1.1.1 "})
        t << QString("ip_valid '%1': %2").arg(ip).arg(ip_valid(ip));
    for (const char* text : {"2.5", "3.5", "32768"})  // halves to even
        t << QString("to_int16 %1: %2").arg(text, to_int16(text) ? QString::number(*to_int16(text)) : "none");
    for (const char* text : {"24/12/2026 08:30:00", "2026-12-24T08:30:00", "2026-13-01"})
        t << QString("to_date %1: %2").arg(text, to_date(text) ? to_date(text)->toString(Qt::ISODate) : "none");
    // A money divisor must be a positive number: anything else keeps the one before (5).
    for (const char* value : {"100", "0", "-100", "cien", "inf", "", " 2.5 "}) {
        SesVal s;
        s.mod_sys = s.jug_sys = 5;
        set_login_value(s, "SYSTEM_MOD", value);
        set_login_value(s, "JUGADA_SYS", value);
        t << QString("SYSTEM_MOD, JUGADA_SYS '%1': %2 %3").arg(value).arg(s.mod_sys).arg(s.jug_sys);
    }
    for (const auto& [recent, code] : {std::pair{"A1 B2 C3", "B2"}, {"A1 B2 C3", "D4"}, {"A1 B2 C3", "A1"},
                                       {"A1 B2 C3", "a1"}, {"  ", "D4"}}) {
        CfgReg cfg;
        cfg.cox_dtb1 = QString(recent).section(' ', 0, 0);
        cfg.cox_dtb2 = QString(recent).section(' ', 1, 1);
        cfg.cox_dtb3 = QString(recent).section(' ', 2, 2);
        cfg.cox_dtbs = code;
        rotate_recent(cfg);
        t << QString("recent '%1', login with %2: '%3 %4 %5'").arg(recent, code, cfg.cox_dtb1, cfg.cox_dtb2, cfg.cox_dtb3);
    }
    expect_golden(t, "login/values.txt");
}
