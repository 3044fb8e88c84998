#pragma once
// What the main window needs from outside: handed in by the program's entry
// (or a test) when the window is built.
#include "app/window/CamPictures.h"

struct WindowServices {
    // Serial number and firmware of an attached camera; may be empty, then
    // the identity texts stay empty.
    CameraIdentityReader identityReader;
};
