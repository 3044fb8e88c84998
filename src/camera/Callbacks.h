#pragma once
// The procedures the module calls to report what happens in the camera:
// installed as capabilities of every opened object, removed before it is
// closed. Each recovers its CamObject from the reference it was given.
#include <cstdint>

class CameraLink;
class CamObject;

class Callbacks {
public:
    explicit Callbacks(CameraLink& link);

    // Event procedure for every object type, and the user-interface request
    // procedure on the module; each only when settable. False at the first
    // failing set.
    bool InstallCallbacks(CamObject* object);
    // Clears capabilities 2, 3 and (module only) 5 where settable.
    bool RemoveCallbacks(CamObject* object);

    static void ModuleEventProc(intptr_t ref, uint32_t event, uintptr_t data);
    // Hands the event to the link's SourceEventListener.
    static void SourceEventProc(intptr_t ref, uint32_t event, uintptr_t data);
    static void ItemEventProc(intptr_t ref, uint32_t event, uintptr_t data);
    static void DataEventProc(intptr_t ref, uint32_t event, uintptr_t data);
    static uint32_t UiRequestProc(intptr_t ref, const void* request);

private:
    bool installProc(CamObject* object, uint32_t capId, uintptr_t procedure);

    CameraLink& m_link;
};
