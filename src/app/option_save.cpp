#include "app/option_save.h"

namespace somnexa::app {

namespace {

bool askAll(const std::vector<OptionPageLink>& pages, std::intptr_t wParam, std::intptr_t lParam,
            std::vector<int>& refused) {
    for (const auto& page : pages) {
        if (page.send(wParam, lParam) < 0) refused.push_back(page.tag);
    }
    return refused.empty();
}

}  // namespace

OptionSaveResult runOptionSave(const std::vector<OptionPageLink>& pages) {
    OptionSaveResult result;
    if (!askAll(pages, kOptionCheck, 1, result.refusedTags)) {
        result.failedInCheck = true;
        return result;
    }
    result.saved = askAll(pages, kOptionSave, 0, result.refusedTags);
    return result;
}

}  // namespace somnexa::app
