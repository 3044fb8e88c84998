#pragma once
// Where the camera layer and the device layer write their messages. The
// message log implements it; tests record into it. Texts carry the log's
// inline tags (<b>, <bl>, <re>, ...).
#include <string>

class LogSink {
public:
    virtual ~LogSink() = default;
    // A line of the main log.
    virtual void log(const std::string& taggedText) = 0;
    // Detailed camera traffic; shown only while "Log all event" is ticked.
    virtual void dslrLog(const std::string& taggedText) = 0;
};
