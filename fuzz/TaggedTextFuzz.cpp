// The log's tagged text and its RTF save. The input is a message in chunks
// (separated by 0x1F), fed to the incremental parser as the log feeds its
// stamp and the caller's text; the parsed line is saved as RTF and read back
// with the tests' reader, which must find the same text in the same formats.
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "RtfTestReader.h"
#include "log/RtfWriter.h"
#include "log/TaggedText.h"
#include "log/TaggedTextParser.h"

#include <QByteArray>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr uint8_t kChunkSeparator = 0x1F;

bool isLogColour(const LogColour& colour) {
    return colour == LogColour::base() || colour == kLogBlue || colour == kLogGreen ||
           colour == kLogRed;
}

// Runs start at 0, each after the one before, none beyond the text.
void checkRuns(const ParsedText& parsed) {
    FUZZ_CHECK(!parsed.runs.empty() && parsed.runs.front().start == 0);
    for (size_t i = 0; i < parsed.runs.size(); ++i) {
        const LogRun& run = parsed.runs[i];
        FUZZ_CHECK(static_cast<size_t>(run.start) <= parsed.plain.size());
        FUZZ_CHECK(i == 0 || run.start > parsed.runs[i - 1].start);
        FUZZ_CHECK(isLogColour(run.colour) && run.sizePt == kLogFontSizePt);
    }
}

ParsedText parseChunks(const std::vector<std::string>& chunks) {
    TaggedTextParser parser;
    for (const std::string& chunk : chunks) {
        parser.feed(chunk);
    }
    return parser.take();
}

bool isShownControl(unsigned char c) {
    return c < 0x20 ? c != '\t' && c != '\n' : c == 0x7F;
}

// The text as saved: control characters other than tab and line feed go.
std::string withoutControls(const std::string& text) {
    std::string kept;
    for (const char c : text) {
        if (!isShownControl(static_cast<unsigned char>(c))) {
            kept += c;
        }
    }
    return kept;
}

std::string asciiOf(const std::string& text) {
    std::string ascii;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x80 &&
            !isShownControl(static_cast<unsigned char>(c))) {
            ascii += c;
        }
    }
    return ascii;
}

bool isValidUtf8(const std::string& text) {
    return QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size())).isValidUtf8();
}

// Each run's text and format as the reader should find them, or nothing when
// a run's bytes are not valid UTF-8 (those become U+FFFD, checked apart).
std::optional<std::vector<RtfSegment>> expectedSegments(const LogLine& line) {
    std::vector<RtfSegment> segments;
    for (size_t i = 0; i < line.runs.size(); ++i) {
        const auto begin = static_cast<size_t>(line.runs[i].start);
        const size_t end = i + 1 < line.runs.size() ? static_cast<size_t>(line.runs[i + 1].start)
                                                    : line.plain.size();
        const std::string text = line.plain.substr(begin, end - begin);
        if (!isValidUtf8(text)) {
            return std::nullopt;
        }
        const LogRun& run = line.runs[i];
        segments.push_back({withoutControls(text), run.colour, run.style, run.sizePt});
    }
    return Normalise(segments);
}

std::string joinedText(const std::vector<RtfSegment>& segments) {
    std::string text;
    for (const RtfSegment& segment : segments) {
        text += segment.text;
    }
    return text;
}

void checkRtfRoundTrip(const std::vector<LogLine>& lines) {
    const std::string rtf = WriteLogRtf(lines);
    for (const char c : rtf) {
        FUZZ_CHECK(static_cast<unsigned char>(c) < 0x80);
    }
    const RtfDocument document = ReadRtf(rtf);
    FUZZ_CHECK(document.balanced);
    FUZZ_CHECK(document.unknownWords.empty());
    FUZZ_CHECK(document.lines.size() == lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::vector<RtfSegment> read = Normalise(document.lines[i]);
        const std::string readText = joinedText(read);
        FUZZ_CHECK(isValidUtf8(readText));
        // Invalid sequences turn into U+FFFD but never swallow a character.
        FUZZ_CHECK(asciiOf(readText) == asciiOf(lines[i].plain));
        if (const auto expected = expectedSegments(lines[i])) {
            FUZZ_CHECK(read == *expected);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    std::vector<std::string> chunks;
    std::string whole;
    while (!input.empty()) {
        chunks.push_back(FuzzInput::text(input.until(kChunkSeparator)));
        whole += chunks.back();
    }

    const ParsedText parsed = parseChunks(chunks);
    checkRuns(parsed);
    std::string stripped;
    for (const std::string& chunk : chunks) {
        stripped += StripTags(chunk);
    }
    FUZZ_CHECK(parsed.plain == stripped);

    // Outside text, escaped, shows as written and opens no format.
    const ParsedText escaped = ParseTaggedText(EscapeTags(whole));
    FUZZ_CHECK(escaped.plain == EscapeTags(whole) && escaped.runs.size() == 1);

    const ParsedText single = ParseTaggedText(whole);
    checkRuns(single);
    checkRtfRoundTrip(
        {LogLine{parsed.plain, parsed.runs, false}, LogLine{single.plain, single.runs, true}});
    return 0;
}
