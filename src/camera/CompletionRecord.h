#pragma once
// Bookkeeping of one asynchronous module request.
#include "camera/RequestBlock.h"

#include <cstdint>
#include <memory>
#include <vector>

class CameraLink;

// Something a request hands to the module besides its data (the receiver of
// an acquire); it lives exactly as long as the request's record.
class CompletionExtra {
public:
    virtual ~CompletionExtra() = default;
};

// One outstanding request. The counter lives here, not in the requester's
// frame: a requester that stops waiting marks the record abandoned and the
// record, its data blocks and its extra stay valid until the module calls
// back (or the module is unloaded), so a late completion never writes into
// freed memory.
struct CompletionRecord {
    CameraLink* link = nullptr;
    uint32_t counter = 0;
    int32_t result = 0; // as reported by the completion procedure
    bool abandoned = false;
    RequestBlock block;            // the data handed over by address
    std::vector<uint8_t> contents; // memory the block points into (enum/array contents)
    std::unique_ptr<CompletionExtra> extra;
};
