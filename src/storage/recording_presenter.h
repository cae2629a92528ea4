#pragma once
// The presenter of tests: records every box (reference and translated forms)
// and answers questions and choosers from scripted queues.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "storage/catalogue_presenter.h"

namespace somnexa::storage {

struct RecordedBox {
    BoxKind kind;
    std::string caption;            // before translation ("Information", ...)
    std::string text;               // before translation
    std::string translatedCaption;
    std::string translatedText;
};

class RecordingPresenter : public CataloguePresenter {
public:
    using CataloguePresenter::CataloguePresenter;

    std::vector<RecordedBox> boxes;
    std::deque<bool> answers;  // for AskQuestion; an empty queue answers No
    std::deque<std::optional<std::string>> files;
    std::deque<std::optional<std::string>> folders;
    std::vector<std::string> chooserTitles;

    std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string&,
                                              const std::string&) override {
        chooserTitles.push_back(title);
        return pop(files);
    }
    std::optional<std::string> ChooseFolder(const std::string& title, const std::string&) override {
        chooserTitles.push_back(title);
        return pop(folders);
    }

protected:
    bool showBox(BoxKind kind, const std::string& caption, const std::string& text,
                 const std::string& referenceCaption, const std::string& referenceText) override {
        boxes.push_back({kind, referenceCaption, referenceText, caption, text});
        if (kind != BoxKind::Question || answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

private:
    static std::optional<std::string> pop(std::deque<std::optional<std::string>>& queue) {
        if (queue.empty()) return std::nullopt;
        auto v = std::move(queue.front());
        queue.pop_front();
        return v;
    }
};

}  // namespace somnexa::storage
