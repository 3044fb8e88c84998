#pragma once
// One request to the module as CameraLink::Submit sends it, and its outcome.
#include "camera/CameraTypes.h"
#include "camera/RequestBlock.h"

#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

struct ModuleRequest {
    ModuleRequest(uint32_t command_, uint32_t param_, uint32_t dataType_)
        : command(command_), param(param_), dataType(dataType_) {}

    uint32_t command = orv::kCmdIdle;
    uint32_t param = 0;
    uint32_t dataType = orv::kDtNone;
    // Handed to the module by address when not empty; holds the answer afterwards.
    // Empty afterwards when the request was given up (the record kept it).
    RequestBlock block;
    // Memory the block points into (enum or array contents), kept alive with it.
    std::vector<uint8_t> contents;
    // Passed as the data argument itself when the block is empty.
    intptr_t inlineData = 0;
    // How long to wait for the completion; zero: the link's limit for the
    // command (short for gets and sets, long for starts).
    std::chrono::milliseconds waitLimit{0};
    // When set, the limit counts from the last change of this counter: a
    // transfer may take long as long as its data keeps coming.
    const uint64_t* progress = nullptr;

    template <typename T> void setBlock(const T& value) {
        block.assign(sizeof(T), 0);
        std::memcpy(block.data(), &value, sizeof(T));
    }
    // The block read back as a record; false when the block is too short.
    template <typename T> bool readBlock(T& value) const {
        if (block.size() < sizeof(T)) {
            return false;
        }
        std::memcpy(&value, block.data(), sizeof(T));
        return true;
    }
};

struct RequestOutcome {
    int32_t result = -1;    // immediate result of the entry call
    bool completed = false; // the module called the completion procedure in time
    // What the completion reported; a start accepted at once can still end
    // in failure there.
    int32_t completionResult = 0;

    int8_t byte() const { return orv::resultByte(result); }
    // Completed and the result byte is 0.
    bool ok() const { return completed && byte() == 0; }
    // Completed and the result byte is 0 or 1.
    bool okOrOne() const { return completed && (byte() == 0 || byte() == 1); }
    // Completed, and taken as a start request is (0, 1 or "start pending").
    bool accepted() const { return completed && orv::acceptedResult(result); }
};
