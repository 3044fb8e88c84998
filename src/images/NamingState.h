#pragma once
// The naming state of received files for the whole run: the directory and
// prefix in force, the running number, the tag of the item named last, the
// number shown, and whether a file arrived since the indicators were
// refreshed. One object, shared by the window and the transfer.
#include <cstdint>
#include <string>

class NamingState {
public:
    static constexpr const char* kDefaultPrefix = "Image_";

    // Always ends with "/" (an empty text is refused: the directory in force stays).
    const std::string& CurImgDir() const { return m_dir; }
    bool setCurImgDir(const std::string& directory);
    const std::string& CurImgPrefix() const { return m_prefix; }
    // "/" and NUL are taken out: the prefix is glued into a path.
    void setCurImgPrefix(const std::string& prefix);

    int64_t ImageCounter() const { return m_imageCounter; }
    void setImageCounter(int64_t number) { m_imageCounter = number; }
    int64_t ActImgNo() const { return m_actImgNo; }
    void setActImgNo(int64_t number) { m_actImgNo = number; }
    const std::string& LastItemTag() const { return m_lastItemTag; }
    // A new connection starts counting items afresh.
    void clearLastItemTag() { m_lastItemTag.clear(); }

    // The scan of the directory in force: ImageCounter := the last number.
    int64_t getLastImg();

    // Before an item's data is fetched: a tag other than the last one takes
    // the next number. Returns the item's number.
    int64_t numberItem(const std::string& tag);
    // The item's files could not take its number (names in use): it moves
    // to `number`, and the running number follows.
    void renumberItem(int64_t number) { m_imageCounter = number; }
    // A file named with `number` has been written.
    void fileWritten(int64_t number);

    bool NewFileFlag() const { return m_newFile; }
    // True when it was set.
    bool takeNewFileFlag();

private:
    std::string m_dir;
    std::string m_prefix = kDefaultPrefix;
    int64_t m_imageCounter = 0;
    int64_t m_actImgNo = 0;
    std::string m_lastItemTag;
    bool m_newFile = false;
};
