// Page widths, preview widths, resize permission and the camera group's
// height, run against a model of a window that behaves like the real one:
// the minimum width clamps, and every size change is reported back at once.
#include "app/window/WindowLayoutRules.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class FakeWindow : public WindowSizePort {
public:
    bool isNormal() const override { return normal; }
    int width() const override { return w; }
    int height() const override { return h; }
    void setMinimumWidth(int width) override {
        minWidth = width;
        apply(w, h);
    }
    void setWidth(int width) override { apply(width, h); }
    void setHeight(int height) override { apply(w, height); }

    // A size change by the user (dragging the frame).
    void userResize(int width, int height) { apply(width, height); }

    void attach(WindowLayoutRules* r, Page* p) {
        rules = r;
        page = p;
    }

    bool normal = true;
    int w = 955;
    int h = 665;
    int minWidth = 736;
    bool previewDown = true;
    bool connected = false;
    CameraGroupLayout lastLayout;

private:
    void apply(int width, int height) {
        const int newW = std::max(width, minWidth);
        if (newW == w && height == h) {
            return;
        }
        w = newW;
        h = height;
        if (rules != nullptr) {
            lastLayout = rules->resized(*page, previewDown, connected);
        }
    }

    WindowLayoutRules* rules = nullptr;
    Page* page = nullptr;
};

constexpr int kGroupWidth = 269;

class WindowLayoutRulesTest : public ::testing::Test {
protected:
    WindowLayoutRulesTest() { window.attach(&rules, &page); }

    void show(Page p) {
        page = p;
        rules.pageChanged(p, window.previewDown, kGroupWidth);
    }

    FakeWindow window;
    WindowLayoutRules rules{window};
    Page page = Page::Main;
};

TEST_F(WindowLayoutRulesTest, MainToInfoRestoresPagesWidthOfAtLeast650) {
    rules.activate(true, kGroupWidth);
    show(Page::Info);
    EXPECT_EQ(window.minWidth, 650);
    EXPECT_EQ(window.w, 650); // default pages width 500, lifted by the minimum
    EXPECT_EQ(rules.pagesWidth(), 650);

    window.userResize(800, 665);
    show(Page::Main);
    show(Page::About);
    EXPECT_EQ(window.w, 800);
}

TEST_F(WindowLayoutRulesTest, MovingBetweenInfoStatusAndAboutKeepsTheWidth) {
    rules.activate(true, kGroupWidth);
    show(Page::Info);
    window.userResize(720, 665);
    show(Page::Status);
    EXPECT_EQ(window.w, 720);
    show(Page::About);
    EXPECT_EQ(window.w, 720);
    EXPECT_EQ(rules.pagesWidth(), 720);
}

TEST_F(WindowLayoutRulesTest, LeavingMainRemembersPreviewWidthAndReturningRestoresIt) {
    rules.activate(true, kGroupWidth);
    window.userResize(1100, 665);
    show(Page::Info);
    EXPECT_EQ(rules.previewWidth(), 1100);
    show(Page::Main);
    EXPECT_EQ(window.minWidth, 941);
    EXPECT_EQ(window.w, 1100);
}

TEST_F(WindowLayoutRulesTest, HiddenPreviewGivesTheNarrowMainPage) {
    window.previewDown = false;
    rules.activate(false, kGroupWidth);
    EXPECT_EQ(window.minWidth, 277);
    EXPECT_EQ(window.w, kGroupWidth + 8);
}

TEST_F(WindowLayoutRulesTest, PreviewOffRemembersWidthAndPreviewOnRestoresIt) {
    rules.activate(true, kGroupWidth);
    window.userResize(1200, 665);
    window.previewDown = false;
    rules.previewOff(true, kGroupWidth);
    EXPECT_EQ(rules.previewWidth(), 1200);
    EXPECT_EQ(window.w, 277);
    window.previewDown = true;
    rules.previewOn();
    EXPECT_EQ(window.w, 1200);
    EXPECT_EQ(rules.previewWidth(), 1200);
}

TEST_F(WindowLayoutRulesTest, PreviewOnIsNotFooledByTheResizeOfItsOwnMinimum) {
    rules.setPreviewWidth(1300);
    window.minWidth = 277;
    window.w = 277;
    rules.previewOn(); // the minimum of 941 resizes first, reporting 941
    EXPECT_EQ(rules.previewWidth(), 1300);
    EXPECT_EQ(window.w, 1300);
}

TEST_F(WindowLayoutRulesTest, ActivationKeepsTheSavedPreviewWidth) {
    rules.setPreviewWidth(1250);
    rules.setPagesWidth(700);
    rules.activate(true, kGroupWidth);
    EXPECT_EQ(rules.previewWidth(), 1250);
    EXPECT_EQ(window.w, 1250);
    EXPECT_EQ(rules.pagesWidth(), 700);
}

TEST_F(WindowLayoutRulesTest, MaximisedWindowKeepsBothWidths) {
    rules.activate(true, kGroupWidth);
    window.userResize(1000, 665);
    show(Page::Info);
    window.userResize(700, 665);
    show(Page::Main);
    const int preview = rules.previewWidth();
    const int pages = rules.pagesWidth();

    window.normal = false;
    window.userResize(1920, 1050);
    show(Page::Status);
    window.userResize(1920, 1000);
    show(Page::Main);
    rules.previewOff(true, kGroupWidth);
    EXPECT_EQ(rules.previewWidth(), preview);
    EXPECT_EQ(rules.pagesWidth(), pages);
    EXPECT_EQ(window.w, 1920);
}

TEST_F(WindowLayoutRulesTest, MainPageResizeWithPreviewRemembersOnlyThePreviewWidth) {
    rules.activate(true, kGroupWidth);
    const int pages = rules.pagesWidth();
    window.userResize(1111, 700);
    EXPECT_EQ(rules.previewWidth(), 1111);
    EXPECT_EQ(rules.pagesWidth(), pages);
}

TEST(WindowResizePermission, NarrowMainPageRefusesWidthButAllowsHeight) {
    EXPECT_FALSE(WindowLayoutRules::canResize(Page::Main, 277, 400));
    EXPECT_FALSE(WindowLayoutRules::canResize(Page::Main, 300, 299));
    EXPECT_TRUE(WindowLayoutRules::canResize(Page::Main, 277, 277)); // height only
    EXPECT_TRUE(WindowLayoutRules::canResize(Page::Main, 301, 500));
    EXPECT_TRUE(WindowLayoutRules::canResize(Page::Info, 277, 900));
    EXPECT_TRUE(WindowLayoutRules::canResize(Page::About, 200, 900));
}

TEST(CameraGroupLayout, FollowsWindowHeightOnlyWhileConnected) {
    const CameraGroupLayout idle = WindowLayoutRules::cameraGroupLayout(false, 900);
    EXPECT_EQ(idle.groupHeight, 390);
    EXPECT_FALSE(idle.extraVisible);
    EXPECT_FALSE(idle.placeLogo);

    const CameraGroupLayout shortWindow = WindowLayoutRules::cameraGroupLayout(true, 704);
    EXPECT_EQ(shortWindow.groupHeight, 390);
    EXPECT_FALSE(shortWindow.extraVisible);
    EXPECT_TRUE(shortWindow.placeLogo);

    const CameraGroupLayout tall = WindowLayoutRules::cameraGroupLayout(true, 705);
    EXPECT_EQ(tall.groupHeight, 503);
    EXPECT_TRUE(tall.extraVisible);
}

TEST_F(WindowLayoutRulesTest, DoubleClickSwitchesBetweenShortAndTallGroup) {
    window.connected = true;
    window.userResize(955, 600);
    EXPECT_EQ(window.lastLayout.groupHeight, 390);
    rules.toggleCameraGroupHeight();
    EXPECT_EQ(window.h, 705);
    EXPECT_EQ(window.lastLayout.groupHeight, 503);
    EXPECT_TRUE(window.lastLayout.extraVisible);
    rules.toggleCameraGroupHeight();
    EXPECT_EQ(window.h, 592);
    EXPECT_EQ(window.lastLayout.groupHeight, 390);
    EXPECT_FALSE(window.lastLayout.extraVisible);
}

TEST(CameraGroupLayout, ToggledHeight) {
    EXPECT_EQ(WindowLayoutRules::toggledHeight(592), 705);
    EXPECT_EQ(WindowLayoutRules::toggledHeight(704), 705);
    EXPECT_EQ(WindowLayoutRules::toggledHeight(705), 592);
    EXPECT_EQ(WindowLayoutRules::toggledHeight(900), 592);
}

} // namespace
