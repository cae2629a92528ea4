#pragma once
// The four statistics of a day's samples of one channel.

#include <cstdint>
#include <span>

namespace somnexa::analysis {

// Position in the ascending list of n samples: (n * percent div 100) + 1,
// limited to the last sample (100 samples: 96 for 95, 91 for 90).
std::int64_t PercentilePosition(std::int64_t n, int percent);

struct ColumnStatistics {
    std::int32_t Maximum = 0;
    std::int32_t Percentile95 = 0;
    std::int32_t Mean = 0;  // the sum over the count, truncated
    std::int32_t Percentile90 = 0;

    // Value of a statistic kind (0..3); 0 for any other.
    std::int32_t ByKind(int kind) const;
};

// Statistics of samples, which must not be empty. The samples are reordered
// (partially, by selection): the positions equal those of a full ascending sort.
ColumnStatistics ComputeColumnStatistics(std::span<std::int32_t> samples);

}  // namespace somnexa::analysis
