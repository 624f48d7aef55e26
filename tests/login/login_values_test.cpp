// The login's pure pieces: the address check, the conversions of the login values and the
// recent database codes.
#include "core/login/discovery.h"
#include "core/login/login_values.h"

#include <gtest/gtest.h>

TEST(LoginValues, IpValid)
{
    const std::pair<const char*, bool> cases[] = {
        {"198.51.100.10", true}, {"255.255.255.255", true}, {"192.168.0.10", false}, {"10.1.1.256", false},
        {"10.1.1", false},       {"10.1.1.1.1", false},     {"", false},             {"host.example", false},
        {"10.1.1.-1", false},    {"10.1..1", false},        {"10.1.1.1 ", false},
    };
    for (const auto& [text, valid] : cases)
        EXPECT_EQ(ip_valid(text), valid) << text;
}

TEST(LoginValues, Conversions)
{
    EXPECT_EQ(to_int16("2.5"), 2);  // halves to even
    EXPECT_EQ(to_int16("3.5"), 4);
    EXPECT_EQ(to_int16("32768"), std::nullopt);
    EXPECT_EQ(to_date("24/12/2026 08:30:00"), QDate(2026, 12, 24));
    EXPECT_EQ(to_date("2026-12-24T08:30:00"), QDate(2026, 12, 24));
    EXPECT_EQ(to_date("2026-13-01"), std::nullopt);
}

TEST(LoginValues, MoneyDivisorMustBePositive)
{
    const std::pair<const char*, double> cases[] = {
        {"100", 100}, {"0", 5}, {"-100", 5}, {"cien", 5}, {"inf", 5}, {"", 5}, {" 2.5 ", 2.5},
    };
    for (const auto& [value, expected] : cases) {
        SesVal s;
        s.mod_sys = s.jug_sys = 5;
        set_login_value(s, "SYSTEM_MOD", value);
        set_login_value(s, "JUGADA_SYS", value);
        EXPECT_EQ(s.mod_sys, expected) << value;
        EXPECT_EQ(s.jug_sys, expected) << value;
    }
}

TEST(LoginValues, RecentDatabaseCodesRotate)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"B2", {"B2", "A1", "C3"}}, {"D4", {"D4", "A1", "B2"}}, {"A1", {"A1", "B2", "C3"}}, {"a1", {"a1", "A1", "B2"}},
    };
    for (const auto& [code, after] : cases) {
        CfgReg cfg;
        cfg.cox_dtb1 = "A1";
        cfg.cox_dtb2 = "B2";
        cfg.cox_dtb3 = "C3";
        cfg.cox_dtbs = code;
        rotate_recent(cfg);
        EXPECT_EQ(QStringList({cfg.cox_dtb1, cfg.cox_dtb2, cfg.cox_dtb3}), after) << code;
    }
    CfgReg first;
    first.cox_dtbs = "D4";
    rotate_recent(first);
    EXPECT_EQ(QStringList({first.cox_dtb1, first.cox_dtb2, first.cox_dtb3}), QStringList({"D4", "", ""}));
}
