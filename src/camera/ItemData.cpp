#include "camera/ItemData.h"

#include "camera/CameraTypes.h"

#include <cstring>

using namespace orv;

DataReceiver::~DataReceiver() {
    detach();
}

int32_t DataReceiver::DataProc(intptr_t reference, const void* info, const void* data) {
    auto* receiver = reinterpret_cast<DataReceiver*>(reference);
    return receiver ? receiver->take(info, data) : kResultOutOfMemory;
}

void DataReceiver::detach() {
    if (m_sink && m_fileOpen) {
        m_sink->dropFile();
    }
    m_fileOpen = false;
    m_sink = nullptr;
}

int32_t DataReceiver::take(const void* info, const void* data) {
    if (!m_sink || m_failed) {
        return kResultOutOfMemory;
    }
    if (!info) {
        return refuse("a data record without information");
    }
    ++m_chunks;
    uint32_t kind = 0;
    std::memcpy(&kind, info, sizeof kind);
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (kind & kKindFile) {
        return takeFileData(info, bytes);
    }
    if (kind & kKindImage) {
        return takeRawData(info, bytes);
    }
    return 0;
}

int32_t DataReceiver::takeFileData(const void* info, const uint8_t* data) {
    FileDataInfo record{};
    std::memcpy(&record, info, sizeof record);
    if (record.fileOnDisk) {
        if (!data) {
            return refuse("a file-on-card record without its name");
        }
        const auto* text = reinterpret_cast<const char*>(data);
        m_sink->fileOnDisk(std::string(text, strnlen(text, kFileNameBytes)));
        return 0;
    }
    const ItemDataSink::FileStart start{record.kind, record.fileType, false, record.totalLength};
    return takeChunk(start, data, record.chunkLength, record.removeObject != 0);
}

int32_t DataReceiver::takeRawData(const void* info, const uint8_t* data) {
    RawDataInfo record{};
    std::memcpy(&record, info, sizeof record);
    // 64-bit products: rows times row length must not wrap into a small buffer.
    const uint64_t total = uint64_t{record.bytesPerRow} * record.totalHeight;
    const uint64_t chunk = uint64_t{record.bytesPerRow} * record.rowsInChunk;
    const ItemDataSink::FileStart start{record.kind, 0, true, total};
    return takeChunk(start, data, chunk, record.removeObject != 0);
}

int32_t DataReceiver::takeChunk(const ItemDataSink::FileStart& start, const uint8_t* data,
                                uint64_t size, bool removable) {
    if (!m_fileOpen) {
        if (start.totalBytes == 0) {
            return refuse("a file of 0 bytes announced");
        }
        if (start.totalBytes > kMaxFileBytes) {
            return refuse("a file of " + std::to_string(start.totalBytes) + " bytes announced");
        }
        if (!m_sink->beginFile(start)) {
            m_failed = true;
            return kResultOutOfMemory;
        }
        m_fileOpen = true;
        m_received = 0;
        m_total = start.totalBytes;
    }
    if (size > m_total - m_received) {
        return refuse("a chunk of " + std::to_string(size) + " bytes where " +
                      std::to_string(m_total - m_received) + " were left of " +
                      std::to_string(m_total));
    }
    if (size > 0 && !data) {
        return refuse("a chunk without its data");
    }
    if (size > 0 && !m_sink->appendFile(data, static_cast<std::size_t>(size))) {
        m_failed = true;
        m_sink->dropFile();
        m_fileOpen = false;
        return kResultOutOfMemory;
    }
    m_received += size;
    if (m_received < m_total) {
        return 0;
    }
    m_fileOpen = false;
    if (!m_sink->endFile()) {
        m_failed = true;
        return kResultOutOfMemory;
    }
    if (removable && (start.kind & kKindImage)) {
        m_transferDone = true;
    }
    return 0;
}

int32_t DataReceiver::refuse(const std::string& reason) {
    m_failed = true;
    if (m_fileOpen) {
        m_sink->dropFile();
        m_fileOpen = false;
    }
    m_sink->refused(reason);
    return kResultOutOfMemory;
}
