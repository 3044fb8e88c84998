#include "connection/InfoRowLayout.h"

#include "camera/CameraTypes.h"

#include <algorithm>

namespace inforows {

namespace {

constexpr int kRowPitch = 24;
constexpr int kFirstRowTop = 16;
constexpr int kLabelLeft = 8;
constexpr int kEditOffset = 144;
constexpr int kEditWidth = 166;
constexpr int kEditHeight = 21;
constexpr int kBoxWidth = 17;
constexpr int kBoxOffset = 19;
constexpr int kLabelHeight = 17;
constexpr int kGroupFrame = 45;
constexpr int kSaveButtonGap = 29;
constexpr int kPlainMaxLength = 40;

constexpr int kLensPitch = 25;
constexpr int kComboHeight = 21;
constexpr int kFocalLeft = 28;
constexpr int kFocalWidth = 68;
constexpr int kApertureWidth = 52;

} // namespace

TextRowPlace textRowPlace(int row) {
    const int top = kFirstRowTop + kRowPitch * row;
    const int editLeft = kLabelLeft + kEditOffset;
    const int editTop = top - 3;
    const int boxLeft = editLeft - kBoxOffset;
    return {QRect(kLabelLeft, top, boxLeft - kLabelLeft - 1, kLabelHeight),
            QRect(editLeft, editTop, kEditWidth, kEditHeight),
            QRect(boxLeft, editTop + 2, kBoxWidth, kBoxWidth)};
}

int textsGroupHeight(int rows) {
    return kRowPitch * rows + kGroupFrame;
}

int saveButtonTop(int groupHeight) {
    return groupHeight - kSaveButtonGap;
}

bool isNameArray(uint32_t capId) {
    return capId == orv::kCapShootingBankName || capId == orv::kCapWbPresetName ||
           capId == orv::kCapCustomBankName;
}

QString elementSuffix(uint32_t capId, uint32_t element) {
    const char first = capId == orv::kCapWbPresetName ? '1' : 'A';
    return QStringLiteral(" ") + QChar(first + static_cast<char>(element));
}

std::string trimBlanks(std::string_view text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && blank(text[begin])) {
        ++begin;
    }
    while (end > begin && blank(text[end - 1])) {
        --end;
    }
    return std::string(text.substr(begin, end - begin));
}

RowText rowText(const std::string& value) {
    const std::string trimmed = trimBlanks(value);
    RowText row{QString::fromStdString(trimmed), kPlainMaxLength};
    if (trimmed.size() != value.size()) {
        // A padded camera field keeps its width.
        row.maxLength = static_cast<int>(QString::fromStdString(value).size());
    }
    row.maxLength = std::max(row.maxLength, static_cast<int>(row.shown.size()));
    return row;
}

LensRowPlace lensRowPlace(int lens) {
    const int top = kLensPitch * lens + 16;
    const int apertureLeft = kFocalLeft + kFocalWidth + 5;
    const int radioLeft = apertureLeft + kApertureWidth + 6;
    return {QRect(12, kLensPitch * lens + 20, kFocalLeft - 12, 13),
            QRect(kFocalLeft, top, kFocalWidth, kComboHeight),
            QRect(apertureLeft, top, kApertureWidth, kComboHeight),
            QRect(radioLeft, kLensPitch * lens + 18, kBoxWidth, kBoxWidth)};
}

uint32_t lensNumberToKeep(const std::vector<bool>& checked) {
    uint32_t keep = 0;
    for (size_t i = 0; i < checked.size(); ++i) {
        if (checked[i]) {
            keep = static_cast<uint32_t>(i);
        }
    }
    return keep;
}

} // namespace inforows
