#pragma once
// Value types shared by the tagged-text parser, the log view and the RTF
// writer. Kept free of Qt so the parser and the writer stay pure.
#include <cstdint>
#include <string>
#include <vector>

// A log colour: either an RGB value or the system's window-text colour
// (the base colour of every line), which follows the user's theme.
struct LogColour {
    bool isBase = true;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    static constexpr LogColour base() { return LogColour{}; }
    static constexpr LogColour rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return LogColour{false, r, g, b};
    }
    friend bool operator==(const LogColour& a, const LogColour& b) {
        return a.isBase == b.isBase &&
               (a.isBase || (a.red == b.red && a.green == b.green && a.blue == b.blue));
    }
};

inline constexpr LogColour kLogBlue = LogColour::rgb(0, 0, 255);
inline constexpr LogColour kLogGreen = LogColour::rgb(0, 170, 0);
inline constexpr LogColour kLogRed = LogColour::rgb(255, 0, 0);
inline constexpr int kLogFontSizePt = 8;

// Font style flags of a run; flags, not counters (<b><b>x</b> ends bold).
struct LogStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;

    friend bool operator==(const LogStyle&, const LogStyle&) = default;
};

// One formatting run of a line. `start` is a byte offset into the line's
// UTF-8 plain text; a run reaches up to the next run's start or the line end.
struct LogRun {
    int start = 0;
    LogColour colour;
    LogStyle style;
    int sizePt = kLogFontSizePt;

    friend bool operator==(const LogRun&, const LogRun&) = default;
};

// A message with its markup turned into plain text plus runs.
struct ParsedText {
    std::string plain;
    std::vector<LogRun> runs;
};

// One line of the log as kept for saving and mirroring: the plain text with
// its stamp, the runs, and whether it was written as an error line.
struct LogLine {
    std::string plain;
    std::vector<LogRun> runs;
    bool error = false;
};
