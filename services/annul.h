#pragma once
// The annulment of a sold ticket, one sequence for the annulment window and the ticket
// inquiry: the server's status of the ticket, the outlet and caja checks, the question,
// anutix and its result, each refusal and result with its message.
#include "procs_tickets.h"

#include <functional>

// What a caller gives the sequence.
struct AnnulPath {
    qint64 numtik = 0;
    // Shows the ticket's header just before the question; empty: nothing is shown.
    std::function<void(const TikHeader&)> show_header;
    // Runs once the sequence has shown its refusal or result, or the question was not
    // answered with OK; not after a lost connection.
    std::function<void()> after;
};

void anular_ticket(App& app, const AnnulPath& path);
