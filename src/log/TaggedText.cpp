#include "log/TaggedText.h"

#include "log/TaggedTextParser.h"

namespace {

std::string wrap(std::string_view open, std::string_view s, std::string_view close) {
    std::string out;
    out.reserve(open.size() + s.size() + close.size());
    out.append(open).append(s).append(close);
    return out;
}

// Removes every segment from `open` up to the next `close`; an opener
// without a closer after it stays as text.
std::string stripSegments(std::string_view s, char open, char close) {
    std::string out;
    out.reserve(s.size());
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t start = s.find(open, pos);
        const std::size_t end = start == std::string_view::npos ? start : s.find(close, start + 1);
        if (end == std::string_view::npos) {
            out.append(s.substr(pos));
            break;
        }
        out.append(s.substr(pos, start - pos));
        pos = end + 1;
    }
    return out;
}

} // namespace

std::string TagRed(std::string_view s) {
    return wrap("<re>", s, "</re>");
}
std::string TagBlue(std::string_view s) {
    return wrap("<bl>", s, "</bl>");
}
std::string TagGreen(std::string_view s) {
    return wrap("<gr>", s, "</gr>");
}
std::string TagBold(std::string_view s) {
    return wrap("<b>", s, "</b>");
}

std::string StripTags(std::string_view s) {
    return stripSegments(s, '<', '>');
}
std::string EscapeTags(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (const char c : s) {
        if (c == '<') {
            out += "\u2039";
        } else if (c == '>') {
            out += "\u203a";
        } else {
            out += c;
        }
    }
    return out;
}

std::string StripBrackets(std::string_view s) {
    return stripSegments(s, '[', ']');
}

ParsedText ParseTaggedText(std::string_view text) {
    TaggedTextParser parser;
    parser.feed(text);
    return parser.take();
}
