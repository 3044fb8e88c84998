#include "sequencer/Bracketing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace bracketing {

namespace {

// The nominal texts round their times (1/60 for 1/64, 1/15 for 1/16).
constexpr double kShutterToleranceEv = 1.0 / 6.0;

// Digits only, at least one, as a whole number.
std::optional<double> wholeNumber(const std::string& text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return std::strtod(text.c_str(), nullptr);
}

// "1", "1.5" or ".5": digits with at most one decimal point.
std::optional<double> decimalNumber(const std::string& text) {
    const size_t point = text.find('.');
    if (point == std::string::npos) {
        return wholeNumber(text);
    }
    const std::string whole = text.substr(0, point);
    const std::string fraction = text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || (!whole.empty() && !wholeNumber(whole)) ||
        (!fraction.empty() && !wholeNumber(fraction))) {
        return std::nullopt;
    }
    return std::strtod(text.c_str(), nullptr);
}

void markRepeats(std::vector<Frame>& frames) {
    for (size_t i = 0; i < frames.size(); ++i) {
        for (size_t j = 0; j < i; ++j) {
            frames[i].repeat = frames[i].repeat || frames[i].index == frames[j].index;
        }
    }
}

} // namespace

const std::vector<double>& stepChoices() {
    static const std::vector<double> steps = {1.0 / 3, 0.5, 2.0 / 3, 1.0, 2.0, 3.0};
    return steps;
}

std::string stepText(double stepEv) {
    const double thirds = stepEv * 3;
    if (std::abs(thirds - std::round(thirds)) < 1e-9 && std::lround(thirds) % 3 != 0) {
        return std::to_string(std::lround(thirds)) + "/3";
    }
    if (std::abs(stepEv - 0.5) < 1e-9) {
        return "1/2";
    }
    return std::to_string(std::lround(stepEv));
}

std::vector<int> offsetOrder(int frames) {
    std::vector<int> order;
    for (int i = 0; i < frames; ++i) {
        const int distance = (i + 1) / 2;
        order.push_back(i % 2 == 1 ? -distance : distance);
    }
    return order;
}

double stepsPerEv(const orv::RangeRecord& range) {
    const double span = range.upper - range.lower;
    if (range.steps < 2 || span <= 0) {
        return 0;
    }
    return (range.steps - 1) / span;
}

Frame compensationFrame(const orv::RangeRecord& range, uint32_t baseIndex, int offset,
                        double stepEv) {
    Frame frame;
    frame.offset = offset;
    const int64_t last = range.steps > 0 ? int64_t{range.steps} - 1 : 0;
    const int64_t wanted = int64_t{baseIndex} + std::lround(offset * stepEv * stepsPerEv(range));
    const int64_t kept = std::clamp<int64_t>(wanted, 0, last);
    frame.index = static_cast<uint32_t>(kept);
    frame.clamped = kept != wanted;
    return frame;
}

std::optional<double> shutterSeconds(const std::string& text) {
    const size_t slash = text.find('/');
    if (slash != std::string::npos) {
        const std::optional<double> numerator = decimalNumber(text.substr(0, slash));
        const std::optional<double> denominator = decimalNumber(text.substr(slash + 1));
        if (!numerator || !denominator || *numerator <= 0 || *denominator <= 0) {
            return std::nullopt;
        }
        return *numerator / *denominator;
    }
    const size_t mark = text.find('"');
    if (mark == std::string::npos) {
        return std::nullopt;
    }
    // 1"5 writes the decimal point as the seconds mark; 1.5" puts it last.
    const std::string after = text.substr(mark + 1);
    std::optional<double> seconds;
    if (after.empty()) {
        seconds = decimalNumber(text.substr(0, mark));
    } else if (const std::optional<double> whole = wholeNumber(text.substr(0, mark));
               whole && wholeNumber(after)) {
        seconds = decimalNumber(text.substr(0, mark) + "." + after);
    }
    if (!seconds || *seconds <= 0) {
        return std::nullopt;
    }
    return seconds;
}

std::optional<Frame> shutterFrame(const std::vector<std::string>& texts, uint32_t baseIndex,
                                  int offset, double stepEv) {
    if (baseIndex >= texts.size()) {
        return std::nullopt;
    }
    const std::optional<double> base = shutterSeconds(texts[baseIndex]);
    if (!base) {
        return std::nullopt;
    }
    const double wanted = std::log2(*base) + offset * stepEv;
    Frame frame;
    frame.offset = offset;
    frame.index = baseIndex;
    double nearest = std::abs(std::log2(*base) - wanted);
    double shortest = std::log2(*base);
    double longest = shortest;
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::optional<double> seconds = shutterSeconds(texts[i]);
        if (!seconds) {
            continue;
        }
        const double ev = std::log2(*seconds);
        shortest = std::min(shortest, ev);
        longest = std::max(longest, ev);
        // A tie keeps the entry found first, so that rounding noise between
        // equal distances does not decide.
        if (std::abs(ev - wanted) < nearest - 1e-9) {
            nearest = std::abs(ev - wanted);
            frame.index = static_cast<uint32_t>(i);
        }
    }
    frame.clamped =
        wanted < shortest - kShutterToleranceEv || wanted > longest + kShutterToleranceEv;
    return frame;
}

std::vector<Frame> compensationBracket(const orv::RangeRecord& range, uint32_t baseIndex,
                                       int frames, double stepEv) {
    std::vector<Frame> bracket;
    for (int offset : offsetOrder(frames)) {
        bracket.push_back(compensationFrame(range, baseIndex, offset, stepEv));
    }
    markRepeats(bracket);
    return bracket;
}

std::vector<Frame> shutterBracket(const std::vector<std::string>& texts, uint32_t baseIndex,
                                  int frames, double stepEv) {
    std::vector<Frame> bracket;
    for (int offset : offsetOrder(frames)) {
        const std::optional<Frame> frame = shutterFrame(texts, baseIndex, offset, stepEv);
        if (!frame) {
            return {};
        }
        bracket.push_back(*frame);
    }
    markRepeats(bracket);
    return bracket;
}

} // namespace bracketing
