#pragma once
// Helpers the windows share: placing a page window into a panel, saving and
// restoring a table's column layout in "grid.ini", registering for the
// settings-saved notice, and reading pictures from the skin module.

#include <QPixmap>
#include <QString>

#include <functional>

class QAbstractItemView;
class QScrollArea;
class QTableView;
class QWidget;

namespace somnexa::app {

class AppContext;

// Makes window (created by create with panel as owner when it is null) a
// borderless child filling panel, shows it in front of the panel's other
// pages and returns it.
QWidget* EmbedPage(QWidget* panel, QWidget* window, const std::function<QWidget*(QWidget* owner)>& create = {});
// The same inside a scroll box, placed at (0, 0) at its own size.
QWidget* EmbedPageAt(QScrollArea* box, QWidget* window, const std::function<QWidget*(QWidget* owner)>& create = {});

// The column order, widths, sort marker and visibility of grid, in the
// section of the program folder's "grid.ini".
void SaveGridLayout(const AppContext& context, const QTableView& grid, const QString& section);
bool RestoreGridLayout(const AppContext& context, QTableView& grid, const QString& section);

// Adds window to the windows told of saved settings (once); returns how many
// there are. Windows that have gone are dropped from the list.
int RegisterSettingsListener(AppContext& context, QObject* window);

// A resource module: a binary Qt resource file mapped while the object lives.
class ResourceModule {
public:
    explicit ResourceModule(const QString& file);
    ~ResourceModule();
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    bool isOpen() const { return open_; }
    QString path(const QString& kind, const QString& name) const;

private:
    QString file_;
    QString root_;
    bool open_ = false;
};

// A PNG picture of the module's data resources; false when it is missing or unreadable.
bool LoadPngResource(const ResourceModule& module, const QString& name, QPixmap& picture);
// A bitmap picture of the module's bitmap resources.
bool LoadBitmapResource(const ResourceModule& module, const QString& name, QPixmap& picture);

}  // namespace somnexa::app
