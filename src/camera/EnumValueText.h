#pragma once
// Words for capability values: modes, flags, sizes and status bits that the
// camera reports as numbers.
#include <cstdint>
#include <string>

// The text of a capability value, or empty when the capability or the value
// has no words. Depending on the capability the value is judged by its low
// byte, its low 7 bits, its low 16 bits, the whole value or its single bits;
// a text that would start with ", " (a bit list whose first listed bit is
// clear) loses those two characters. Where a mode row has a fallback, an
// unknown value reads as the capability's name (or a fixed prefix) followed by
// the whole value in decimal ("Exposure mode 9").
std::string EnumValueText(uint32_t id, uint32_t value);
