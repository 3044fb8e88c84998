// The RTF writer, checked by reading its output back with a separate reader.
#include "log/RtfWriter.h"
#include "RtfTestReader.h"
#include "log/TaggedText.h"
#include "log/TaggedTextParser.h"

#include <gtest/gtest.h>

namespace {

LogLine lineOf(const std::string& tagged, bool error = false) {
    const ParsedText p = ParseTaggedText(tagged);
    return LogLine{p.plain, p.runs, error};
}

std::string escaped(std::string_view s) {
    std::string out;
    AppendRtfText(out, s);
    return out;
}

TEST(RtfEscaping, SpecialCharactersAreEscaped) {
    EXPECT_EQ(escaped("a\\b{c}"), "a\\\\b\\{c\\}");
    EXPECT_EQ(escaped("tab\there\nnext"), "tab\\tab here\\line next");
    EXPECT_EQ(escaped(std::string("bell\a") + '\0' + "x"), "bellx");
}

TEST(RtfEscaping, NonAsciiBecomesSignedUtf16Units) {
    EXPECT_EQ(escaped("é"), "\\u233?");
    EXPECT_EQ(escaped("€"), "\\u8364?");
    EXPECT_EQ(escaped("\xEF\xBC\x81"), "\\u-255?");                // U+FF01 above 32767
    EXPECT_EQ(escaped("\xF0\x9F\x98\x80"), "\\u-10179?\\u-8704?"); // U+1F600 as a pair
}

TEST(RtfEscaping, InvalidUtf8BecomesReplacementCharacter) {
    EXPECT_EQ(escaped("\xFF"), "\\u-3?");
    EXPECT_EQ(escaped("a\xC3"), "a\\u-3?");                   // truncated sequence
    EXPECT_EQ(escaped("\xC0\xAF"), "\\u-3?\\u-3?");           // overlong "/"
    EXPECT_EQ(escaped("\xED\xA0\x80"), "\\u-3?\\u-3?\\u-3?"); // encoded surrogate
}

TEST(RtfRoundTrip, EveryRunKeepsTextColourAndStyle) {
    TaggedTextParser errorParser;
    errorParser.feed(TagRed("14:03:07: "));
    errorParser.feed("<b>" + TagRed("ERROR: "));
    errorParser.feed("CAMERA: Camera not available.");
    errorParser.feed("</b>");
    const ParsedText err = errorParser.take();

    const std::vector<LogLine> lines = {
        lineOf(TagBlue("9:05:03: ") + "Program start"),
        LogLine{err.plain, err.runs, true},
        lineOf(TagBlue("14:03:08: ") + "USB event <b>Y800</b> connected <gr>ok</gr>"),
        lineOf(TagBlue("14:03:09: ") + "path C:\\dir\\{x} and {braces}\\"),
        lineOf(TagBlue("14:03:10: ") + "<i>Grüße</i> <u>€ 😀</u> <b><i><u>ÿ日本</u></i></b>"),
        lineOf(TagBlue("14:03:11: ") + "<re>a<bl>b</re>c</bl>d<gr>"),
        lineOf(TagBlue("14:03:12: ")),
    };
    const RtfDocument doc = ReadRtf(WriteLogRtf(lines));

    EXPECT_TRUE(doc.balanced);
    EXPECT_TRUE(doc.unknownWords.empty()) << doc.unknownWords.front();
    ASSERT_EQ(doc.lines.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(Normalise(doc.lines[i]), ExpectedSegments(lines[i])) << "line " << i;
    }
}

TEST(RtfRoundTrip, ErrorLineReadsBackRedAndBold) {
    TaggedTextParser parser;
    parser.feed(TagRed("14:03:07: "));
    parser.feed("<b>" + TagRed("ERROR: "));
    parser.feed("x");
    parser.feed("</b>");
    const ParsedText p = parser.take();
    const RtfDocument doc = ReadRtf(WriteLogRtf({LogLine{p.plain, p.runs, true}}));
    ASSERT_EQ(doc.lines.size(), 1u);
    const std::vector<RtfSegment> segs = Normalise(doc.lines[0]);
    ASSERT_EQ(segs.size(), 3u);
    EXPECT_EQ(segs[0].text, "14:03:07: ");
    EXPECT_EQ(segs[0].colour, kLogRed);
    EXPECT_FALSE(segs[0].style.bold);
    EXPECT_EQ(segs[1].text, "ERROR: ");
    EXPECT_EQ(segs[1].colour, kLogRed);
    EXPECT_TRUE(segs[1].style.bold);
    EXPECT_EQ(segs[2].text, "x");
    EXPECT_TRUE(segs[2].colour.isBase);
    EXPECT_TRUE(segs[2].style.bold);
    EXPECT_EQ(segs[2].sizePt, 8);
}

TEST(RtfColourTable, ListsUsedColoursOnceInFirstUseOrder) {
    const RtfDocument doc = ReadRtf(WriteLogRtf(
        {lineOf("<gr>a</gr><bl>b</bl>"), lineOf("<re>c</re><gr>d</gr>"), lineOf("plain")}));
    EXPECT_EQ(doc.colourTable,
              (std::vector<LogColour>{LogColour::base(), kLogGreen, kLogBlue, kLogRed}));
}

TEST(RtfDocumentShape, EmptyLogIsAValidEmptyDocument) {
    const std::string rtf = WriteLogRtf({});
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    const RtfDocument doc = ReadRtf(rtf);
    EXPECT_TRUE(doc.balanced);
    ASSERT_EQ(doc.lines.size(), 1u);
    EXPECT_TRUE(doc.lines[0].empty());
}

TEST(RtfDocumentShape, OutputIsPureAscii) {
    const std::string rtf = WriteLogRtf({lineOf("<b>Grüße 😀</b> \xFF")});
    for (const char c : rtf) {
        EXPECT_LT(static_cast<unsigned char>(c), 0x80u);
    }
}

} // namespace
