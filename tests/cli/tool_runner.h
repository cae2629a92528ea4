#pragma once
// Runs somnexa-tool as a separate process and captures what it prints.

#include <QJsonDocument>
#include <QProcess>
#include <QStringList>

#include <string>
#include <vector>

namespace somnexa::testing {

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
    QJsonDocument json() const { return QJsonDocument::fromJson(QByteArray::fromStdString(out)); }
};

inline ToolResult runTool(const std::vector<std::string>& args) {
    QStringList list;
    for (const auto& a : args) list << QString::fromStdString(a);
    QProcess p;
    p.start(QStringLiteral(SOMNEXA_TOOL), list);
    p.waitForFinished(120000);
    ToolResult r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

}  // namespace somnexa::testing
