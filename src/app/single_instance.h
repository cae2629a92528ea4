#pragma once
// One running program per desktop session: a lock file named after the
// program in the session's runtime folder, held while the program runs.

#include <QLockFile>
#include <QString>

#include <memory>

namespace somnexa::app {

inline constexpr const char* kInstanceName = "Somnexa Management System";

class SingleInstance {
public:
    // folder: where the lock lives; empty means the session's runtime folder.
    explicit SingleInstance(const QString& folder = {});
    // false when another running program holds the lock.
    bool acquire();
    void release();
    QString lockPath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace somnexa::app
