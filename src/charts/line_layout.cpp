#include "charts/line_layout.h"

#include <algorithm>
#include <cmath>

namespace somnexa::charts {
namespace {

constexpr double kFarAway = 1 << 22;  // pixels; far outside any image

}  // namespace

int ValueMapping::y(std::int32_t v) const {
    const std::int64_t scaled = (static_cast<std::int64_t>(v) - digitalMin) * height;
    double row = static_cast<double>(height) -
                 std::trunc(static_cast<double>(scaled) / (static_cast<double>(digitalMax) - digitalMin));
    row = std::clamp(row, -kFarAway, kFarAway);
    return static_cast<int>(row);
}

std::int64_t SegmentLayout::firstSampleOf(std::int64_t c) const {
    if (c <= 0) return 0;
    // Start from the arithmetic estimate, then settle on the exact answer of
    // column() so that both drawing paths agree sample by sample.
    double estimate = std::ceil(static_cast<double>(c) * step);
    std::int64_t j = static_cast<std::int64_t>(std::clamp(estimate, 0.0, static_cast<double>(n)));
    while (j > 0 && column(j - 1) >= c) --j;
    while (j < n && column(j) < c) ++j;
    return j;
}

void fullVertices(const arTPoint& samples, const SegmentLayout& layout, const ValueMapping& values,
                  std::vector<QPoint>& out) {
    out.clear();
    out.reserve(samples.size());
    for (std::size_t j = 0; j < samples.size(); ++j) {
        const std::int64_t x = layout.x0 + layout.column(static_cast<std::int64_t>(j));
        out.emplace_back(static_cast<int>(std::clamp<double>(static_cast<double>(x), -kFarAway, kFarAway)),
                         values.y(samples[j].y));
    }
}

void reducedVertices(const arTPoint& samples, const SegmentLayout& layout, const ValueMapping& values,
                     int imageWidth, std::vector<QPoint>& out) {
    out.clear();
    const std::int64_t n = static_cast<std::int64_t>(samples.size());
    if (n == 0 || layout.w <= 0) return;
    auto vertex = [&](std::int64_t j) {
        const std::int64_t x = layout.x0 + layout.column(j);
        return QPoint(static_cast<int>(std::clamp<double>(static_cast<double>(x), -kFarAway, kFarAway)),
                      values.y(samples[static_cast<std::size_t>(j)].y));
    };
    auto push = [&](std::int64_t j) {
        const QPoint p = vertex(j);
        if (out.empty() || out.back() != p) out.push_back(p);
    };
    const std::int64_t lastColumn = layout.column(n - 1);
    // Column offsets of the image's first and last pixel columns.
    const std::int64_t firstVisible = std::max<std::int64_t>(0, -static_cast<std::int64_t>(layout.x0));
    const std::int64_t lastVisible = std::min<std::int64_t>(lastColumn, static_cast<std::int64_t>(imageWidth) - 1 - layout.x0);
    if (firstVisible > lastColumn || lastVisible < 0 || firstVisible > lastVisible) {
        // Nothing of the segment lies inside the image's columns; a line may
        // still cross it between the two samples around it.
        const std::int64_t after = layout.firstSampleOf(firstVisible);
        if (after > 0 && after < n) {
            push(after - 1);
            push(after);
        }
        return;
    }
    out.reserve(static_cast<std::size_t>(lastVisible - firstVisible + 1) * 4 + 2);
    std::int64_t begin = layout.firstSampleOf(firstVisible);
    if (begin > 0) push(begin - 1);
    for (std::int64_t c = firstVisible; c <= lastVisible; ++c) {
        const std::int64_t end = layout.firstSampleOf(c + 1);
        if (end > begin) {
            // The raw-to-row mapping is monotone, so the extreme rows are those
            // of the extreme raw values.
            std::int64_t lo = begin;
            std::int64_t hi = begin;
            std::int32_t loValue = samples[static_cast<std::size_t>(begin)].y;
            std::int32_t hiValue = loValue;
            for (std::int64_t j = begin + 1; j < end; ++j) {
                const std::int32_t v = samples[static_cast<std::size_t>(j)].y;
                if (v < loValue) {
                    loValue = v;
                    lo = j;
                } else if (v > hiValue) {
                    hiValue = v;
                    hi = j;
                }
            }
            push(begin);
            push(std::min(lo, hi));
            push(std::max(lo, hi));
            push(end - 1);
        }
        begin = end;
    }
    if (begin < n) push(begin);
}

}  // namespace somnexa::charts
