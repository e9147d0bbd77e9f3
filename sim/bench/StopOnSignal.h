// The signals that end a run of the bench host early: SIGINT (Ctrl-C),
// SIGTERM, SIGHUP (the terminal went away) and SIGPIPE (whatever read its
// output went away). While a StopOnSignal lives, each of them only asks
// the run to stop at its next check, so that it can remove what it had
// not finished. A second SIGINT, SIGTERM or SIGHUP ends the process at
// once; after a SIGPIPE the writes that raise it fail instead. SIGXFSZ is
// ignored too, so that a file grown past the process's size limit fails
// to write rather than ending the run half-written.
#pragma once

namespace quorvel::sim {

class StopOnSignal {
public:
    StopOnSignal();
    // Puts back what was there before.
    ~StopOnSignal();
    StopOnSignal(const StopOnSignal&) = delete;
    StopOnSignal& operator=(const StopOnSignal&) = delete;

    bool Requested() const;
    // "SIGINT" and so on; empty while none has come.
    const char* SignalName() const;
};

}  // namespace quorvel::sim
