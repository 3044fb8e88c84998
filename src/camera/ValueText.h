#pragma once
// Capability values as text for the capability-list dump and the log.
#include "camera/CameraTypes.h"

#include <cstdint>
#include <string>
#include <vector>

class CamObject;

// The current value of `info` on `object` in words; empty when either is missing.
std::string CapabilityValueText(CamObject* object, const orv::CapabilityInfo* info);

// Text of one enumeration element value of a capability; empty when the
// value has no name (callers then show the number).
std::string EnumElementText(uint32_t capId, uint32_t value);

// Upper-case hexadecimal, at least `minDigits` digits.
std::string HexText(uint64_t value, int minDigits);

// Packed texts (separated by NUL bytes) as separate texts.
std::vector<std::string> SplitPackedTexts(const std::vector<uint8_t>& contents);
