#pragma once
// The lenses a simulated body can carry: what the body reports for each
// (lens info text, lens type) and which apertures it offers with it.
#include <cstdint>
#include <string>
#include <vector>

namespace vsim {

struct SimLens {
    std::string name; // as the Simulator menu and the control interface name it
    std::string info; // lens info text the body reports; empty without processor
    uint32_t lensType = 0;
    double widest = 0.0;    // smallest f-number
    double narrowest = 0.0; // largest f-number
};

const std::vector<SimLens>& lensTable();
// The lens every body carries at power-on.
const SimLens& defaultLens();
const SimLens* findLens(const std::string& name);

// Aperture list entries ("3.5", "4", ...) the lens can set, widest first,
// in thirds of a stop.
std::vector<std::string> apertureTexts(const SimLens& lens);
// Index in `texts` of the f-number nearest to `fNumber` (in stops), so a
// lens change keeps the aperture where the new lens allows it.
uint32_t nearestAperture(const std::vector<std::string>& texts, double fNumber);

} // namespace vsim
