#include "widgets/ExposureScale.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>
#include <cmath>

namespace exposurescale {
namespace {

// A number of the text: its first character and its length.
struct Number {
    int first = 0;
    int length = 0;
};

std::vector<Number> numbersOf(const QString& text) {
    std::vector<Number> numbers;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char(' ')) {
            continue;
        }
        if (i == 0 || text[i - 1] == QLatin1Char(' ')) {
            numbers.push_back({i, 0});
        }
        ++numbers.back().length;
    }
    return numbers;
}

// Middle of a number, in character pitches from the first character's left.
double middleOf(const Number& number) {
    return number.first + (number.length - 1) / 2.0;
}

// The largest distance of a number from its tick with the text at `left`.
double worstDistance(const std::vector<double>& errors, double left) {
    double worst = 0.0;
    for (double error : errors) {
        worst = std::max(worst, std::abs(error + left));
    }
    return worst;
}

QStyleOptionSlider optionFor(const QSlider& slider, int value) {
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.tickPosition = slider.tickPosition();
    option.tickInterval = slider.tickInterval();
    option.upsideDown = slider.invertedAppearance() != (option.direction == Qt::RightToLeft);
    option.sliderPosition = value;
    option.sliderValue = value;
    option.subControls = QStyle::SC_SliderHandle;
    return option;
}

} // namespace

std::optional<TextPlacement> placeText(const std::vector<double>& ticks, const QString& text,
                                       double advance) {
    const std::vector<Number> numbers = numbersOf(text);
    if (numbers.size() < 2 || numbers.size() != ticks.size()) {
        return std::nullopt;
    }
    const double pitch =
        (ticks.back() - ticks.front()) / (middleOf(numbers.back()) - middleOf(numbers.front()));
    // How far each number's centre is right of its tick with the text at 0:
    // the number's middle in pitches plus half a character (the spacing
    // comes after each character).
    std::vector<double> errors;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        errors.push_back(middleOf(numbers[i]) * pitch + advance / 2.0 - ticks[i]);
    }
    const auto [low, high] = std::minmax_element(errors.begin(), errors.end());
    const double ideal = -(*low + *high) / 2.0;
    const double below = std::floor(ideal);
    const double left =
        worstDistance(errors, below) <= worstDistance(errors, below + 1.0) ? below : below + 1.0;
    return TextPlacement{static_cast<int>(left), pitch - advance};
}

std::vector<double> tickCentres(const QSlider& slider) {
    std::vector<double> centres;
    const int step = std::max(1, slider.tickInterval());
    for (int value = slider.minimum(); value <= slider.maximum(); value += step) {
        const QStyleOptionSlider option = optionFor(slider, value);
        const QRect handle = slider.style()->subControlRect(QStyle::CC_Slider, &option,
                                                            QStyle::SC_SliderHandle, &slider);
        // A tick is a line one pixel wide in the column under the handle's
        // centre; its own centre is half a pixel further.
        centres.push_back(slider.x() + handle.center().x() + 0.5);
    }
    return centres;
}

void alignToSlider(QLabel& scale, const QSlider& slider) {
    QFont font = scale.font();
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.0);
    const double advance = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    const std::optional<TextPlacement> placement =
        placeText(tickCentres(slider), scale.text(), advance);
    if (!placement) {
        return;
    }
    font.setLetterSpacing(QFont::AbsoluteSpacing, placement->letterSpacing);
    scale.setFont(font);
    scale.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    scale.move(placement->left - scale.contentsRect().left() - scale.margin(), scale.y());
}

} // namespace exposurescale
