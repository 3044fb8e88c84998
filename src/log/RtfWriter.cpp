#include "log/RtfWriter.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at `pos`, advancing it; malformed, overlong or
// surrogate sequences yield U+FFFD and consume one byte.
char32_t decodeUtf8(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++pos;
        return kReplacement;
    }
    if (pos + static_cast<std::size_t>(extra) >= s.size()) {
        ++pos;
        return kReplacement;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto c = static_cast<unsigned char>(s[pos + static_cast<std::size_t>(i)]);
        if ((c & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += static_cast<std::size_t>(extra) + 1;
    return cp;
}

void appendUnicodeUnit(std::string& out, std::uint16_t unit) {
    out += "\\u";
    out += std::to_string(static_cast<std::int16_t>(unit));
    out += '?';
}

void appendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x10000) {
        appendUnicodeUnit(out, static_cast<std::uint16_t>(cp));
        return;
    }
    const char32_t v = cp - 0x10000;
    appendUnicodeUnit(out, static_cast<std::uint16_t>(0xD800 + (v >> 10)));
    appendUnicodeUnit(out, static_cast<std::uint16_t>(0xDC00 + (v & 0x3FF)));
}

// The colour table lists every RGB colour in order of first use; index 0
// stays the automatic colour.
std::vector<LogColour> collectColours(const std::vector<LogLine>& lines) {
    std::vector<LogColour> colours;
    for (const LogLine& line : lines) {
        for (const LogRun& run : line.runs) {
            if (!run.colour.isBase &&
                std::find(colours.begin(), colours.end(), run.colour) == colours.end()) {
                colours.push_back(run.colour);
            }
        }
    }
    return colours;
}

int colourIndex(const std::vector<LogColour>& colours, const LogColour& colour) {
    if (colour.isBase) {
        return 0;
    }
    const auto it = std::find(colours.begin(), colours.end(), colour);
    return static_cast<int>(it - colours.begin()) + 1;
}

void appendHeader(std::string& out, const std::vector<LogColour>& colours) {
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"
           "{\\fonttbl{\\f0\\fswiss\\fcharset0 Tahoma;}}\n{\\colortbl ;";
    for (const LogColour& c : colours) {
        out += "\\red" + std::to_string(c.red) + "\\green" + std::to_string(c.green) + "\\blue" +
               std::to_string(c.blue) + ";";
    }
    out += "}\n\\viewkind4\\pard\\f0\\fs" + std::to_string(kLogFontSizePt * 2) + "\n";
}

void appendRun(std::string& out, const std::vector<LogColour>& colours, const LogRun& run,
               std::string_view text) {
    out += "{\\cf" + std::to_string(colourIndex(colours, run.colour));
    if (run.style.bold) {
        out += "\\b";
    }
    if (run.style.italic) {
        out += "\\i";
    }
    if (run.style.underline) {
        out += "\\ul";
    }
    out += "\\fs" + std::to_string(run.sizePt * 2) + ' ';
    AppendRtfText(out, text);
    out += '}';
}

void appendLine(std::string& out, const std::vector<LogColour>& colours, const LogLine& line) {
    const std::string_view plain = line.plain;
    for (std::size_t i = 0; i < line.runs.size(); ++i) {
        const auto begin =
            std::min<std::size_t>(static_cast<std::size_t>(line.runs[i].start), plain.size());
        const std::size_t end =
            i + 1 < line.runs.size()
                ? std::min<std::size_t>(static_cast<std::size_t>(line.runs[i + 1].start),
                                        plain.size())
                : plain.size();
        if (end > begin) {
            appendRun(out, colours, line.runs[i], plain.substr(begin, end - begin));
        }
    }
    out += "\\par\n";
}

} // namespace

void AppendRtfText(std::string& out, std::string_view utf8) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = decodeUtf8(utf8, pos);
        if (cp == '\\' || cp == '{' || cp == '}') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp == '\t') {
            out += "\\tab ";
        } else if (cp == '\n') {
            out += "\\line ";
        } else if (cp < 0x20 || cp == 0x7F) {
            continue;
        } else if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else {
            appendCodePoint(out, cp);
        }
    }
}

std::string WriteLogRtf(const std::vector<LogLine>& lines) {
    const std::vector<LogColour> colours = collectColours(lines);
    std::string out;
    std::size_t estimate = 256;
    for (const LogLine& line : lines) {
        estimate += line.plain.size() + line.runs.size() * 20 + 8;
    }
    out.reserve(estimate);
    appendHeader(out, colours);
    for (const LogLine& line : lines) {
        appendLine(out, colours, line);
    }
    out += "}\n";
    return out;
}
