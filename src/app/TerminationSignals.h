#pragma once
// TerminationSignals: SIGTERM and SIGINT as a Qt signal on the main thread,
// so that a termination request (a session ending, Ctrl+C in the terminal)
// ends the program as the user would: through the window's close. The
// signal handler only writes the signal number into a socket pair; a
// QSocketNotifier reads it in the event loop, where anything may be done.
// The first request puts the previous handlers back, so that a second one
// (the close hanging) ends the program the usual way. One object at a
// time; it puts the previous handlers back when it goes, too.
#include <QObject>
#include <QSocketNotifier>

#include <csignal>
#include <memory>

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;
    TerminationSignals(TerminationSignals&&) = delete;
    TerminationSignals& operator=(TerminationSignals&&) = delete;

    // Whether SIGTERM and SIGINT come here now: false once a request came,
    // and when the socket pair could not be made.
    bool handling() const { return m_handling; }

signals:
    // SIGTERM or SIGINT arrived; on the main thread, once.
    void received(int signalNumber);

private:
    void readPending();
    void restoreHandlers();

    int m_readEnd = -1;
    int m_writeEnd = -1;
    struct sigaction m_previousTerm {};
    struct sigaction m_previousInt {};
    bool m_handling = false;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
