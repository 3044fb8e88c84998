#pragma once
// Display names of camera capabilities, as the log, the capability-list dump
// and the event handler show them.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// One row of the fixed name table.
struct CapabilityNameEntry {
    uint32_t id;
    std::string_view name;
};

// The capability's display name; an id without a name reads as its value in
// 4-digit upper-case hexadecimal without prefix ("8101").
std::string CapabilityName(uint32_t id);

// The whole name table, sorted by id (for the dump and for tests).
std::span<const CapabilityNameEntry> CapabilityNameTable();
