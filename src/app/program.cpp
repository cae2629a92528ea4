#include "app/program.h"

#include <QApplication>
#include <QMessageBox>

#include "app/init_application.h"
#include "app/main_window.h"
#include "app/qt_presenter.h"
#include "storage/catalogue_presenter.h"

namespace somnexa::app {

Program::Program(ProgramOptions options) : options_(std::move(options)), instance_(options_.lockFolder) {}

Program::~Program() {
    main_.reset();  // the pages go with the main window
    context_.reset();
    instance_.release();
}

Program::Start Program::start() {
    if (!instance_.acquire()) {
        const QString text = QString::fromUtf8(kAlreadyRunningText);
        if (options_.plainBox) {
            options_.plainBox(text);
        } else {
            QMessageBox box;
            box.setText(text);
            box.exec();
        }
        return Start::AlreadyRunning;
    }
    storage::Presenter* presenter = options_.presenter;
    if (presenter == nullptr) {
        presenter_ = std::make_unique<QtPresenter>();
        presenter = presenter_.get();
    }
    context_ = std::make_unique<AppContext>(options_.programDir, presenter);
    // Boxes translate through the catalogue that InitApplication fills.
    if (auto* translating = dynamic_cast<storage::CataloguePresenter*>(presenter)) {
        translating->setCatalogue(&context_->MessageCatalogue);
    }
    context_->startupSteps.emplace_back("TDM");
    context_->SimulatedFlash = options_.simulatedFlash.toStdString();
    context_->SimulatedLatencyUs = options_.simulatedLatencyUs;

    main_ = std::make_unique<TfrmMain>(*context_);
    if (!main_->created()) return Start::Failed;
    if (presenter_) presenter_->setOwner(main_.get());
    if (!InitApplication(*context_)) return Start::Failed;

    for (const ProgramWindow& entry : programWindows()) {
        if (!entry.create) continue;
        QWidget* window = entry.create(*context_, main_.get());
        if (window == nullptr) continue;
        window->hide();
        context_->startupSteps.emplace_back(entry.name);
        windows_.emplace_back(QString::fromLatin1(entry.name), window);
        if (entry.menuItem >= 0) main_->setPage(entry.menuItem, window);
    }
    if (options_.showMainWindow) main_->show();
    return Start::Running;
}

int Program::exec() { return QApplication::exec(); }

QWidget* Program::window(const QString& name) const {
    for (const auto& [n, w] : windows_) {
        if (n == name) return w;
    }
    return nullptr;
}

}  // namespace somnexa::app
