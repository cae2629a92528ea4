#pragma once
// The process-wide values every window reads: the data module with the two
// database paths, the selected patient, the language, the message catalogue
// and the windows that want to hear of saved settings. The program owns one;
// each test makes its own.

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "storage/data_module.h"
#include "storage/message_catalogue.h"
#include "storage/presenter.h"

namespace somnexa::app {

class TQvForm;
class AppContext;

// Creates the page of an options-window tag (2: the chart settings page).
using OptionPageFactory = std::function<TQvForm*(AppContext& context, QWidget* owner)>;

class AppContext {
public:
    // programDir: the folder holding DBQorvel.mdb, face.rcc, help.html and
    // Loading1.gif, with or without a trailing separator.
    AppContext(const QString& programDir, storage::Presenter* presenter);
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    std::string ProductTitle;
    std::string CurrentPatientID;       // empty: no patient selected
    std::string CurrentPatientCaption;  // "id, name, gender, age"; empty when none
    int LanguageCode = 1;               // 1 Simplified Chinese, 3 English
    storage::MessageCatalogue MessageCatalogue;
    std::vector<QPointer<QObject>> SettingsListeners;

    storage::TDM& dm() { return *dm_; }
    storage::Presenter& presenter() { return *presenter_; }
    void setPresenter(storage::Presenter* presenter);

    // The program folder with a trailing '/'.
    const QString& programDir() const { return programDir_; }
    QString programFile(const QString& name) const { return programDir_ + name; }

    std::string CatalogueText(std::string_view text) const { return MessageCatalogue.CatalogueText(text); }

    // Opens a document with the desktop's viewer; replaced in tests.
    std::function<bool(const QUrl&)> openUrl;
    // Ends the program (the confirmed close, a failed start-up); replaced in tests.
    std::function<void(int code)> terminate;
    bool terminateRequested = false;

    // What start-up did, in order (window names and "InitApplication").
    std::vector<std::string> startupSteps;

    // A simulated ventilator for the download page instead of the USB bus:
    // its flash image ("" for the real bus) and its pace (microseconds per
    // report, 0 instant). Set from the command line (--simulate FLASH).
    std::string SimulatedFlash;
    int SimulatedLatencyUs = 0;

    // Pages of the options window beyond the system page, by navigator tag.
    std::map<int, OptionPageFactory> optionPages;

private:
    QString programDir_;
    storage::Presenter* presenter_;
    std::unique_ptr<storage::TDM> dm_;
};

}  // namespace somnexa::app
