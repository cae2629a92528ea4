#include "app/app_context.h"

#include <QCoreApplication>
#include <QDesktopServices>

namespace somnexa::app {

AppContext::AppContext(const QString& programDir, storage::Presenter* presenter)
    : programDir_(programDir), presenter_(presenter) {
    if (!programDir_.isEmpty() && !programDir_.endsWith(QLatin1Char('/'))) programDir_ += QLatin1Char('/');
    dm_ = std::make_unique<storage::TDM>(presenter, &MessageCatalogue);
    openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    terminate = [this](int code) {
        terminateRequested = true;
        QCoreApplication::exit(code);
    };
}

void AppContext::setPresenter(storage::Presenter* presenter) {
    presenter_ = presenter;
    dm_->setPresenter(presenter);
}

}  // namespace somnexa::app
