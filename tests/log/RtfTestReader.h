#pragma once
// A small RTF reader for the tests: enough of the format to read back what
// our writer produces (colour table, \cf \b \i \ul \fs, \uN, \par, \line,
// escapes) and to notice anything it does not understand.
#include "log/LogLine.h"

#include <string>
#include <vector>

struct RtfSegment {
    std::string text; // UTF-8
    LogColour colour;
    LogStyle style;
    int sizePt = 0;

    friend bool operator==(const RtfSegment&, const RtfSegment&) = default;
};

struct RtfDocument {
    std::vector<LogColour> colourTable; // entry 0 is the automatic colour
    std::vector<std::vector<RtfSegment>> lines;
    std::vector<std::string> unknownWords; // control words the reader skipped
    bool balanced = false;                 // every group closed, nothing after
};

RtfDocument ReadRtf(const std::string& rtf);

// Joins neighbouring segments of equal format and drops empty ones, so
// documents that split runs differently compare equal.
std::vector<RtfSegment> Normalise(const std::vector<RtfSegment>& segments);

// The segments a log line should read back as.
std::vector<RtfSegment> ExpectedSegments(const LogLine& line);
