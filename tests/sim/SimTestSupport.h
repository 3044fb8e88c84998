#pragma once
// Drives the simulated module through its C entry point the way the program
// does: vendor records it owns, completions counted, idle calls to pump.
#include "SimControl.h"
#include "camera/CameraTypes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

extern "C" int32_t ModuleEntryPoint(orv::VendorObject*, uint32_t, uint32_t, uint32_t, intptr_t,
                                    orv::CompletionProcFn, intptr_t);

namespace simtest {

struct Completion {
    int calls = 0;
    int32_t result = 0;
};

struct Event {
    uint32_t event = 0;
    uintptr_t data = 0;
};

inline void onCompletion(orv::VendorObject*, uint32_t, uint32_t, uint32_t, intptr_t,
                         intptr_t reference, int32_t result) {
    auto* c = reinterpret_cast<Completion*>(reference);
    ++c->calls;
    c->result = result;
}

inline void onEvent(intptr_t reference, uint32_t event, uintptr_t data) {
    reinterpret_cast<std::vector<Event>*>(reference)->push_back({event, data});
}

inline int32_t call(orv::VendorObject* object, uint32_t command, uint32_t param, uint32_t dataType,
                    intptr_t data, Completion* completion = nullptr) {
    return ModuleEntryPoint(object, command, param, dataType, data,
                            completion != nullptr ? &onCompletion : nullptr,
                            reinterpret_cast<intptr_t>(completion));
}

inline int32_t idle(orv::VendorObject* object) {
    return call(object, orv::kCmdIdle, 0, 0, 0);
}

// A request with completion followed by idle calls until it completed.
inline int32_t request(orv::VendorObject* object, uint32_t command, uint32_t param,
                       uint32_t dataType, intptr_t data) {
    Completion c;
    const int32_t result = call(object, command, param, dataType, data, &c);
    for (int i = 0; i < 10 && c.calls == 0; ++i) {
        idle(object);
    }
    EXPECT_EQ(c.calls, 1);
    return result;
}

template <typename T> intptr_t addr(T* p) {
    return reinterpret_cast<intptr_t>(p);
}

// Fresh world with an open module; closes what it opened at the end.
class SimFixture : public ::testing::Test {
protected:
    void SetUp() override {
        vsim::SimControl::reset();
        ASSERT_EQ(call(nullptr, orv::kCmdOpen, 0, orv::kDtObject, addr(&m_module)), 0);
    }
    void TearDown() override {
        call(&m_module, orv::kCmdClose, 0, 0, 0);
        vsim::SimControl::reset();
    }

    orv::VendorObject* openSource(int camera) {
        m_sources.push_back(std::make_unique<orv::VendorObject>());
        orv::VendorObject* source = m_sources.back().get();
        std::memset(source, 0, sizeof *source);
        EXPECT_EQ(call(&m_module, orv::kCmdOpen, vsim::SimControl::sourceId(camera), orv::kDtObject,
                       addr(source)),
                  0);
        return source;
    }

    void installEvents(orv::VendorObject* object, std::vector<Event>* events) {
        const orv::CallbackPair pair{reinterpret_cast<uintptr_t>(&onEvent), addr(events)};
        ASSERT_EQ(request(object, orv::kCmdSet, orv::kCapEventProc, orv::kDtCallback, addr(&pair)),
                  0);
    }

    orv::VendorObject m_module{};
    std::vector<std::unique_ptr<orv::VendorObject>> m_sources;
};

} // namespace simtest
