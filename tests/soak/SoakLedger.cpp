#include "SoakLedger.h"

#include "SimControl.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

namespace {

constexpr uint64_t kFnvOffset = 0xCBF29CE484222325ull;
constexpr uint64_t kFnvPrime = 0x100000001B3ull;
constexpr uint32_t kTagMask = 0xFFFFFF; // the log names items by their low 24 bits
constexpr uint32_t kMovieData = 4;

void mix(uint64_t& hash, const char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ static_cast<uint8_t>(data[i])) * kFnvPrime;
    }
}

using Names = std::vector<std::string>;

struct Folder {
    std::map<FileDigest, Names> received;
    std::set<std::string> names;
    std::map<std::string, FileDigest> partial; // movies said to be incomplete
};

Folder scanFolder(const SoakLedgerInput& input, SoakTally& tally) {
    Folder folder;
    for (const auto& entry : std::filesystem::directory_iterator(input.folder)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const std::string name = entry.path().filename().string();
        FileDigest digest;
        if (name.rfind(".vantora-", 0) == 0) {
            ++tally.temporaryFiles;
            tally.problems.push_back("temporary file left: " + name);
        } else if (!digestFile(entry.path().string(), digest)) {
            tally.problems.push_back("cannot read " + name);
        } else if (const auto planted = input.planted.find(name); planted != input.planted.end()) {
            if (!(planted->second == digest)) {
                ++tally.plantedChanged;
                tally.problems.push_back("planted file changed: " + name);
            }
        } else {
            if (input.sightings->partialMovies.count(name) > 0) {
                folder.partial[name] = digest;
            } else {
                folder.received[digest].push_back(name);
            }
            folder.names.insert(name);
        }
    }
    return folder;
}

bool stillOnCard(const vsim::ProducedFile& file, const SoakLedgerInput& input) {
    const SoakSightings& seen = *input.sightings;
    const bool held = file.camera == input.attachedCamera
                          ? vsim::SimControl::itemHeld(file.camera, file.itemId)
                          : seen.heldAtUnplug.count({file.camera, file.itemId}) > 0;
    return held && seen.leftOnCamera.count({file.camera, file.itemId & kTagMask}) > 0;
}

std::string describe(const vsim::ProducedFile& file) {
    return "camera " + std::to_string(file.camera) + " item " + std::to_string(file.itemId) +
           " file " + std::to_string(file.fileIndex) + " (" + std::to_string(file.size) + " bytes)";
}

// The files of one digest: as many in the folder as the cameras produced.
// Files with the same bytes cannot be told apart, so the ones missing must
// be matched by as many that are still on a card.
void matchDigest(const std::vector<vsim::ProducedFile>& files, const Names& found,
                 const SoakLedgerInput& input, SoakTally& tally) {
    const int produced = static_cast<int>(files.size());
    const int onDisk = static_cast<int>(found.size());
    tally.checked += std::min(produced, onDisk);
    if (onDisk > produced) {
        tally.duplicates += onDisk - produced;
        tally.problems.push_back("written twice: " + found.front() + " and " + found.back());
    }
    const int missing = std::max(produced - onDisk, 0);
    const int onCard = static_cast<int>(
        std::count_if(files.begin(), files.end(),
                      [&](const vsim::ProducedFile& file) { return stillOnCard(file, input); }));
    tally.leftOnCard += std::min(missing, onCard);
    if (missing > onCard) {
        tally.lost += missing - onCard;
        tally.problems.push_back("lost: " + std::to_string(missing - onCard) + " of " +
                                 describe(files.front()));
    }
}

// The first `size` bytes of a produced movie, when its camera can still be asked.
bool movieStartsWith(const vsim::ProducedFile& movie, const FileDigest& part,
                     const SoakLedgerInput& input) {
    if (movie.dataId != kMovieData || movie.size <= part.size) {
        return false;
    }
    if (movie.camera != input.attachedCamera) {
        return true; // unplugged: its bytes are gone, the size must do
    }
    std::vector<uint8_t> bytes =
        vsim::SimControl::fileBytes(movie.camera, movie.itemId, kMovieData, 0);
    bytes.resize(std::min<std::size_t>(bytes.size(), part.size));
    return digestBytes(bytes) == part;
}

// A movie kept in part is the start of a movie the camera still holds.
void checkPartialMovies(const Folder& folder, const SoakLedgerInput& input, SoakTally& tally) {
    const std::vector<vsim::ProducedFile> produced = vsim::SimControl::productionLog();
    for (const auto& [name, digest] : folder.partial) {
        const bool matches = std::any_of(produced.begin(), produced.end(), [&](const auto& file) {
            return stillOnCard(file, input) && movieStartsWith(file, digest, input);
        });
        if (matches) {
            ++tally.partialMovies;
        } else {
            ++tally.strayFiles;
            tally.problems.push_back("a part of no movie on the card: " + name);
        }
    }
}

// Each file in the folder reported once, and nothing else reported.
void checkReported(const Folder& folder, const SoakSightings& seen, SoakTally& tally) {
    std::set<std::string> reported;
    for (const auto& [path, times] : seen.printed) {
        const std::string name = std::filesystem::path(path).filename().string();
        if (times != 1 || folder.names.count(name) == 0) {
            ++tally.reportedWrongly;
            tally.problems.push_back("reported " + std::to_string(times) + " times: " + path);
        }
        reported.insert(name);
    }
    for (const std::string& name : folder.names) {
        if (reported.count(name) == 0) {
            ++tally.reportedWrongly;
            tally.problems.push_back("received but never reported: " + name);
        }
    }
}

} // namespace

bool digestFile(const std::string& path, FileDigest& digest) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    digest = {0, kFnvOffset};
    std::vector<char> block(1u << 20);
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        mix(digest.checksum, block.data(), got);
        digest.size += got;
    }
    return in.eof();
}

FileDigest digestBytes(const std::vector<uint8_t>& bytes) {
    FileDigest digest{bytes.size(), kFnvOffset};
    mix(digest.checksum, reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return digest;
}

SoakTally checkShoot(const SoakLedgerInput& input) {
    SoakTally tally;
    Folder folder = scanFolder(input, tally);
    std::map<FileDigest, std::vector<vsim::ProducedFile>> produced;
    for (const vsim::ProducedFile& file : vsim::SimControl::productionLog()) {
        produced[{file.size, file.checksum}].push_back(file);
        ++tally.produced;
    }
    for (const auto& [digest, files] : produced) {
        const auto found = folder.received.find(digest);
        matchDigest(files, found == folder.received.end() ? Names{} : found->second, input, tally);
        if (found != folder.received.end()) {
            folder.received.erase(found);
        }
    }
    for (const auto& [digest, names] : folder.received) {
        tally.strayFiles += static_cast<int>(names.size());
        tally.problems.push_back("no camera produced " + names.front() + " (" +
                                 std::to_string(digest.size) + " bytes)");
    }
    checkPartialMovies(folder, input, tally);
    checkReported(folder, *input.sightings, tally);
    return tally;
}
