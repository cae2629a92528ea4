#include "patient_files.h"

#include <QFileInfo>
#include <QString>

#include <filesystem>

namespace somnexa::patients {

std::string SafeFolderName(const std::string& name) {
    const QString text = QString::fromStdString(name);
    QString safe;
    safe.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, text.at(i + 1));
            if (QChar::isLetterOrNumber(code)) {
                safe += c;
                safe += text.at(i + 1);
            } else {
                safe += QLatin1Char('_');
            }
            ++i;
            continue;
        }
        const bool keep = c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-') ||
                          c == QLatin1Char('_');
        safe += keep ? c : QLatin1Char('_');
    }
    safe = safe.trimmed();
    if (safe.isEmpty()) safe = QStringLiteral("_");
    return safe.toStdString();
}

std::string DefaultSavePath(const std::string& programDir, const std::string& name) {
    std::string dir = programDir;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir + "Patients/" + SafeFolderName(name);
}

std::string NextFreeFolder(const std::string& savePath) {
    std::error_code ec;
    std::string folder = savePath;
    for (int n = 1; std::filesystem::exists(folder, ec); ++n) folder = savePath + std::to_string(n);
    return folder;
}

std::string PatientDatabaseFile(const std::string& folder, const std::string& patientID) {
    return folder + "/" + patientID + ".mdb";
}

std::string FileNameOf(const std::string& path) {
    if (path.empty()) return {};
    return QFileInfo(QString::fromStdString(path)).fileName().toStdString();
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace somnexa::patients
