#include "app/TerminationSignals.h"

#include <atomic>
#include <cerrno>
#include <cstdio>

#include <sys/socket.h>
#include <unistd.h>

namespace {

// The only state a signal handler can reach: the write end of the pair of
// the one installed object (-1: none).
std::atomic<int> g_writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free, "used from a signal handler");

extern "C" void onTerminationSignal(int signalNumber) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // Non-blocking: with the pair full, a request is already waiting.
    [[maybe_unused]] const ssize_t written = ::write(g_writeEnd.load(), &byte, 1);
    errno = savedErrno;
}

void closeEnd(int& end) {
    if (end >= 0) {
        ::close(end);
        end = -1;
    }
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    // A second object would take the handler from the first; it stays
    // inert instead.
    if (g_writeEnd.load() >= 0) {
        std::fputs("vantora: termination signals are handled already\n", stderr);
        return;
    }
    int ends[2] = {-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) != 0) {
        std::perror("vantora: termination signals not handled");
        return;
    }
    m_readEnd = ends[0];
    m_writeEnd = ends[1];
    g_writeEnd.store(m_writeEnd);
    m_notifier = std::make_unique<QSocketNotifier>(m_readEnd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &TerminationSignals::readPending);
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &m_previousTerm);
    sigaction(SIGINT, &action, &m_previousInt);
    m_handling = true;
}

TerminationSignals::~TerminationSignals() {
    restoreHandlers();
    m_notifier.reset();
    closeEnd(m_readEnd);
    closeEnd(m_writeEnd);
}

void TerminationSignals::restoreHandlers() {
    if (!m_handling) {
        return;
    }
    m_handling = false;
    sigaction(SIGTERM, &m_previousTerm, nullptr);
    sigaction(SIGINT, &m_previousInt, nullptr);
    g_writeEnd.store(-1);
}

void TerminationSignals::readPending() {
    unsigned char byte = 0;
    bool any = false;
    int last = 0;
    while (::read(m_readEnd, &byte, 1) == 1) {
        any = true;
        last = byte;
    }
    if (!any) {
        return;
    }
    // A second request while this one is being answered (a close that
    // hangs) takes the previous way, normally ending the program at once.
    restoreHandlers();
    emit received(last);
}
