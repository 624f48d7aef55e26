#pragma once
// The connection counting as lost while the server is there, over the wire: the keep-alive
// finds the server refusing its probe, and again after its quiet reopen, so the flag is set
// though the connection is open, as every call made after a loss leaves it. Whatever changes
// the server then must not reach it; the next tick finds the server again.
#include "core/shell/timers.h"
#include "tests/doubles/test_app.h"

#include <gtest/gtest.h>

namespace lost {

// The procedures that change what the server holds.
inline const QStringList kChanging = {"newtkx", "protkx", "tertix", "reptix", "duptix", "delnux", "bortix",
                                      "valtkx", "deltik", "anutix", "pagtix", "actpaq", "actusr", "delmap",
                                      "actmap", "delsrt", "actsrt", "actdpo"};

inline void lose(TestApp& t)
{
    t.srv->error_next(2, QStringLiteral("stacox"));
    timers_Timer(*t);
    EXPECT_EQ(t->flg_nocox, 1);
    EXPECT_EQ(t->cox_bd.state(), db::adStateOpen);
}

inline void back(TestApp& t)
{
    timers_Timer(*t);
    EXPECT_EQ(t->flg_nocox, 0);
}

// The calls of the log from `from` on that change the server.
inline QStringList changing(const TestApp& t, qsizetype from)
{
    QStringList out;
    for (const central::Call& c : t.srv->log.mid(from))
        if (kChanging.contains(c.proc))
            out << c.proc;
    return out;
}

} // namespace lost
