#pragma once
// Incremental TaggedText parser. The log feeds its stamp prefix and the
// caller's message as separate chunks, so a stray "<" in a message is judged
// within that message alone and cannot swallow the log's own closing tags.
#include "log/LogLine.h"

#include <string_view>
#include <vector>

class TaggedTextParser {
public:
    TaggedTextParser();

    // Appends a chunk. Tags and text continue the state left by earlier
    // chunks (styles, colour stack); a "<" without a ">" later in this chunk
    // is shown literally together with the rest of the chunk.
    void feed(std::string_view chunk);

    const ParsedText& result() const { return m_out; }
    ParsedText take();

private:
    void startRunAtEnd();
    void applyTag(std::string_view name);

    ParsedText m_out;
    std::vector<LogColour> m_colours; // bottom entry is the base colour
};
