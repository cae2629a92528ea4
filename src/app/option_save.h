#pragma once
// The save protocol of the options window over its pages: every page checks
// its input (reporting problems), then every page saves quietly. A page
// answers with 0 or more to accept, a negative number to refuse.

#include <cstdint>
#include <functional>
#include <vector>

namespace somnexa::app {

inline constexpr int kOptionCheck = 0;
inline constexpr int kOptionSave = 1;

struct OptionPageLink {
    int tag;
    // Asks the page: wParam check or save, lParam non-zero to report problems.
    std::function<std::intptr_t(std::intptr_t wParam, std::intptr_t lParam)> send;
};

struct OptionSaveResult {
    bool saved = false;
    bool failedInCheck = false;
    std::vector<int> refusedTags;  // in the order asked
};

// Asks the pages in the given order; stops after the first round with a refusal.
OptionSaveResult runOptionSave(const std::vector<OptionPageLink>& pages);

}  // namespace somnexa::app
