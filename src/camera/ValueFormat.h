#pragma once
// Text of a capability's current value, by the capability's value type. The
// camera access layer reads the value (CapabilityValueText) and hands it here,
// so everything below is pure and testable without a module.
#include "camera/CameraTypes.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// A callback capability's procedure address (0 when none is installed).
struct CallbackValue {
    uintptr_t proc = 0;
};

// One already-read capability value. Which alternative goes with which value
// type:
//   process (0), boolean with default (15), "other"  std::monostate
//   boolean (1)       bool
//   integer (2)       int32_t
//   unsigned (3)      uint32_t
//   float (4)         double
//   point (5)         orv::PointRecord
//   size (6)          orv::SizeRecord
//   rectangle (7)     orv::RectRecord
//   text (8)          std::string
//   date-time (9)     orv::DateTimeRecord, month counted from 1
//   callback (10)     CallbackValue
//   array (11)        std::vector<std::string>, the texts of the text array
//   enumeration (12)  std::string, the enumeration already read as text
//   range (13)        orv::RangeRecord (value already recomputed from its index)
//   generic (14)      std::string, the generic text of capability 0x39
//                     (ignored for any other capability)
// A value holding another alternative than its type expects is formatted as
// that type's default (0, false, empty), as the typed getters would give it.
using CapabilityValue =
    std::variant<std::monostate, bool, int32_t, uint32_t, double, orv::PointRecord, orv::SizeRecord,
                 orv::RectRecord, std::string, orv::DateTimeRecord, CallbackValue,
                 std::vector<std::string>, orv::RangeRecord>;

// The value in words for the log and the capability-list dump, e.g.
// "Yes", "(10,20)", "2024.03.05. 14:07:09", "'A', 'B'", "1.50 [0.00..3.00]";
// an unknown value type reads "???" + the type number.
std::string FormatCapabilityValue(uint32_t capId, uint32_t valueType, const CapabilityValue& value);

// Shortest decimal text that reads back as the same double ("5.6", "100",
// "1e+20"); independent of the process locale.
std::string FormatShortestDouble(double value);

// "%.4d.%.2d.%.2d. %.2d:%.2d:%.2d" of a date-time whose month counts from 1.
std::string FormatDateTime(const orv::DateTimeRecord& dateTime);
