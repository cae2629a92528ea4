#include "app/qv_form.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTabBar>

#include "app/window_message.h"

namespace somnexa::app {

QString qs(const std::string& text) { return QString::fromStdString(text); }
std::string ss(const QString& text) { return text.toStdString(); }

TQvForm::TQvForm(AppContext& context, const QString& formName, QWidget* parent, bool loadTranslations)
    : QWidget(parent), context_(context) {
    setObjectName(formName);
    if (loadTranslations) LoadTranslations();
}

void TQvForm::LoadTranslations() {
    storage::LoadLanguageTable(context_.dm(), ss(objectName()), context_.LanguageCode, translations_);
}

QString TQvForm::Translate(const QString& text) const { return qs(translations_.translate(ss(text))); }

QString TQvForm::CatalogueText(const QString& text) const { return qs(context_.CatalogueText(ss(text))); }

bool TQvForm::WindowMessage(int, std::intptr_t, std::intptr_t, std::intptr_t&) { return false; }

bool TQvForm::event(QEvent* event) {
    const int type = static_cast<int>(event->type());
    if (isWindowMessage(type)) {
        auto* message = static_cast<MessageEvent*>(event);
        std::intptr_t result = 0;
        if (!WindowMessage(type, message->wParam(), message->lParam(), result)) return QWidget::event(event);
        if (auto* sent = dynamic_cast<SentMessageEvent*>(event)) sent->result = result;
        return true;
    }
    return QWidget::event(event);
}

void TQvForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;  // the window system re-showing a minimised window
    TranslateWindow();
    FormShow();
}

void TQvForm::TranslateWindow() {
    if (!windowTitle().isEmpty()) setWindowTitle(Translate(windowTitle()));
    translateChildren(this);
}

void TQvForm::translateChildren(QObject* parent) {
    for (QObject* child : parent->children()) {
        if (dynamic_cast<TQvForm*>(child) != nullptr) continue;  // translates itself
        if (auto* action = qobject_cast<QAction*>(child)) {
            if (!action->text().isEmpty()) action->setText(Translate(action->text()));
            continue;
        }
        if (auto* widget = qobject_cast<QWidget*>(child)) translateWidget(widget);
        translateChildren(child);
    }
}

void TQvForm::translateWidget(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        const bool picture = !label->pixmap().isNull() || label->movie() != nullptr;
        if (picture) {
            if (!label->toolTip().isEmpty()) label->setToolTip(Translate(label->toolTip()));
        } else if (!label->text().isEmpty()) {
            label->setText(Translate(label->text()));
        }
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        if (!check->text().isEmpty()) check->setText(Translate(check->text()));
        check->adjustSize();  // fits the new text
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (button->text().isEmpty()) {
            if (!button->toolTip().isEmpty()) button->setToolTip(Translate(button->toolTip()));
        } else {
            button->setText(Translate(button->text()));
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        for (int i = 0; i < combo->count(); ++i) {
            if (!combo->itemText(i).isEmpty()) combo->setItemText(i, Translate(combo->itemText(i)));
        }
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        if (!group->title().isEmpty()) group->setTitle(Translate(group->title()));
    } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
        for (int i = 0; i < tabs->count(); ++i) tabs->setTabText(i, Translate(tabs->tabText(i)));
    } else if (auto* header = qobject_cast<QHeaderView*>(widget)) {
        if (auto* model = header->model()) {
            const int count = header->orientation() == Qt::Horizontal ? model->columnCount() : model->rowCount();
            for (int i = 0; i < count; ++i) {
                const QString title = model->headerData(i, header->orientation()).toString();
                if (!title.isEmpty()) model->setHeaderData(i, header->orientation(), Translate(title));
            }
        }
    }
}

}  // namespace somnexa::app
