// The tagged-text helpers and parser, without any window.
#include "log/TaggedText.h"
#include "log/TaggedTextParser.h"

#include <gtest/gtest.h>

namespace {

LogRun run(int start, LogColour colour = LogColour::base(), LogStyle style = {}) {
    return LogRun{start, colour, style, kLogFontSizePt};
}

constexpr LogStyle kBold{true, false, false};

TEST(TagHelpers, WrapWithTheirTags) {
    EXPECT_EQ(TagRed("x"), "<re>x</re>");
    EXPECT_EQ(TagBlue("x"), "<bl>x</bl>");
    EXPECT_EQ(TagGreen(""), "<gr></gr>");
    EXPECT_EQ("USB event " + TagBold("Y800") + " connected", "USB event <b>Y800</b> connected");
}

TEST(TagHelpers, StripTagsRemovesEveryTagAndKeepsOrder) {
    EXPECT_EQ(StripTags("<b>CAMERA</b> Event <bl>x</bl>"), "CAMERA Event x");
    EXPECT_EQ(StripTags("<x><unknown attr>abc"), "abc");
    EXPECT_EQ(StripTags("a<>b"), "ab");
    EXPECT_EQ(StripTags(""), "");
}

TEST(TagHelpers, StripTagsKeepsLoneOpenerAndPlainCloser) {
    EXPECT_EQ(StripTags("a < b"), "a < b");
    EXPECT_EQ(StripTags("a > b <b>c"), "a > b c");
    EXPECT_EQ(StripTags("<b>x < y"), "x < y");
}

TEST(TagHelpers, EscapedTextIsShownAsWrittenAndOpensNoTag) {
    const std::string outside = "disk <b>full</b> -> <re>a < b";
    const std::string escaped = EscapeTags(outside);
    EXPECT_EQ(escaped, "disk \u2039b\u203afull\u2039/b\u203a -\u203a \u2039re\u203aa \u2039 b");
    const ParsedText p = ParseTaggedText("<b>HOOK</b>: " + escaped);
    EXPECT_EQ(p.plain, "HOOK: " + escaped);
    EXPECT_FALSE(p.runs.back().style.bold);
    EXPECT_EQ(EscapeTags("plain"), "plain");
}

TEST(TagHelpers, StripBracketsRemovesSegments) {
    EXPECT_EQ(StripBrackets("Image [3 of 5] saved"), "Image  saved");
    EXPECT_EQ(StripBrackets("[a]b[c]"), "b");
    EXPECT_EQ(StripBrackets("open [ only"), "open [ only");
    EXPECT_EQ(StripBrackets("<b>keeps</b> tags"), "<b>keeps</b> tags");
}

TEST(ParseTaggedText, PlainTextIsOneBaseRun) {
    const ParsedText p = ParseTaggedText("Program start");
    EXPECT_EQ(p.plain, "Program start");
    EXPECT_EQ(p.runs, std::vector<LogRun>{run(0)});
}

TEST(ParseTaggedText, ColourStackPopsByLevelNotByName) {
    const ParsedText p = ParseTaggedText("<re>a<bl>b</re>c</bl>d");
    EXPECT_EQ(p.plain, "abcd");
    EXPECT_EQ(p.runs, (std::vector<LogRun>{run(0, kLogRed), run(1, kLogBlue), run(2, kLogRed),
                                           run(3, LogColour::base())}));
}

TEST(ParseTaggedText, StylesAreFlagsNotCounters) {
    const ParsedText p = ParseTaggedText("<b><b>x</b>y");
    EXPECT_EQ(p.plain, "xy");
    EXPECT_EQ(p.runs, (std::vector<LogRun>{run(0, LogColour::base(), kBold), run(1)}));
}

TEST(ParseTaggedText, AdjacentTagsShareOneRun) {
    const ParsedText p = ParseTaggedText("<b><re>x");
    EXPECT_EQ(p.runs, (std::vector<LogRun>{run(0, kLogRed, kBold)}));
    const ParsedText q = ParseTaggedText("a<i><u><gr>b");
    EXPECT_EQ(q.runs,
              (std::vector<LogRun>{run(0), run(1, kLogGreen, LogStyle{false, true, true})}));
}

TEST(ParseTaggedText, UnknownAndWrongCaseTagsVanish) {
    const ParsedText x = ParseTaggedText("<x>abc");
    EXPECT_EQ(x.plain, "abc");
    EXPECT_EQ(x.runs, std::vector<LogRun>{run(0)});
    const ParsedText upper = ParseTaggedText("<B>x</B>");
    EXPECT_EQ(upper.plain, "x");
    for (const LogRun& r : upper.runs) {
        EXPECT_EQ(r.style, LogStyle{});
        EXPECT_TRUE(r.colour.isBase);
    }
}

TEST(ParseTaggedText, TrailingTagLeavesEmptyLastRun) {
    const ParsedText p = ParseTaggedText("abc<re>");
    EXPECT_EQ(p.plain, "abc");
    ASSERT_EQ(p.runs.size(), 2u);
    EXPECT_EQ(p.runs[0], run(0));
    EXPECT_EQ(p.runs[1], run(3, kLogRed));
}

TEST(ParseTaggedText, UnknownTagStillSplitsRunWithSameFormat) {
    const ParsedText p = ParseTaggedText("<b>a<x>b");
    EXPECT_EQ(p.plain, "ab");
    EXPECT_EQ(p.runs, (std::vector<LogRun>{run(0, LogColour::base(), kBold),
                                           run(1, LogColour::base(), kBold)}));
}

TEST(ParseTaggedText, LongTextAfterTagIsKeptWhole) {
    const std::string tail(1000, 'z');
    const ParsedText p = ParseTaggedText("<b>" + tail + "</b>" + tail);
    EXPECT_EQ(p.plain, tail + tail);
    ASSERT_EQ(p.runs.size(), 2u);
    EXPECT_EQ(p.runs[1].start, 1000);
}

TEST(ParseTaggedText, RunStartsAreByteOffsetsOfUtf8Text) {
    const ParsedText p = ParseTaggedText("Grüße <bl>ö</bl>!");
    EXPECT_EQ(p.plain, "Grüße ö!");
    ASSERT_EQ(p.runs.size(), 3u);
    EXPECT_EQ(p.runs[1].start, 8); // "Grüße " is 8 bytes
    EXPECT_EQ(p.runs[2].start, 10);
}

TEST(ParseMalformed, LoneOpenerIsShownLiterally) {
    const ParsedText p = ParseTaggedText("<b>f < 2.8");
    EXPECT_EQ(p.plain, "f < 2.8");
    EXPECT_EQ(p.runs, (std::vector<LogRun>{run(0, LogColour::base(), kBold)}));
    EXPECT_EQ(ParseTaggedText("<").plain, "<");
    EXPECT_EQ(ParseTaggedText("a<b").plain, "a<b");
}

TEST(ParseMalformed, CloserBeforeTagIsPlainText) {
    const ParsedText p = ParseTaggedText("a>b<re>c");
    EXPECT_EQ(p.plain, "a>bc");
    EXPECT_EQ(p.runs, (std::vector<LogRun>{run(0), run(3, kLogRed)}));
}

TEST(ParseMalformed, SurplusClosingColourIsIgnored) {
    const ParsedText p = ParseTaggedText("a</re>b<bl>c</bl></gr>d");
    EXPECT_EQ(p.plain, "abcd");
    for (const LogRun& r : p.runs) {
        if (r.start == 2) {
            EXPECT_EQ(r.colour, kLogBlue);
        } else {
            EXPECT_TRUE(r.colour.isBase) << "run at " << r.start;
        }
    }
}

TEST(TaggedTextParserChunks, LoneOpenerCannotSwallowLaterChunk) {
    TaggedTextParser parser;
    parser.feed("<b>");
    parser.feed("a < b");
    parser.feed("</b>tail");
    const ParsedText p = parser.take();
    EXPECT_EQ(p.plain, "a < btail");
    ASSERT_EQ(p.runs.size(), 2u);
    EXPECT_TRUE(p.runs[0].style.bold);
    EXPECT_FALSE(p.runs[1].style.bold);
    EXPECT_EQ(p.runs[1].start, 5);
}

TEST(TaggedTextParserChunks, StateCarriesAcrossChunksAndResetsOnTake) {
    TaggedTextParser parser;
    parser.feed("<re>x");
    parser.feed("y</re>z");
    const ParsedText p = parser.take();
    EXPECT_EQ(p.runs, (std::vector<LogRun>{run(0, kLogRed), run(2)}));
    parser.feed("w");
    EXPECT_EQ(parser.take().runs, std::vector<LogRun>{run(0)});
}

} // namespace
