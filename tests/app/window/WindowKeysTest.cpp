// The window's keyboard commands: Enter presses the shutter release (the
// default button) unless a text entry or another push button takes it,
// and Ctrl+Q closes the window as the close box does.
#include "WindowTestSupport.h"

#include <QFileInfo>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class WindowKeysTest : public WindowTest {
protected:
    WindowKeysTest() {
        start(*window);
        QApplication::setActiveWindow(window.get());
        // The panel shows while a camera is connected.
        c().camera.pDSLRctrl->show();
        QObject::connect(c().shooting.bExpo, &QPushButton::clicked, [this] { ++released; });
    }
    const WindowControls& c() const { return window->controls(); }

    // Gives `widget` the focus and presses `key` there.
    static void press(QWidget* widget, Qt::Key key,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        widget->setFocus();
        QTest::keyClick(widget, key, modifiers);
    }

    std::unique_ptr<TfMain> window = makeWindow();
    int released = 0;
};

TEST_F(WindowKeysTest, EnterAndReturnPressTheShutterRelease) {
    ASSERT_TRUE(c().shooting.bExpo->isVisible());
    press(c().shooting.cbMode, Qt::Key_Return);
    EXPECT_EQ(released, 1);
    press(c().shooting.cbMode, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(released, 2);
    press(c().shooting.bExpo, Qt::Key_Return);
    EXPECT_EQ(released, 3);
}

TEST_F(WindowKeysTest, ATextEntryKeepsItsEnter) {
    int entered = 0;
    QObject::connect(c().images.eImgPrefix, &QLineEdit::returnPressed, [&] { ++entered; });
    press(c().images.eImgPrefix, Qt::Key_Return);
    press(c().images.eImageDir, Qt::Key_Return);
    press(c().images.udActImg, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(released, 0);
}

TEST_F(WindowKeysTest, AFocusedPushButtonIsPressedItself) {
    QPushButton* af = c().focus.bAF;
    af->setEnabled(true);
    int focusing = 0;
    QObject::connect(af, &QPushButton::clicked, [&] { ++focusing; });
    press(af, Qt::Key_Return);
    EXPECT_EQ(focusing, 1);
    EXPECT_EQ(released, 0);
}

TEST_F(WindowKeysTest, AHiddenOrDisabledReleaseIsNotPressed) {
    c().shooting.bExpo->setEnabled(false);
    press(c().shooting.cbMode, Qt::Key_Return);
    c().shooting.bExpo->setEnabled(true);
    c().camera.pDSLRctrl->hide();
    press(c().images.sbPreview, Qt::Key_Return);
    EXPECT_EQ(released, 0);
}

TEST_F(WindowKeysTest, CtrlQClosesTheWindowAsTheCloseBoxDoes) {
    ASSERT_FALSE(QFileInfo::exists(settingsFile()));
    press(c().images.eImgPrefix, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(QFileInfo::exists(settingsFile()));
    EXPECT_EQ(QSettings(settingsFile(), QSettings::IniFormat).value("ImgPrefix").toString(),
              "Image_");
}

} // namespace
