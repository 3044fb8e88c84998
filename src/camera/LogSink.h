#pragma once
// Where the program's messages go. The message log's model implements it;
// tests record into it. Texts carry the log's inline tags (<b>, <bl>, <re>,
// ...). The camera and device layers know only this interface.
#include <string>

class LogSink {
public:
    virtual ~LogSink() = default;
    // A line of the main log.
    virtual void log(const std::string& taggedText) = 0;
    // Detailed camera traffic; shown only while "Log all event" is ticked.
    virtual void dslrLog(const std::string& taggedText) = 0;
    // An error line: marked in the log and on the status bar, with a beep.
    virtual void elog(const std::string& taggedText) = 0;
};
