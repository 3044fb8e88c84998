// The exposure scale's numbers stand over the slider's ticks: as the window
// builds them, and after the slider is laid out for a smaller range.
#include "widgets/ExposureScale.h"
#include "WindowTestSupport.h"

#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOptionSlider>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr double kTolerance_px = 2.0;

// The tick x of every tick value as the style draws it: the handle travels
// the groove, a tick stands under the handle's centre, and the line one
// pixel wide drawn in column p has its centre at p + 0.5.
std::vector<double> ticksOf(const QSlider& slider) {
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = slider.minimum();
    option.tickPosition = slider.tickPosition();
    option.tickInterval = slider.tickInterval();
    option.subControls = QStyle::SC_All;
    const QStyle& style = *slider.style();
    const QRect groove =
        style.subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, &slider);
    const QRect handle =
        style.subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider);
    const int span = groove.width() - handle.width();
    std::vector<double> ticks;
    for (int value = slider.minimum(); value <= slider.maximum(); value += slider.tickInterval()) {
        const int position =
            QStyle::sliderPositionFromValue(slider.minimum(), slider.maximum(), value, span);
        ticks.push_back(slider.x() + groove.x() + position + handle.width() / 2 + 0.5);
    }
    return ticks;
}

struct Number {
    QString text;
    double centre = 0.0;
};

// Each number of the label with the x of its centre in the parent's
// coordinates, from the label's own font (letter spacing included).
std::vector<Number> numbersOf(const QLabel& label) {
    const QString text = label.text();
    const QFontMetricsF metrics(label.font());
    const double spacing = label.font().letterSpacing();
    const double origin = label.x() + label.contentsRect().left() + label.margin();
    std::vector<Number> numbers;
    for (int first = 0; first < text.size();) {
        if (text[first] == QLatin1Char(' ')) {
            ++first;
            continue;
        }
        int end = first;
        while (end < text.size() && text[end] != QLatin1Char(' ')) {
            ++end;
        }
        const double left = metrics.horizontalAdvance(text.left(first));
        const double right = metrics.horizontalAdvance(text.left(end)) - spacing;
        numbers.push_back({text.mid(first, end - first), origin + (left + right) / 2.0});
        first = end;
    }
    return numbers;
}

void expectNumbersOverTicks(const QLabel& scale, const QSlider& slider) {
    ASSERT_TRUE(scale.alignment() & Qt::AlignLeft);
    ASSERT_EQ(scale.font().letterSpacingType(), QFont::AbsoluteSpacing);
    const std::vector<double> ticks = ticksOf(slider);
    const std::vector<Number> numbers = numbersOf(scale);
    ASSERT_EQ(numbers.size(), ticks.size());
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_NEAR(numbers[i].centre, ticks[i], kTolerance_px) << numbers[i].text.toStdString();
    }
    // The text ends inside the label.
    EXPECT_LE(QFontMetricsF(scale.font()).horizontalAdvance(scale.text()),
              scale.contentsRect().width());
}

using ExposureScaleTest = WindowTest;

TEST_F(ExposureScaleTest, NumbersStandOverTheTicksAsBuilt) {
    auto window = makeWindow();
    const ShootingControls& s = window->controls().shooting;
    ASSERT_EQ(s.lExpCom->text(), "-5  -4  -3  -2  -1   0  +1  +2  +3  +4  +5");
    expectNumbersOverTicks(*s.lExpCom, *s.tbExpoCorr);
}

TEST_F(ExposureScaleTest, NumbersFollowTheSliderLaidOutForASmallerRange) {
    auto window = makeWindow();
    const ShootingControls& s = window->controls().shooting;
    // A camera with -3 to +3 in thirds: 19 steps, the scale moved right.
    s.lExpCom->setText(QStringLiteral("-3  -2  -1   0  +1  +2  +3"));
    s.lExpCom->move(52, s.lExpCom->y());
    s.tbExpoCorr->setMaximum(18);
    s.tbExpoCorr->setGeometry(48, s.tbExpoCorr->y(), 139, s.tbExpoCorr->height());
    exposurescale::alignToSlider(*s.lExpCom, *s.tbExpoCorr);
    expectNumbersOverTicks(*s.lExpCom, *s.tbExpoCorr);
}

} // namespace
