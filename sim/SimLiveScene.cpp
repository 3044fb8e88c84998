#include "SimLiveScene.h"

#include "SimLiveState.h"

#include <turbojpeg.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

namespace vsim {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr int kQuality = 80;
// How far the scene drifts around its place over one loop, in sensor units.
constexpr double kDriftX = 160.0;
constexpr double kDriftY = 110.0;
constexpr double kGrain = 20.0; // side of a grain cell, in sensor units

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

constexpr Rgb kInk{20, 24, 40};
constexpr Rgb kPaper{236, 234, 226};

// A rectangle of the scene, in sensor units.
struct Box {
    double left, top, right, bottom;
    bool contains(double x, double y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
};

constexpr double kStarX = 3000.0;
constexpr double kStarY = 1900.0;
constexpr double kStarRadius = 1000.0;
constexpr int kStarSpokes = 72; // black and white wedges together
constexpr Box kStripes{350, 400, 1950, 1700};
constexpr Box kText{4050, 400, 5650, 1700};
constexpr Box kChequer{350, 2350, 1950, 3650};
constexpr Box kBars{4050, 2350, 5650, 3650};
// A sun in the sky above the star: the scene's only blown-out highlight.
constexpr double kSunX = 3000.0;
constexpr double kSunY = 450.0;
constexpr double kSunRadius = 220.0;

// Well-mixed bits for a cell, so the grain and the text show no pattern.
uint32_t hash(uint32_t a, uint32_t b, uint32_t c = 0) {
    uint32_t h = a * 0x9E3779B1u + b * 0x85EBCA77u + c * 0xC2B2AE3Du + 0x27D4EB2Fu;
    for (int round = 0; round < 2; ++round) {
        h ^= h >> 16;
        h *= 0x85EBCA6Bu;
        h ^= h >> 13;
        h *= 0xC2B2AE35u;
        h ^= h >> 16;
    }
    return h;
}

int32_t cell(double v, double size) {
    return static_cast<int32_t>(std::floor(v / size));
}

// Four bands of bars, each half as wide as the one above.
Rgb stripes(double x, double y) {
    const double band = (kStripes.bottom - kStripes.top) / 4.0;
    const int row = std::min(3, static_cast<int>((y - kStripes.top) / band));
    if (y - kStripes.top - row * band > band - 30.0) {
        return kPaper; // the gap below a band
    }
    const double period = 96.0 / (1 << row);
    return (cell(x - kStripes.left, period / 2.0) & 1) != 0 ? kInk : kPaper;
}

// Lines of characters, each character a 3x5 pattern of strokes, with blanks
// between the words.
Rgb text(double x, double y) {
    constexpr double kLine = 100.0;
    constexpr double kGlyphHeight = 60.0;
    constexpr double kCharWidth = 40.0;
    const double inLine = y - kText.top - 20.0;
    const int32_t line = cell(inLine, kLine);
    const double v = inLine - line * kLine;
    const double u = x - kText.left - 40.0;
    const int32_t column = cell(u, kCharWidth);
    if (inLine < 0 || v >= kGlyphHeight || u < 0 || u >= kText.right - kText.left - 80.0) {
        return kPaper;
    }
    const auto l = static_cast<uint32_t>(line);
    const auto c = static_cast<uint32_t>(column);
    const double inChar = u - column * kCharWidth;
    if (inChar >= 36.0 || hash(l, c) % 6 == 0) {
        return kPaper; // spacing, or a blank between words
    }
    const auto sub = static_cast<uint32_t>(cell(inChar, 12.0) + 3 * cell(v, 12.0));
    return (hash(l, c, sub + 1) & 3) != 0 ? kInk : kPaper;
}

Rgb chequer(double x, double y) {
    return ((cell(x - kChequer.left, 100.0) + cell(y - kChequer.top, 100.0)) & 1) != 0
               ? Rgb{30, 30, 30}
               : Rgb{225, 225, 225};
}

// Colour bars crossed by fine dark hairlines.
Rgb bars(double x, double y) {
    static constexpr std::array<Rgb, 8> kColours = {
        Rgb{235, 235, 235}, Rgb{235, 220, 40}, Rgb{40, 210, 220}, Rgb{40, 200, 60},
        Rgb{210, 50, 200},  Rgb{220, 40, 40},  Rgb{40, 60, 220},  Rgb{25, 25, 25}};
    if (std::fmod(y - kBars.top, 80.0) < 6.0) {
        return Rgb{10, 10, 10};
    }
    const auto bar = static_cast<size_t>((x - kBars.left) / ((kBars.right - kBars.left) / 8.0));
    return kColours[std::min<size_t>(bar, 7)];
}

// Sky above, ground below, with a fine grain that shows the focus
// everywhere; the grain cells of the sample come with it.
Rgb background(double y, uint32_t grainX, uint32_t grainY) {
    const double t = std::clamp(y / kSensorHeight, 0.0, 1.0);
    const auto grain = static_cast<int>(hash(grainX, grainY) % 41) - 20;
    const auto mix = [&](double top, double bottom) {
        return static_cast<uint8_t>(std::clamp(top + (bottom - top) * t + grain, 0.0, 255.0));
    };
    return {mix(120, 95), mix(160, 115), mix(210, 70)};
}

// The wedges alternate with the sign of sin(kStarSpokes / 2 * angle), which
// is the sign of the imaginary part of (dx + i dy) to that power: no atan2
// per sample.
Rgb star(double dx, double dy) {
    static_assert(kStarSpokes / 2 == 36);
    const auto square = [](double& re, double& im) {
        const double r = re * re - im * im;
        im = 2.0 * re * im;
        re = r;
    };
    double re = dx / kStarRadius;
    double im = dy / kStarRadius;
    square(re, im); // ^2
    square(re, im); // ^4
    const double re4 = re;
    const double im4 = im;
    square(re, im); // ^8
    square(re, im); // ^16
    square(re, im); // ^32
    const double im36 = re * im4 + im * re4;
    return im36 > 0 ? Rgb{15, 15, 15} : Rgb{240, 240, 240};
}

// One sample of the scene at (x, y), with the grain cells of x and y.
Rgb sceneAt(double x, double y, uint32_t grainX, uint32_t grainY) {
    const double dx = x - kStarX;
    const double dy = y - kStarY;
    if (dx * dx + dy * dy < kStarRadius * kStarRadius) {
        return star(dx, dy);
    }
    const double sx = x - kSunX;
    const double sy = y - kSunY;
    if (sx * sx + sy * sy < kSunRadius * kSunRadius) {
        return Rgb{255, 255, 255};
    }
    if (kStripes.contains(x, y)) {
        return stripes(x, y);
    }
    if (kText.contains(x, y)) {
        return text(x, y);
    }
    if (kChequer.contains(x, y)) {
        return chequer(x, y);
    }
    if (kBars.contains(x, y)) {
        return bars(x, y);
    }
    return background(y, grainX, grainY);
}

// Division by the window of a box blur, as a multiplication (sums stay below
// 2^15 for the radii used; a result may come out one too high, which a blur
// never shows).
class Mean {
public:
    explicit Mean(int radius) : m_factor(65536u / static_cast<uint32_t>(2 * radius + 1) + 1) {}
    uint8_t operator()(uint32_t sum) const {
        return static_cast<uint8_t>(std::min<uint32_t>((sum * m_factor) >> 16, 255));
    }

private:
    uint32_t m_factor;
};

class Picture {
public:
    explicit Picture(const SimFrameKey& key)
        : m_key(key), m_width(static_cast<int>(key.width)), m_height(static_cast<int>(key.height)),
          m_pixels(static_cast<size_t>(m_width) * m_height * 3),
          m_unitsPerPixel(static_cast<double>(key.shown.width) / m_width),
          m_left(key.shown.cx - key.shown.width / 2.0),
          m_top(key.shown.cy - m_unitsPerPixel * m_height / 2.0) {}

    void paintScene() {
        const double angle = kTwoPi * key().phase / kScenePhases;
        const double driftX = kDriftX * std::cos(angle);
        const double driftY = kDriftY * std::sin(angle);
        std::vector<double> xs(static_cast<size_t>(m_width));
        std::vector<uint32_t> grainXs(xs.size());
        for (size_t x = 0; x < xs.size(); ++x) {
            xs[x] = sensorX(static_cast<double>(x) + 0.5) - driftX;
            grainXs[x] = static_cast<uint32_t>(cell(xs[x], kGrain));
        }
        uint8_t* p = m_pixels.data();
        for (int y = 0; y < m_height; ++y) {
            const double sy = sensorY(y + 0.5) - driftY;
            const auto grainY = static_cast<uint32_t>(cell(sy, kGrain));
            for (size_t x = 0; x < xs.size(); ++x) {
                const Rgb c = sceneAt(xs[x], sy, grainXs[x], grainY);
                *p++ = c.r;
                *p++ = c.g;
                *p++ = c.b;
            }
        }
    }

    void paintFaces() {
        for (const SimArea& face : facesAt(key().phase, key().faces)) {
            paintFace(face);
        }
    }

    // Two passes of a box blur: a smooth, bell-shaped spread of each point.
    void blur() {
        const int r = static_cast<int>(key().blur);
        if (r <= 0) {
            return;
        }
        for (int pass = 0; pass < 2; ++pass) {
            blurRows(r);
            blurColumns(r);
        }
    }

    std::vector<uint8_t> encode() const {
        struct CompressorDeleter {
            void operator()(void* handle) const { tjDestroy(handle); }
        };
        struct BufferDeleter {
            void operator()(unsigned char* buffer) const { tjFree(buffer); }
        };
        const std::unique_ptr<void, CompressorDeleter> compressor(tjInitCompress());
        if (!compressor) {
            return {};
        }
        unsigned char* raw = nullptr;
        unsigned long size = 0;
        const int failed = tjCompress2(compressor.get(), m_pixels.data(), m_width, 0, m_height,
                                       TJPF_RGB, &raw, &size, TJSAMP_420, kQuality, 0);
        const std::unique_ptr<unsigned char, BufferDeleter> buffer(raw);
        if (failed != 0 || !buffer) {
            return {};
        }
        return std::vector<uint8_t>(buffer.get(), buffer.get() + size);
    }

private:
    const SimFrameKey& key() const { return m_key; }
    double sensorX(double px) const { return m_left + px * m_unitsPerPixel; }
    double sensorY(double py) const { return m_top + py * m_unitsPerPixel; }
    uint8_t* pixel(int x, int y) {
        return m_pixels.data() + (static_cast<size_t>(y) * m_width + x) * 3;
    }

    // A skin-toned oval with hair, two eyes and a mouth.
    void paintFace(const SimArea& face) {
        const double halfW = face.width / 2.0 / m_unitsPerPixel;
        const double halfH = face.height / 2.0 / m_unitsPerPixel;
        const double cx = (face.cx - m_left) / m_unitsPerPixel;
        const double cy = (face.cy - m_top) / m_unitsPerPixel;
        if (halfW < 1.0 || halfH < 1.0) {
            return;
        }
        const int left = std::max(0, static_cast<int>(cx - halfW));
        const int right = std::min(m_width, static_cast<int>(cx + halfW) + 1);
        const int top = std::max(0, static_cast<int>(cy - halfH));
        const int bottom = std::min(m_height, static_cast<int>(cy + halfH) + 1);
        for (int y = top; y < bottom; ++y) {
            const double v = (y + 0.5 - cy) / halfH;
            for (int x = left; x < right; ++x) {
                const double u = (x + 0.5 - cx) / halfW;
                if (u * u + v * v > 1.0) {
                    continue;
                }
                Rgb c{226, 184, 150};
                const double eyeY = (v + 0.15) * (v + 0.15);
                const double eye =
                    std::min((u - 0.35) * (u - 0.35), (u + 0.35) * (u + 0.35)) + eyeY;
                if (v < -0.55) {
                    c = {70, 45, 30}; // hair
                } else if (eye < 0.13 * 0.13) {
                    c = {30, 25, 25};
                } else if (v > 0.38 && v < 0.5 && std::abs(u) < 0.35) {
                    c = {150, 50, 50}; // mouth
                }
                uint8_t* p = pixel(x, y);
                p[0] = c.r;
                p[1] = c.g;
                p[2] = c.b;
            }
        }
    }

    // Each sample becomes the mean of the 2r+1 samples around it in its row,
    // the edge repeated beyond the picture.
    void blurRows(int r) {
        const Mean mean(r);
        const auto width = static_cast<size_t>(m_width);
        const auto pad = static_cast<size_t>(r) + 1;
        // The row with its edge pixels repeated r + 1 times on either side.
        std::vector<uint8_t> row((width + 2 * pad) * 3);
        for (int y = 0; y < m_height; ++y) {
            uint8_t* out = pixel(0, y);
            for (size_t i = 0; i < pad; ++i) {
                std::copy_n(out, 3, row.data() + i * 3);
                std::copy_n(out + (width - 1) * 3, 3, row.data() + (pad + width + i) * 3);
            }
            std::copy_n(out, width * 3, row.data() + pad * 3);
            std::array<uint32_t, 3> sums{};
            for (size_t i = 1; i < 2 * pad; ++i) { // samples -r .. r around pixel 0
                for (size_t c = 0; c < 3; ++c) {
                    sums[c] += row[i * 3 + c];
                }
            }
            const uint8_t* enter = row.data() + 2 * pad * 3;
            const uint8_t* leave = row.data() + 3;
            for (size_t i = 0; i < width * 3; i += 3) {
                for (size_t c = 0; c < 3; ++c) {
                    out[i + c] = mean(sums[c]);
                    sums[c] += enter[i + c];
                    sums[c] -= leave[i + c];
                }
            }
        }
    }

    // The same down the columns, a row at a time so memory is read in order.
    void blurColumns(int r) {
        const Mean mean(r);
        const size_t stride = static_cast<size_t>(m_width) * 3;
        const std::vector<uint8_t> source = m_pixels;
        const auto row = [&](int y) {
            return source.data() + static_cast<size_t>(std::clamp(y, 0, m_height - 1)) * stride;
        };
        std::vector<uint32_t> sums(stride, 0);
        for (int y = -r; y <= r; ++y) {
            const uint8_t* in = row(y);
            for (size_t i = 0; i < stride; ++i) {
                sums[i] += in[i];
            }
        }
        for (int y = 0; y < m_height; ++y) {
            uint8_t* out = pixel(0, y);
            const uint8_t* enter = row(y + r + 1);
            const uint8_t* leave = row(y - r);
            for (size_t i = 0; i < stride; ++i) {
                out[i] = mean(sums[i]);
                sums[i] += enter[i];
                sums[i] -= leave[i];
            }
        }
    }

    SimFrameKey m_key;
    int m_width;
    int m_height;
    std::vector<uint8_t> m_pixels;
    double m_unitsPerPixel;
    double m_left;
    double m_top;
};

} // namespace

std::vector<uint8_t> encodeLiveFrame(const SimFrameKey& key) {
    if (key.width == 0 || key.height == 0 || key.shown.width <= 0) {
        return {};
    }
    Picture picture(key);
    picture.paintScene();
    picture.paintFaces();
    picture.blur();
    return picture.encode();
}

} // namespace vsim
