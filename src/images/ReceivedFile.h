#pragma once
// One received file as a hook sees it. The transfer reports each file it has
// written under its final name; the hook runner hands it to the user's
// command. No Qt: a windowless program builds these alike.
#include <cstdint>
#include <string>

struct ReceivedFile {
    std::string path;   // full path of the file under its final name
    int64_t number = 0; // the running number in its name
    std::string kind;   // lower-case extension without the dot: "jpg", "orw", "tif", "mov", ...
};

// The file at `path` carrying the running number `number`; its kind is the
// extension of the file name, lower-case ("" when the name has none).
ReceivedFile receivedFileAt(const std::string& path, int64_t number);
