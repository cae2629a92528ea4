#include "app/window_helpers.h"

#include <QFile>
#include <QGridLayout>
#include <QHeaderView>
#include <QResource>
#include <QScrollArea>
#include <QSettings>
#include <QTableView>

#include <algorithm>

#include "app/app_context.h"

namespace somnexa::app {

namespace {

QWidget* prepare(QWidget* owner, QWidget* window, const std::function<QWidget*(QWidget*)>& create) {
    if (window == nullptr && create) window = create(owner);
    if (window == nullptr) return nullptr;
    window->hide();
    window->setWindowFlags(Qt::Widget);
    window->setAttribute(Qt::WA_StyledBackground, true);
    return window;
}

}  // namespace

QWidget* EmbedPage(QWidget* panel, QWidget* window, const std::function<QWidget*(QWidget*)>& create) {
    window = prepare(panel, window, create);
    if (window == nullptr) return nullptr;
    auto* grid = qobject_cast<QGridLayout*>(panel->layout());
    if (grid == nullptr) {
        grid = new QGridLayout(panel);
        grid->setContentsMargins(0, 0, 0, 0);
    }
    if (window->parentWidget() != panel) window->setParent(panel);
    if (grid->indexOf(window) < 0) grid->addWidget(window, 0, 0);
    // Only the front page is visible: the others keep their state behind it.
    for (QWidget* other : panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (other != window && grid->indexOf(other) >= 0) other->hide();
    }
    window->show();
    window->raise();
    return window;
}

QWidget* EmbedPageAt(QScrollArea* box, QWidget* window, const std::function<QWidget*(QWidget*)>& create) {
    window = prepare(box, window, create);
    if (window == nullptr) return nullptr;
    box->setWidget(window);  // the scroll box owns it now, at (0, 0)
    box->setWidgetResizable(false);
    window->adjustSize();
    window->move(0, 0);
    window->show();
    return window;
}

void SaveGridLayout(const AppContext& context, const QTableView& grid, const QString& section) {
    QSettings ini(context.programFile(QStringLiteral("grid.ini")), QSettings::IniFormat);
    ini.remove(section);
    ini.beginGroup(section);
    ini.setValue(QStringLiteral("Columns"), grid.horizontalHeader()->saveState());
    ini.endGroup();
    ini.sync();
}

bool RestoreGridLayout(const AppContext& context, QTableView& grid, const QString& section) {
    QSettings ini(context.programFile(QStringLiteral("grid.ini")), QSettings::IniFormat);
    const QByteArray state = ini.value(section + QStringLiteral("/Columns")).toByteArray();
    if (state.isEmpty()) return false;
    return grid.horizontalHeader()->restoreState(state);
}

int RegisterSettingsListener(AppContext& context, QObject* window) {
    auto& list = context.SettingsListeners;
    list.erase(std::remove_if(list.begin(), list.end(), [](const QPointer<QObject>& p) { return p.isNull(); }),
               list.end());
    if (window != nullptr && std::none_of(list.begin(), list.end(), [&](const auto& p) { return p == window; })) {
        list.emplace_back(window);
    }
    return static_cast<int>(list.size());
}

ResourceModule::ResourceModule(const QString& file) : file_(file) {
    // A root of its own, so that modules open at the same time do not meet.
    root_ = QStringLiteral("/module%1").arg(reinterpret_cast<quintptr>(this), 0, 16);
    open_ = QFile::exists(file_) && QResource::registerResource(file_, root_);
}

ResourceModule::~ResourceModule() {
    if (open_) QResource::unregisterResource(file_, root_);
}

QString ResourceModule::path(const QString& kind, const QString& name) const {
    return QStringLiteral(":") + root_ + QLatin1Char('/') + kind + QLatin1Char('/') + name + QStringLiteral(".png");
}

bool LoadPngResource(const ResourceModule& module, const QString& name, QPixmap& picture) {
    if (!module.isOpen()) return false;
    return picture.load(module.path(QStringLiteral("rcdata"), name), "PNG");
}

bool LoadBitmapResource(const ResourceModule& module, const QString& name, QPixmap& picture) {
    if (!module.isOpen()) return false;
    return picture.load(module.path(QStringLiteral("bitmap"), name), "PNG");
}

}  // namespace somnexa::app
