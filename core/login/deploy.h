#pragma once
// Deployment values: the maker's hosts, the fixed database login and the names shown to
// the cashier. Everything that differs between one installation and another is here.

namespace deploy {

// Discovery service: https://<host>/getipx, asked in this order.
inline constexpr const char* discovery_hosts[2] = {"ipx1.kelmaris.example", "ipx2.kelmaris.example"};
// Fixed proxy hosts, tried on proxy_port after the discovered ones.
inline constexpr const char* proxy_hosts[2] = {"proxy1.kelmaris.example", "proxy2.kelmaris.example"};
// Port of a proxy host that names none.
inline constexpr const char* proxy_port = "11433";

// The fixed database login every terminal uses before the cashier is checked.
inline constexpr const char* db_user = "xuser";
inline constexpr const char* db_password = "5093172846";  // 10 decimal digits

// The maker's brand name (banner line of the fatal login messages) and web site
// (caption tail of the main window).
inline constexpr const char* brand = "KELMARIS";
inline constexpr const char* web_site = "www.kelmaris.com";

} // namespace deploy
