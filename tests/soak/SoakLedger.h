#pragma once
// The checks at the end of the shoot: every file the simulated cameras
// produced is in the folder exactly once with its bytes, or still on the
// camera's card with the reason in the log; no file planted in the folder
// changed; no temporary file and no file that no camera produced (a half
// file under a final name) is left; every received file was reported once.
#include "SoakRig.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A file of the folder, by size and checksum.
struct FileDigest {
    uint64_t size = 0;
    uint64_t checksum = 0;
    bool operator<(const FileDigest& other) const {
        return size != other.size ? size < other.size : checksum < other.checksum;
    }
    bool operator==(const FileDigest& other) const = default;
};

// 64-bit FNV-1a of a file's bytes; false when it cannot be read.
bool digestFile(const std::string& path, FileDigest& digest);
FileDigest digestBytes(const std::vector<uint8_t>& bytes);

struct SoakTally {
    int produced = 0;
    int checked = 0;    // in the folder once, with the right bytes
    int leftOnCard = 0; // on the camera's card, the reason in the log
    int lost = 0;       // neither
    int duplicates = 0;
    int strayFiles = 0; // no camera produced them: short or damaged files
    int temporaryFiles = 0;
    int plantedChanged = 0;
    int reportedWrongly = 0; // received-file lines missing, doubled or naming no file
    int partialMovies = 0;   // a movie's first bytes, said to be incomplete, the movie on the card
    std::vector<std::string> problems;

    bool passed() const {
        return lost == 0 && duplicates == 0 && strayFiles == 0 && temporaryFiles == 0 &&
               plantedChanged == 0 && reportedWrongly == 0 && checked + leftOnCard == produced;
    }
};

struct SoakLedgerInput {
    std::string folder;
    std::map<std::string, FileDigest> planted; // by file name
    const SoakSightings* sightings = nullptr;
    int attachedCamera = 0; // still attached: its card can be asked
};

SoakTally checkShoot(const SoakLedgerInput& input);
