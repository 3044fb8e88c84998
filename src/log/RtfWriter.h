#pragma once
// Our own small RTF writer for saving the log: a colour table, bold, italic,
// underline and colour runs, escaped special characters and Unicode escapes,
// so a word processor shows the saved log as it looked on screen.
#include "log/LogLine.h"

#include <string>
#include <string_view>
#include <vector>

// Writes the lines as one RTF document, one paragraph per line. Each
// non-empty run becomes a group with its own colour, style and size; the
// base colour is the reader's automatic text colour (\cf0).
std::string WriteLogRtf(const std::vector<LogLine>& lines);

// Appends `utf8` to `out` as RTF text: \ { } escaped, tabs and line feeds as
// \tab and \line, other control characters dropped, every non-ASCII
// character as \uN? with N the signed 16-bit UTF-16 code unit. Invalid UTF-8
// becomes U+FFFD.
void AppendRtfText(std::string& out, std::string_view utf8);
