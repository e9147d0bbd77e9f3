#include "sim/bench/StopOnSignal.h"

#include <csignal>

namespace quorvel::sim {

namespace {

volatile std::sig_atomic_t stopSignal = 0;

struct Handled {
    int signal;
    const char* name;
    void (*previous)(int);
};

// Windows knows only the first two.
Handled handled[] = {
    {SIGINT, "SIGINT", SIG_DFL},
    {SIGTERM, "SIGTERM", SIG_DFL},
#ifdef SIGHUP
    {SIGHUP, "SIGHUP", SIG_DFL},
    {SIGPIPE, "SIGPIPE", SIG_DFL},
#endif
};

void RequestStop(int signal) {
    stopSignal = signal;
#ifdef SIGPIPE
    if (signal == SIGPIPE) {
        std::signal(signal, SIG_IGN);
        return;
    }
#endif
    std::signal(signal, SIG_DFL);
}

#ifdef SIGXFSZ
void (*previousFileSize)(int) = SIG_DFL;
#endif

}  // namespace

StopOnSignal::StopOnSignal() {
    stopSignal = 0;
    for (Handled& h : handled) h.previous = std::signal(h.signal, RequestStop);
#ifdef SIGXFSZ
    previousFileSize = std::signal(SIGXFSZ, SIG_IGN);
#endif
}

StopOnSignal::~StopOnSignal() {
    for (const Handled& h : handled) std::signal(h.signal, h.previous == SIG_ERR ? SIG_DFL : h.previous);
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, previousFileSize == SIG_ERR ? SIG_DFL : previousFileSize);
#endif
}

bool StopOnSignal::Requested() const { return stopSignal != 0; }

const char* StopOnSignal::SignalName() const {
    for (const Handled& h : handled) {
        if (h.signal == stopSignal) return h.name;
    }
    return "";
}

}  // namespace quorvel::sim
