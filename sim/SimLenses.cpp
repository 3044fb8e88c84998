#include "SimLenses.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace vsim {

namespace {

// F-numbers in thirds of a stop, as a body's aperture list prints them.
const std::vector<std::string> kFNumbers = {
    "1.4", "1.6", "1.8", "2",  "2.2", "2.5", "2.8", "3.2", "3.5", "4",  "4.5", "5",  "5.6", "6.3",
    "7.1", "8",   "9",   "10", "11",  "13",  "14",  "16",  "18",  "20", "22",  "25", "29",  "32"};

double fNumberOf(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

// Distance in stops between two f-numbers.
double stopsBetween(double a, double b) {
    return std::abs(2.0 * std::log2(a / b));
}

} // namespace

const std::vector<SimLens>& lensTable() {
    static const std::vector<SimLens> kLenses = {
        {"18-105mm f/3.5-5.6", "18-105mm f/3.5-5.6", 0x1011, 3.5, 22},
        {"50mm f/1.8", "50mm f/1.8", 0x1012, 1.8, 22},
        {"70-200mm f/2.8", "70-200mm f/2.8", 0x1013, 2.8, 32},
        {"10-20mm f/4.5-5.6", "10-20mm f/4.5-5.6", 0x1014, 4.5, 29},
        // A manual lens tells the body nothing: no info text, no type.
        {"35mm f/2 without processor", "", 0, 2, 16},
    };
    return kLenses;
}

const SimLens& defaultLens() {
    return lensTable().front();
}

const SimLens* findLens(const std::string& name) {
    for (const SimLens& lens : lensTable()) {
        if (lens.name == name) {
            return &lens;
        }
    }
    return nullptr;
}

std::vector<std::string> apertureTexts(const SimLens& lens) {
    std::vector<std::string> texts;
    for (const std::string& f : kFNumbers) {
        const double value = fNumberOf(f);
        // The table's values are exact decimal texts; a small margin avoids
        // losing an end of the lens's range to rounding.
        if (value >= lens.widest - 0.01 && value <= lens.narrowest + 0.01) {
            texts.push_back(f);
        }
    }
    return texts;
}

uint32_t nearestAperture(const std::vector<std::string>& texts, double fNumber) {
    uint32_t best = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (uint32_t i = 0; i < texts.size(); ++i) {
        const double distance = stopsBetween(fNumberOf(texts[i]), fNumber);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace vsim
