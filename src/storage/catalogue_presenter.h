#pragma once
// A presenter that translates captions and texts through the message
// catalogue before they reach the platform's box (showBox).

#include <string>

#include "storage/message_catalogue.h"
#include "storage/presenter.h"

namespace somnexa::storage {

enum class BoxKind { Info, Warning, Error, Question };

// "Information", "Warning", "Error", "Questions": the captions before translation.
const char* boxCaption(BoxKind kind);

class CataloguePresenter : public Presenter {
public:
    explicit CataloguePresenter(const MessageCatalogue* catalogue = nullptr) : catalogue_(catalogue) {}
    void setCatalogue(const MessageCatalogue* catalogue) { catalogue_ = catalogue; }

    void ShowInfo(const std::string& text) override { box(BoxKind::Info, text); }
    void ShowWarning(const std::string& text) override { box(BoxKind::Warning, text); }
    void ShowError(const std::string& text) override { box(BoxKind::Error, text); }
    bool AskQuestion(const std::string& text) override { return box(BoxKind::Question, text); }

protected:
    // Shows the box with translated caption and text; for a question, true on Yes.
    virtual bool showBox(BoxKind kind, const std::string& caption, const std::string& text,
                         const std::string& referenceCaption, const std::string& referenceText) = 0;

private:
    bool box(BoxKind kind, const std::string& text) {
        const std::string caption = boxCaption(kind);
        const std::string tCaption = catalogue_ ? catalogue_->CatalogueText(caption) : caption;
        const std::string tText = catalogue_ ? catalogue_->CatalogueText(text) : text;
        return showBox(kind, tCaption, tText, caption, text);
    }

    const MessageCatalogue* catalogue_;
};

}  // namespace somnexa::storage
