// The prefix and number edits as the user sees and types into them.
#include "widgets/NumEdit.h"
#include "widgets/umEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>

namespace {

bool isDark(QRgb pixel) {
    return qGray(pixel) < 60;
}

// Leftmost column holding a text pixel, -1 when none.
int leftmostTextColumn(QWidget& edit, bool (*isText)(QRgb)) {
    const QImage image = edit.grab().toImage();
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (isText(image.pixel(x, y))) {
                return x;
            }
        }
    }
    return -1;
}

void sendFocus(QWidget& widget, QEvent::Type type) {
    QFocusEvent event(type, Qt::TabFocusReason);
    QApplication::sendEvent(&widget, &event);
}

} // namespace

TEST(TumEditTest, RightAlignedWhileNotFocusedLeftAlignedWhileEditing) {
    TumEdit edit;
    edit.resize(240, 30);
    edit.setAlignment(Qt::AlignRight);
    edit.setText("ab");
    const int unfocused = leftmostTextColumn(edit, isDark);
    sendFocus(edit, QEvent::FocusIn);
    const int editing = leftmostTextColumn(edit, isDark);
    sendFocus(edit, QEvent::FocusOut);
    EXPECT_GT(unfocused, 120);
    EXPECT_GE(editing, 0);
    EXPECT_LT(editing, 40);
    EXPECT_EQ(leftmostTextColumn(edit, isDark), unfocused);
}

TEST(TumEditTest, DisabledShowsItsOwnBackgroundAndGreyText) {
    TumEdit edit;
    QFont big = edit.font();
    big.setPixelSize(28);
    edit.setFont(big);
    edit.resize(240, 44);
    edit.setText("MMMM");
    edit.setColorDisabled(QColor(255, 224, 160));
    edit.setEnabled(false);

    const QImage image = edit.grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() - 8, image.height() / 2), QColor(255, 224, 160));
    bool grey = false;
    bool black = false;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            grey |= c == QColor(Qt::gray);
            black |= isDark(c.rgb());
        }
    }
    EXPECT_TRUE(grey);
    EXPECT_FALSE(black);
}

TEST(TIntEditTest, RefusedKeysBeepAndLeaveTheText) {
    TIntEdit edit;
    int beeps = 0;
    edit.setBeep([&] { ++beeps; });
    edit.clear();
    QTest::keyClicks(&edit, "-12a3x");
    EXPECT_EQ(edit.text(), "-123");
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(edit.Value(), -123);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "-12");
    EXPECT_EQ(beeps, 2);
}

TEST(TIntEditTest, ValueIsZeroForTextThatIsNoNumber) {
    TIntEdit edit;
    edit.setText("12-3"); // pasted, not typed
    EXPECT_EQ(edit.Value(), 0);
    edit.setText("99999999999999999999");
    EXPECT_EQ(edit.Value(), 0);
    edit.setValue(std::numeric_limits<int64_t>::min());
    EXPECT_EQ(edit.Value(), std::numeric_limits<int64_t>::min());
}
