#pragma once
// The presenter of the program: real message boxes and file choosers. A text
// too long for a comfortable box shows its first line and keeps the whole
// text, uncut, in the box's scrollable details.

#include <QMessageBox>
#include <QPointer>

#include <memory>
#include <QWidget>

#include "storage/catalogue_presenter.h"

namespace somnexa::app {

class QtPresenter : public storage::CataloguePresenter {
public:
    using CataloguePresenter::CataloguePresenter;

    // The window that owns the boxes (the main window once it exists).
    void setOwner(QWidget* owner) { owner_ = owner; }

    std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& filter,
                                              const std::string& startFolder) override;
    std::optional<std::string> ChooseFolder(const std::string& title, const std::string& startFolder) override;

protected:
    bool showBox(storage::BoxKind kind, const std::string& caption, const std::string& text,
                 const std::string& referenceCaption, const std::string& referenceText) override;

private:
    QPointer<QWidget> owner_;
};

// Above this many characters (or lines) a message keeps its full text in the details.
inline constexpr int kLongMessageChars = 600;
inline constexpr int kLongMessageLines = 12;

// Splits a message for the box: the summary shown in the box and the details
// (empty when the message is short enough to show whole).
struct BoxText {
    QString summary;
    QString details;
};
BoxText splitLongMessage(const QString& text);

// The box of a message: caption, icon and buttons of its kind, long texts
// whole in the details.
std::unique_ptr<QMessageBox> makeMessageBox(storage::BoxKind kind, const QString& caption, const QString& text,
                                            QWidget* owner);

// "Access files (*.mdb)|*.mdb" in the form of Qt's file dialog: "Access files (*.mdb)".
QString qtFileFilter(const QString& filter);

}  // namespace somnexa::app
