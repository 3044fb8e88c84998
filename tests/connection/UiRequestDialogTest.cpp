// The module's questions: the kind table and the real modal box answered
// offscreen with each button, Escape and the close box.
#include "connection/UiRequestDialog.h"

#include "camera/CameraTypes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

using Button = QMessageBox::StandardButton;

// Runs `answer` on the modal box as soon as it is shown, then returns the
// dialog's reply.
uint32_t askAndAnswer(int kind, const std::string& message,
                      const std::function<void(QMessageBox&)>& answer,
                      QString* shownText = nullptr) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer, shownText] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            return; // not shown yet: look again on the next turn
        }
        poll->stop();
        if (shownText) {
            *shownText = box->text();
        }
        answer(*box);
    });
    poll->start(0);
    UiRequestDialog dialog;
    const uint32_t reply = dialog.ask(kind, message);
    delete poll;
    return reply;
}

std::function<void(QMessageBox&)> press(Button button) {
    return [button](QMessageBox& box) {
        QAbstractButton* b = box.button(button);
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(b->isVisible());
        b->click();
    };
}

void clickAnyVisible(QMessageBox& box) {
    if (!box.isVisible()) {
        return;
    }
    for (QAbstractButton* b : box.buttons()) {
        if (b->isVisible()) {
            b->click();
            return;
        }
    }
}

void pressEscape(QMessageBox& box) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&box, &press);
    // A box that ignored Escape is answered with a visible button so the
    // test cannot hang; the reply then shows the failure.
    clickAnyVisible(box);
}

void closeBox(QMessageBox& box) {
    box.close();
    clickAnyVisible(box);
}

} // namespace

// ---- The kind table ----------------------------------------------------------

TEST(UiRequestReplyTable, ButtonsPerKind) {
    EXPECT_EQ(UiRequestDialog::buttonsFor(0), QMessageBox::Ok);
    EXPECT_EQ(UiRequestDialog::buttonsFor(1), QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(UiRequestDialog::buttonsFor(2), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(UiRequestDialog::buttonsFor(3),
              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(UiRequestDialog::buttonsFor(4), QMessageBox::NoButton);
    EXPECT_EQ(UiRequestDialog::buttonsFor(-1), QMessageBox::NoButton);
}

TEST(UiRequestReplyTable, RepliesPerKindAndButton) {
    using D = UiRequestDialog;
    EXPECT_EQ(D::replyFor(0, Button::Ok), orv::kReplyOk);
    EXPECT_EQ(D::replyFor(0, Button::NoButton), orv::kReplyOk);
    EXPECT_EQ(D::replyFor(1, Button::Ok), orv::kReplyOk);
    EXPECT_EQ(D::replyFor(1, Button::Cancel), orv::kReplyCancel);
    EXPECT_EQ(D::replyFor(1, Button::NoButton), orv::kReplyNone);
    EXPECT_EQ(D::replyFor(1, Button::Yes), orv::kReplyNone);
    EXPECT_EQ(D::replyFor(2, Button::Yes), orv::kReplyYes);
    EXPECT_EQ(D::replyFor(2, Button::No), orv::kReplyNo);
    EXPECT_EQ(D::replyFor(2, Button::Cancel), orv::kReplyNone);
    EXPECT_EQ(D::replyFor(2, Button::NoButton), orv::kReplyNone);
    EXPECT_EQ(D::replyFor(3, Button::Yes), orv::kReplyYes);
    EXPECT_EQ(D::replyFor(3, Button::No), orv::kReplyNo);
    EXPECT_EQ(D::replyFor(3, Button::Cancel), orv::kReplyCancel);
    EXPECT_EQ(D::replyFor(3, Button::Ok), orv::kReplyNone);
    EXPECT_EQ(D::replyFor(3, Button::NoButton), orv::kReplyNone);
    EXPECT_EQ(D::replyFor(5, Button::Ok), orv::kReplyNone);
}

// ---- The real box, offscreen -------------------------------------------------

TEST(UiRequestDialogBox, EachButtonGivesItsReply) {
    EXPECT_EQ(askAndAnswer(0, "m", press(Button::Ok)), orv::kReplyOk);
    EXPECT_EQ(askAndAnswer(1, "m", press(Button::Ok)), orv::kReplyOk);
    EXPECT_EQ(askAndAnswer(1, "m", press(Button::Cancel)), orv::kReplyCancel);
    EXPECT_EQ(askAndAnswer(2, "m", press(Button::Yes)), orv::kReplyYes);
    EXPECT_EQ(askAndAnswer(2, "m", press(Button::No)), orv::kReplyNo);
    EXPECT_EQ(askAndAnswer(3, "m", press(Button::Yes)), orv::kReplyYes);
    EXPECT_EQ(askAndAnswer(3, "m", press(Button::No)), orv::kReplyNo);
    EXPECT_EQ(askAndAnswer(3, "m", press(Button::Cancel)), orv::kReplyCancel);
}

TEST(UiRequestDialogBox, EscapeAnswersNone) {
    EXPECT_EQ(askAndAnswer(0, "m", pressEscape), orv::kReplyOk);
    EXPECT_EQ(askAndAnswer(1, "m", pressEscape), orv::kReplyNone);
    EXPECT_EQ(askAndAnswer(2, "m", pressEscape), orv::kReplyNone);
    EXPECT_EQ(askAndAnswer(3, "m", pressEscape), orv::kReplyNone);
}

TEST(UiRequestDialogBox, CloseBoxAnswersNone) {
    EXPECT_EQ(askAndAnswer(2, "m", closeBox), orv::kReplyNone);
    EXPECT_EQ(askAndAnswer(3, "m", closeBox), orv::kReplyNone);
}

TEST(UiRequestDialogBox, ShowsTheQuestionWithOnlyTheKindsButtons) {
    QString shown;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    askAndAnswer(
        2, "Format the card?\r\nAll pictures go.",
        [&](QMessageBox& box) {
            icon = box.icon();
            buttons = box.standardButtons();
            box.button(Button::No)->click();
        },
        &shown);
    EXPECT_EQ(shown, QStringLiteral("Format the card?\nAll pictures go."));
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(buttons, QMessageBox::Yes | QMessageBox::No);
}

TEST(UiRequestDialogBox, UnknownKindShowsNothing) {
    UiRequestDialog dialog;
    EXPECT_EQ(dialog.ask(7, "m"), orv::kReplyNone);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
