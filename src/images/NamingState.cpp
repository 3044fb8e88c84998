#include "images/NamingState.h"

#include "images/ImageNaming.h"

bool NamingState::setCurImgDir(const std::string& directory) {
    if (directory.empty()) {
        return false;
    }
    m_dir = naming::withTrailingSeparator(directory);
    return true;
}

void NamingState::setCurImgPrefix(const std::string& prefix) {
    m_prefix = naming::cleanPrefix(prefix);
}

int64_t NamingState::getLastImg() {
    m_imageCounter = naming::getLastImg(m_dir, m_prefix);
    return m_imageCounter;
}

int64_t NamingState::numberItem(const std::string& tag) {
    if (tag != m_lastItemTag) {
        ++m_imageCounter;
        m_lastItemTag = tag;
    }
    return m_imageCounter;
}

void NamingState::fileWritten(int64_t number) {
    m_actImgNo = number;
    m_newFile = true;
}

bool NamingState::takeNewFileFlag() {
    const bool was = m_newFile;
    m_newFile = false;
    return was;
}
