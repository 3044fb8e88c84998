#include "log/TaggedTextParser.h"

#include <utility>

TaggedTextParser::TaggedTextParser() {
    m_out.runs.push_back(LogRun{});
    m_colours.push_back(LogColour::base());
}

void TaggedTextParser::feed(std::string_view chunk) {
    std::size_t pos = 0;
    while (pos < chunk.size()) {
        const std::size_t open = chunk.find('<', pos);
        const std::size_t close = open == std::string_view::npos ? open : chunk.find('>', open + 1);
        if (close == std::string_view::npos) {
            m_out.plain.append(chunk.substr(pos));
            return;
        }
        m_out.plain.append(chunk.substr(pos, open - pos));
        startRunAtEnd();
        applyTag(chunk.substr(open + 1, close - open - 1));
        pos = close + 1;
    }
}

ParsedText TaggedTextParser::take() {
    ParsedText out = std::move(m_out);
    *this = TaggedTextParser();
    return out;
}

// Tags with no text between them act on the same run; only a tag after new
// text opens a run (so a trailing tag leaves an empty last run).
void TaggedTextParser::startRunAtEnd() {
    const int here = static_cast<int>(m_out.plain.size());
    if (m_out.runs.back().start < here) {
        LogRun next = m_out.runs.back();
        next.start = here;
        m_out.runs.push_back(next);
    }
}

void TaggedTextParser::applyTag(std::string_view name) {
    LogRun& run = m_out.runs.back();
    if (name == "b" || name == "/b") {
        run.style.bold = name.front() != '/';
    } else if (name == "i" || name == "/i") {
        run.style.italic = name.front() != '/';
    } else if (name == "u" || name == "/u") {
        run.style.underline = name.front() != '/';
    } else if (name == "bl" || name == "gr" || name == "re") {
        run.colour = name == "bl" ? kLogBlue : name == "gr" ? kLogGreen : kLogRed;
        m_colours.push_back(run.colour);
    } else if (name == "/bl" || name == "/gr" || name == "/re") {
        // Any closing colour tag pops one level; a surplus one (only the base
        // colour left) is ignored rather than emptying the stack.
        if (m_colours.size() > 1) {
            m_colours.pop_back();
            run.colour = m_colours.back();
        }
    }
    // Any other name: the tag is simply dropped.
}
