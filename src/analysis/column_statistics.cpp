#include "analysis/column_statistics.h"

#include <algorithm>
#include <numeric>

namespace somnexa::analysis {

std::int64_t PercentilePosition(std::int64_t n, int percent) {
    return std::min(n * percent / 100 + 1, n - 1);
}

std::int32_t ColumnStatistics::ByKind(int kind) const {
    switch (kind) {
        case 0: return Maximum;
        case 1: return Percentile95;
        case 2: return Mean;
        case 3: return Percentile90;
        default: return 0;
    }
}

ColumnStatistics ComputeColumnStatistics(std::span<std::int32_t> samples) {
    ColumnStatistics s;
    const auto n = static_cast<std::int64_t>(samples.size());
    if (n == 0) return s;
    const std::int64_t sum = std::accumulate(samples.begin(), samples.end(), std::int64_t{0});
    s.Mean = static_cast<std::int32_t>(sum / n);
    const std::int64_t p95 = PercentilePosition(n, 95);
    const std::int64_t p90 = PercentilePosition(n, 90);
    // The 95th position lies at or above the 90th: select it first, then the
    // 90th among the samples below it, and the maximum among those above.
    auto at95 = samples.begin() + p95;
    std::nth_element(samples.begin(), at95, samples.end());
    s.Percentile95 = *at95;
    s.Maximum = *std::max_element(at95, samples.end());
    auto at90 = samples.begin() + p90;
    if (p90 < p95) std::nth_element(samples.begin(), at90, at95);
    s.Percentile90 = *at90;
    return s;
}

}  // namespace somnexa::analysis
