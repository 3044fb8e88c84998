#include "images/JpegPicture.h"

#include <turbojpeg.h>

#include <algorithm>
#include <fstream>
#include <vector>

namespace jpeg {
namespace {

std::string lastError(void* handle) {
    return tjGetErrorStr2(handle);
}

} // namespace

Scale coveringScale(QSize picture, QSize area) {
    if (area.isEmpty() || picture.isEmpty()) {
        return {};
    }
    // The fitted picture is as large as the tighter of the two ratios allows.
    const double needed = std::min(static_cast<double>(area.width()) / picture.width(),
                                   static_cast<double>(area.height()) / picture.height());
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    Scale best;
    double bestValue = 1.0;
    for (int i = 0; i < count; ++i) {
        const double value = static_cast<double>(factors[i].num) / factors[i].denom;
        if (value <= 1.0 && value >= needed && value < bestValue) {
            best = {factors[i].num, factors[i].denom};
            bestValue = value;
        }
    }
    return best;
}

JpegDecoder::JpegDecoder() : m_handle(tjInitDecompress()) {}

JpegDecoder::~JpegDecoder() {
    if (m_handle) {
        tjDestroy(m_handle);
    }
}

Picture JpegDecoder::decode(const uint8_t* data, std::size_t size, QSize area) {
    Picture picture;
    if (!m_handle) {
        picture.error = "the JPEG decoder could not be created";
        return picture;
    }
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colorspace = 0;
    if (tjDecompressHeader3(m_handle, data, static_cast<unsigned long>(size), &width, &height,
                            &subsampling, &colorspace) != 0) {
        picture.error = lastError(m_handle);
        return picture;
    }
    picture.fullSize = QSize(width, height);
    const Scale scale = coveringScale(picture.fullSize, area);
    const tjscalingfactor factor{scale.num, scale.denom};
    QImage image(TJSCALED(width, factor), TJSCALED(height, factor), QImage::Format_RGB32);
    if (image.isNull()) {
        picture.error = "not enough memory for the picture";
        return picture;
    }
    if (tjDecompress2(m_handle, data, static_cast<unsigned long>(size), image.bits(), image.width(),
                      static_cast<int>(image.bytesPerLine()), image.height(), TJPF_BGRX,
                      TJFLAG_FASTDCT) != 0 &&
        tjGetErrorCode(m_handle) == TJERR_FATAL) {
        picture.error = lastError(m_handle);
        return picture;
    }
    picture.image = std::move(image);
    return picture;
}

Picture JpegDecoder::decodeFile(const std::string& path, QSize area) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff length = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    std::vector<uint8_t> bytes(static_cast<std::size_t>(std::max<std::streamoff>(length, 0)));
    file.seekg(0);
    if (length < 0 || !file.read(reinterpret_cast<char*>(bytes.data()), length)) {
        Picture picture;
        picture.error = "the file cannot be read";
        return picture;
    }
    return decode(bytes.data(), bytes.size(), area);
}

} // namespace jpeg
