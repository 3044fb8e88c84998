#pragma once
// A log that records what each layer writes, in order and by kind.
#include "camera/LogSink.h"

#include <algorithm>
#include <string>
#include <vector>

class RecordingLogSink : public LogSink {
public:
    void log(const std::string& taggedText) override {
        lines.push_back(taggedText);
        sequence.push_back(taggedText);
    }
    void dslrLog(const std::string& taggedText) override {
        dslrLines.push_back(taggedText);
        sequence.push_back("dslr:" + taggedText);
    }
    void elog(const std::string& taggedText) override {
        errorLines.push_back(taggedText);
        sequence.push_back("error:" + taggedText);
    }

    bool dslrContains(const std::string& text) const {
        return std::any_of(dslrLines.begin(), dslrLines.end(), [&](const std::string& line) {
            return line.find(text) != std::string::npos;
        });
    }

    std::vector<std::string> lines;      // log()
    std::vector<std::string> dslrLines;  // dslrLog()
    std::vector<std::string> errorLines; // elog()
    // Everything in order; camera traffic marked "dslr:", errors "error:".
    std::vector<std::string> sequence;
};
