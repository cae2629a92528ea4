#pragma once
// The program's start-up: one instance per session, the application context
// with its data module, the main window, the second initialisation, and the
// windows that live for the whole run, created in a fixed order.

#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "app/app_context.h"
#include "app/single_instance.h"

namespace somnexa::app {

class TfrmMain;
class QtPresenter;

// The text of the plain box a second start shows.
inline constexpr const char* kAlreadyRunningText = "程序已经启动，请检查任务栏!";

struct ProgramOptions {
    QString programDir;                       // DBQorvel.mdb, face.rcc, ...
    QString lockFolder;                       // empty: the session's runtime folder
    storage::Presenter* presenter = nullptr;  // null: real message boxes
    std::function<void(const QString&)> plainBox;  // null: a plain message box
    bool showMainWindow = true;
    // The download page's ventilator: a simulated one holding this flash
    // image, paced at this many microseconds per report ("" for the USB bus).
    QString simulatedFlash;
    int simulatedLatencyUs = 0;
};

// A window created at start-up: its name, the menu item showing it (-1 for
// none) and how to make it (null while the window is not part of the program).
struct ProgramWindow {
    const char* name;
    int menuItem;
    std::function<QWidget*(AppContext& context, QWidget* owner)> create;
};

// The windows after the main window, in their order of creation.
std::vector<ProgramWindow> programWindows();

class Program {
public:
    enum class Start { Running, AlreadyRunning, Failed };

    explicit Program(ProgramOptions options);
    ~Program();

    Start start();
    // The message loop, until the program ends.
    int exec();

    AppContext* context() const { return context_.get(); }
    TfrmMain* mainWindow() const { return main_.get(); }
    QWidget* window(const QString& name) const;

private:
    ProgramOptions options_;
    SingleInstance instance_;
    std::unique_ptr<QtPresenter> presenter_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<TfrmMain> main_;
    std::vector<std::pair<QString, QWidget*>> windows_;
};

}  // namespace somnexa::app
