#pragma once
// The message boxes and file choosers, as the logic sees them. The program
// shows real dialogs; tests record the calls and script the answers. Texts
// are given in their reference form; the boxes translate caption and text
// through the message catalogue (see CataloguePresenter).

#include <optional>
#include <string>

namespace somnexa::storage {

class Presenter {
public:
    virtual ~Presenter() = default;

    virtual void ShowInfo(const std::string& text) = 0;
    virtual void ShowWarning(const std::string& text) = 0;
    virtual void ShowError(const std::string& text) = 0;
    // true only when the user answers Yes.
    virtual bool AskQuestion(const std::string& text) = 0;

    // A file to open: title, filter ("Access files (*.mdb)|*.mdb"), start folder.
    // nullopt when the user cancels.
    virtual std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& filter,
                                                      const std::string& startFolder) = 0;
    virtual std::optional<std::string> ChooseFolder(const std::string& title, const std::string& startFolder) = 0;
};

}  // namespace somnexa::storage
