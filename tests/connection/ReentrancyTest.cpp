// A module question shown from inside an entry call lets the window run:
// timer ticks that would call the module wait for their next turn, while
// the question itself is answered as usual.
#include "ConnectionTestSupport.h"
#include "connection/UiRequestDialog.h"
#include "session/CameraTick.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QTimer>

using vsim::SimControl;

namespace {

// Presses the box's first visible button once `ready` holds (or a generous
// limit passed), and remembers what `ready` said then.
class DelayedAnswer : public QObject {
public:
    explicit DelayedAnswer(std::function<bool()> ready) : m_ready(std::move(ready)) {
        connect(&m_look, &QTimer::timeout, this, &DelayedAnswer::look);
        m_look.start(5);
    }
    bool answeredWhenReady() const { return m_answeredWhenReady; }

private:
    void look() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || !(m_ready() || m_limit.hasExpired())) {
            return;
        }
        m_answeredWhenReady = m_ready();
        m_look.stop();
        for (QAbstractButton* button : box->buttons()) {
            if (button->isVisible()) {
                button->click();
                return;
            }
        }
    }

    std::function<bool()> m_ready;
    QTimer m_look;
    QDeadlineTimer m_limit{5000};
    bool m_answeredWhenReady = false;
};

} // namespace

TEST_F(ConnectionTest, PollTicksWaitWhileAModuleQuestionIsOpen) {
    connectTo("Y800");
    ASSERT_TRUE(session->connected());
    UiRequestDialog dialog;
    link->setUiRequestHandler(&dialog);
    QTimer poll;
    int polls = 0;
    CameraTick tick(poll, *link, [&] {
        ++polls;
        link->IdlePump(link->CurrentSource());
    });
    poll.start(10);
    ASSERT_TRUE(SimControl::requestUserInterface(1, "Format the card?"));
    int pollsWhileOpen = -1;
    DelayedAnswer answer([&] {
        pollsWhileOpen = polls;
        return tick.skippedTicks() >= 3;
    });

    // The question arrives during this idle call and is shown from inside it.
    ASSERT_TRUE(link->IdlePump(link->CurrentSource()));

    EXPECT_TRUE(answer.answeredWhenReady()) << "the poll timer kept ticking while it was open";
    EXPECT_EQ(pollsWhileOpen, 0) << "no tick entered the module inside the question";
    EXPECT_EQ(SimControl::lastUiReply(), static_cast<int32_t>(orv::kReplyOk));
    QDeadlineTimer limit(5000);
    while (polls == 0 && !limit.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_GT(polls, 0) << "the next tick after the question runs";
}
