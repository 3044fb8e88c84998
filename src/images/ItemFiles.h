#pragma once
// The files of one camera item as they arrive: each streamed into the image
// directory through the received-file writer and named by the naming rule,
// all under the item's number. A name already in use is never replaced: the
// item moves on to the first number free for all its names, and the running
// number follows. Errors are collected, not logged: the transfer decides
// whether the user has heard of this item already.
#include "camera/ItemData.h"
#include "images/ReceivedFile.h"
#include "images/ReceivedFileWriter.h"

#include <cstdint>
#include <string>
#include <vector>

class FileSystem;
class LogSink;
class NamingState;

class ItemFiles : public ItemDataSink {
public:
    ItemFiles(NamingState& naming, FileSystem& fileSystem, LogSink& log, int64_t number);

    // What an earlier try of the item left on disk: its number and the files
    // written under it, each with how the camera announced it.
    struct Progress {
        int64_t number = 0;
        std::vector<FileStart> starts;
        std::vector<ReceivedFile> files;
    };
    Progress progress() const { return {m_number, m_writtenStarts, m_written}; }
    // Another try of an item kept after `earlier`: the files written then are
    // passed over when the camera sends them again, and the item keeps its
    // number, so no file of it is written twice.
    void resume(const Progress& earlier);

    bool beginFile(const FileStart& start) override;
    bool appendFile(const uint8_t* data, std::size_t size) override;
    bool endFile() override;
    void dropFile() override;
    void fileOnDisk(const std::string& name) override;
    void refused(const std::string& reason) override;

    int64_t number() const { return m_number; }
    // A file could not be written: worth another try later.
    const std::string& writeError() const { return m_writeError; }
    // The camera's data broke the rules: another try brings the same.
    const std::string& dataError() const { return m_dataError; }
    // Every file written under its final name, in order, each with the
    // number in its name (a clash may move the later files on).
    const std::vector<ReceivedFile>& writtenFiles() const { return m_written; }

private:
    // The number the item's files take: its own, or the first free one when
    // a name of the item is in use already.
    void settleNumber(const std::string& stem);
    bool finishUnderFreeName(const std::string& stem, const std::string& extension);
    void nextNumberAfterClash(const std::string& stem);
    // True (and the file taken off the list) when it was written on an earlier try.
    bool writtenBefore(const FileStart& start);

    NamingState& m_naming;
    LogSink& m_log;
    ReceivedFileWriter m_writer;
    int64_t m_number;
    bool m_numberSettled = false;
    FileStart m_current;
    std::string m_writeError;
    std::string m_dataError;
    std::vector<ReceivedFile> m_written;
    std::vector<FileStart> m_writtenStarts;
    std::vector<FileStart> m_toPassOver; // written on an earlier try, not sent again yet
    bool m_passingOver = false;          // the file under way was written before
};

// Every extension a received file can get, so that a free number is free
// for all names an item may bring.
const std::vector<std::string>& receivedExtensions();

// ".raw" for raw rows, else the file type's extension.
std::string extensionOf(const ItemDataSink::FileStart& file);

// Prefix for images, "Thumb" for thumbnails, "Unknown" for anything else.
std::string stemForKind(uint32_t kind, const std::string& prefix);
