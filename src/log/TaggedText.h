#pragma once
// TaggedText: every message of the program is UTF-8 text with inline tags
// <b> <i> <u> (styles) and <bl> <gr> <re> (colours), closed by </...>.
// These helpers build, strip and parse such messages; no Qt involved.
#include "log/LogLine.h"

#include <string>
#include <string_view>

std::string TagRed(std::string_view s);
std::string TagBlue(std::string_view s);
std::string TagGreen(std::string_view s);
std::string TagBold(std::string_view s);

// Removes every "<...>" tag. A "<" with no ">" after it is kept as text,
// exactly as the log shows it.
std::string StripTags(std::string_view s);

// Text from outside the program (a hook's output, a user's file name) made
// fit to put into a message: "<" and ">" become "‹" and "›", so that it
// reads as it was written and can never open or close one of the tags.
std::string EscapeTags(std::string_view s);

// Removes every "[...]" segment (the status bar hides such details). A "["
// with no "]" after it is kept as text.
std::string StripBrackets(std::string_view s);

// Turns a message into plain text and formatting runs: one run from 0 in the
// base colour, a new run wherever tags meet text, unknown tags dropped.
ParsedText ParseTaggedText(std::string_view text);
