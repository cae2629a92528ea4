#include "app/qt_presenter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace somnexa::app {

BoxText splitLongMessage(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (text.size() <= kLongMessageChars && lines.size() <= kLongMessageLines) return {text, {}};
    QString summary = lines.first().trimmed();
    if (summary.size() > 200) summary = summary.left(200) + QStringLiteral("…");
    return {summary, text};
}

QString qtFileFilter(const QString& filter) {
    // Pairs of description|pattern; Qt reads the patterns from the description.
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i];
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << (description.contains(QLatin1Char('(')) ? description : description + " (" + pattern + ")");
    }
    if (filters.isEmpty()) return filter;
    return filters.join(QStringLiteral(";;"));
}

std::unique_ptr<QMessageBox> makeMessageBox(storage::BoxKind kind, const QString& caption, const QString& text,
                                            QWidget* owner) {
    auto box = std::make_unique<QMessageBox>(owner);
    box->setWindowTitle(caption);
    // Message texts break lines with "\n\r"; the box wants plain line feeds.
    QString message = text;
    message.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    message.remove(QLatin1Char('\r'));
    const BoxText parts = splitLongMessage(message);
    box->setText(parts.summary);
    if (!parts.details.isEmpty()) box->setDetailedText(parts.details);
    switch (kind) {
        case storage::BoxKind::Info: box->setIcon(QMessageBox::Information); break;
        case storage::BoxKind::Warning: box->setIcon(QMessageBox::Warning); break;
        case storage::BoxKind::Error: box->setIcon(QMessageBox::Critical); break;
        case storage::BoxKind::Question: box->setIcon(QMessageBox::Question); break;
    }
    if (kind == storage::BoxKind::Question) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

bool QtPresenter::showBox(storage::BoxKind kind, const std::string& caption, const std::string& text,
                          const std::string&, const std::string&) {
    auto box = makeMessageBox(kind, QString::fromStdString(caption), QString::fromStdString(text),
                              owner_ ? owner_.data() : QApplication::activeWindow());
    return box->exec() == QMessageBox::Yes;
}

std::optional<std::string> QtPresenter::ChooseOpenFile(const std::string& title, const std::string& filter,
                                                       const std::string& startFolder) {
    const QString file = QFileDialog::getOpenFileName(owner_, QString::fromStdString(title),
                                                      QString::fromStdString(startFolder),
                                                      qtFileFilter(QString::fromStdString(filter)));
    if (file.isEmpty()) return std::nullopt;
    return file.toStdString();
}

std::optional<std::string> QtPresenter::ChooseFolder(const std::string& title, const std::string& startFolder) {
    const QString folder = QFileDialog::getExistingDirectory(owner_, QString::fromStdString(title),
                                                             QString::fromStdString(startFolder));
    if (folder.isEmpty()) return std::nullopt;
    return folder.toStdString();
}

}  // namespace somnexa::app
