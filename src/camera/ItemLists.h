#pragma once
// Ready-made item lists that the settings combo boxes load, built from
// enumeration contents the camera access layer has already read. Every list
// keeps one line per enumeration element where a combo box's line number
// must equal the enumeration index.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Line break between items.
inline constexpr std::string_view kItemLineBreak = "\r\n";

// Packed enumeration texts (texts separated by NUL bytes) as lines: every NUL
// byte becomes CR LF, so "2.8\0" "4\0" gives "2.8\r\n4\r\n".
std::string PackedTextsToLines(std::string_view packed);

// Flash modes (capability 0x35), one line per element, each ending in CR LF.
// Low 7 bits 0-5 read "Normal", "Rear-sync", "Slow-sync", "Red eye reduction",
// "Red eye slow", "Rear curtain slow."; any other element reads as the flash
// value text ("Off", "Auto", "On" for 0x106-0x108), else "Flash mode " + the
// element in decimal, so a combo box line still exists for every index.
std::string FlashModeItemList(std::span<const uint32_t> elements);

// Manual-lens focal lengths (0x8192): "N/A" for the first element, then
// "<value> mm"; each line ends in CR LF.
std::string ManualFocalLengthItemList(std::span<const uint32_t> elements);

// Manual-lens apertures (0x8193): "N/A" for the first element, then "f/" and
// the value in tenths ("f/3.5" for 35, "f/4" for 40); each line ends in CR LF.
std::string ManualApertureItemList(std::span<const uint32_t> elements);

// Live view zoom rates (0x823F) by low 7 bits: "Full", "25%", ... "13%";
// elements without a rate give no line. Each line ends in CR LF.
std::string ZoomRateItemList(std::span<const uint32_t> elements);

// Apertures (0x8113, 0x8337): the enumeration's lines (PackedTextsToLines)
// with "f/" before each entry, joined by CR LF with no line break after the
// last ("f/2.8\r\nf/4"). One final CR LF of the input ends the last entry;
// an input without it keeps its last entry, an empty input gives empty text.
std::string ApertureItemList(std::string_view lines);
