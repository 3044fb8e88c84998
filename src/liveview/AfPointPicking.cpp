#include "liveview/AfPointPicking.h"

#include <array>
#include <cstddef>
#include <span>

namespace {

// Inclusive pixel range; empty when `last` < `first`.
struct Span {
    int first = 1;
    int last = 0;

    bool holds(int pixel) const { return pixel >= first && pixel <= last; }
};

constexpr Span kNone{};

// Vertical click ranges of one kind of column, rows +2 (top) to -2.
constexpr int kTopRow = 2;
using RowSpans = std::array<Span, 2 * kTopRow + 1>;

struct HitColumn {
    Span x;
    const RowSpans* rows;
};

constexpr RowSpans k11Inner{{kNone, {5, 13}, {17, 25}, {29, 37}, kNone}};
constexpr RowSpans k11Centre{{kNone, {1, 7}, {17, 25}, {34, 40}, kNone}};
constexpr RowSpans k11Outer{{kNone, kNone, {17, 25}, kNone, kNone}};

constexpr std::array<HitColumn, 5> kColumns11{{
    {{14, 20}, &k11Outer},
    {{28, 34}, &k11Inner},
    {{43, 51}, &k11Centre},
    {{61, 67}, &k11Inner},
    {{75, 81}, &k11Outer},
}};

constexpr RowSpans k39Centre{{{0, 5}, {9, 14}, {18, 23}, {27, 32}, {36, 41}}};
constexpr RowSpans k39Side{{kNone, {7, 12}, {18, 23}, {29, 34}, kNone}};

constexpr std::array<HitColumn, 11> kColumns39{{
    {{4, 9}, &k39Side},
    {{12, 17}, &k39Side},
    {{20, 25}, &k39Side},
    {{28, 33}, &k39Side},
    {{36, 41}, &k39Centre},
    {{44, 49}, &k39Centre},
    {{52, 57}, &k39Centre},
    {{60, 65}, &k39Side},
    {{68, 73}, &k39Side},
    {{76, 81}, &k39Side},
    {{84, 89}, &k39Side},
}};

constexpr RowSpans k51Centre{{{0, 6}, {9, 15}, {18, 24}, {27, 33}, {36, 41}}};
constexpr RowSpans k51Side{{{2, 6}, {10, 14}, {18, 22}, {26, 30}, {34, 38}}};
constexpr RowSpans k51Outer{{kNone, {10, 14}, {18, 22}, {26, 30}, kNone}};

constexpr std::array<HitColumn, 11> kColumns51{{
    {{5, 9}, &k51Outer},
    {{12, 17}, &k51Side},
    {{20, 25}, &k51Side},
    {{28, 33}, &k51Side},
    {{36, 42}, &k51Centre},
    {{45, 51}, &k51Centre},
    {{54, 60}, &k51Centre},
    {{63, 68}, &k51Side},
    {{71, 76}, &k51Side},
    {{79, 84}, &k51Side},
    {{88, 92}, &k51Outer},
}};

std::span<const HitColumn> columnsOf(uint32_t afPointCount) {
    switch (afPointCount) {
    case 11:
        return kColumns11;
    case 39:
        return kColumns39;
    case 51:
        return kColumns51;
    default:
        return {};
    }
}

} // namespace

std::optional<AfCell> AfPointAtPixel(int afPointCount, QPoint pixel) {
    const uint32_t count = afPointCount > 0 ? static_cast<uint32_t>(afPointCount) : 0;
    const std::optional<AfLayout> layout = AfLayout::forPointCount(count);
    const std::span<const HitColumn> columns = columnsOf(count);
    if (!layout) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!columns[i].x.holds(pixel.x())) {
            continue;
        }
        const RowSpans& rows = *columns[i].rows;
        for (std::size_t j = 0; j < rows.size(); ++j) {
            if (rows[j].holds(pixel.y())) {
                const AfCell cell{static_cast<int>(i) - layout->columnReach(),
                                  kTopRow - static_cast<int>(j)};
                // A box where the layout has no point would be a slip in the
                // tables above; it must not choose a point that is not there.
                return layout->isPoint(cell.col, cell.row) ? std::optional(cell) : std::nullopt;
            }
        }
        return std::nullopt;
    }
    return std::nullopt;
}

AfCell StepAfPoint(int afPointCount, AfCell from, AfStep step) {
    const std::optional<AfLayout> layout =
        AfLayout::forPointCount(afPointCount > 0 ? static_cast<uint32_t>(afPointCount) : 0);
    AfCell to = from;
    switch (step) {
    case AfStep::Up:
        ++to.row;
        break;
    case AfStep::Down:
        --to.row;
        break;
    case AfStep::Left:
        --to.col;
        break;
    case AfStep::Right:
        ++to.col;
        break;
    }
    return layout && layout->isPoint(to.col, to.row) ? to : from;
}
