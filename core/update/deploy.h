#pragma once
// Deployment values of the update service. Change them here for each installation.
#include <QString>

namespace deploy {

// The host that serves the loader. Only HTTPS is used: an executable fetched over plain
// HTTP could be replaced on the way.
inline const QString update_host = QStringLiteral("update.kelmaris.com");
// The loader's download file on that host.
inline const QString update_path = QStringLiteral("/BRONTEX.EX_");

inline QString update_url() { return QStringLiteral("https://") + update_host + update_path; }

} // namespace deploy
