#pragma once
// How the samples of one line-chart segment land on pixels, and the two ways
// of turning a segment into polyline vertices: every sample, or a reduction
// per pixel column (first, minimum, maximum and last sample of each column,
// in the order they occur) that the rasteriser draws to the same pixels.

#include <QPoint>

#include <cstdint>
#include <vector>

#include "records/device_records.h"

namespace somnexa::charts {

// Raw value to pixel row: H − Trunc((v − min) · H / (max − min)); min lands on
// the bottom row, max on row 0. Values far outside the range are held a long
// way off the image so that coordinates stay representable.
struct ValueMapping {
    int height = 0;
    std::int32_t digitalMin = 0;
    std::int32_t digitalMax = 0;

    bool valid() const { return digitalMax != digitalMin; }
    int y(std::int32_t v) const;
};

// Sample j of a segment of n samples at x0 with w pixels: x0 + Trunc(j / (n / w)).
struct SegmentLayout {
    std::int64_t n = 0;
    int x0 = 0;
    std::int64_t w = 0;
    double step = 0.0;  // samples per pixel column, n / w

    SegmentLayout() = default;
    SegmentLayout(std::int64_t samples, int start, std::int64_t width)
        : n(samples), x0(start), w(width), step(width > 0 ? static_cast<double>(samples) / static_cast<double>(width) : 0.0) {}

    // Column offset of sample j from x0.
    std::int64_t column(std::int64_t j) const { return static_cast<std::int64_t>(static_cast<double>(j) / step); }
    // The first sample whose column offset is at least c (n when none).
    std::int64_t firstSampleOf(std::int64_t c) const;
};

// Every sample as one vertex.
void fullVertices(const arTPoint& samples, const SegmentLayout& layout, const ValueMapping& values,
                  std::vector<QPoint>& out);

// At most four vertices per pixel column inside [0, imageWidth), plus the
// last sample left of it and the first sample right of it, so that the lines
// entering and leaving the image are the same.
void reducedVertices(const arTPoint& samples, const SegmentLayout& layout, const ValueMapping& values,
                     int imageWidth, std::vector<QPoint>& out);

}  // namespace somnexa::charts
