#pragma once
// TQvForm, the base of every application window: its texts are translated at
// run time through the Languages table. The window's table (its object name
// and the shared "Users" rows) is read once, at creation, in the language of
// that moment; the window's texts are translated each time it is shown.
// Window messages reach WindowMessage by number.

#include <QWidget>

#include <cstdint>
#include <string>

#include "app/app_context.h"
#include "storage/message_catalogue.h"

namespace somnexa::app {

QString qs(const std::string& text);
std::string ss(const QString& text);

class TQvForm : public QWidget {
public:
    // formName is the window's translation key ("frmMain", ...) and its object
    // name. A window that must prepare the database first passes
    // loadTranslations false and calls LoadTranslations itself.
    TQvForm(AppContext& context, const QString& formName, QWidget* parent = nullptr, bool loadTranslations = true);

    // Reads the window's translations in the current language.
    void LoadTranslations();

    AppContext& context() const { return context_; }

    // The window's own translation of text, or text unchanged.
    QString Translate(const QString& text) const;
    std::string Translate(std::string_view text) const { return translations_.translate(text); }
    // The message catalogue's translation of text.
    QString CatalogueText(const QString& text) const;

    // The four message boxes through the program's presenter.
    void ShowInfo(const std::string& text) const { context_.presenter().ShowInfo(text); }
    void ShowWarning(const std::string& text) const { context_.presenter().ShowWarning(text); }
    void ShowError(const std::string& text) const { context_.presenter().ShowError(text); }
    bool AskQuestion(const std::string& text) const { return context_.presenter().AskQuestion(text); }

    // Translates the caption and the texts of the window's own controls
    // (nested windows translate themselves when they are shown).
    void TranslateWindow();

    const storage::TranslationTable& translations() const { return translations_; }

protected:
    // Handles a window message; returns false for messages the window does
    // not know. result is the answer to a sent message.
    virtual bool WindowMessage(int message, std::intptr_t wParam, std::intptr_t lParam, std::intptr_t& result);

    // The show step runs before the window's own FormShow.
    virtual void FormShow() {}

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void translateChildren(QObject* parent);
    void translateWidget(QWidget* widget);

    AppContext& context_;
    storage::TranslationTable translations_;
};

}  // namespace somnexa::app
