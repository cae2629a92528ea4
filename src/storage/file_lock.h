#pragma once
// Advisory whole-file locks. Every open database connection holds a shared
// lock on its file; FileInUse asks for an exclusive one, so a file that any
// connection (of this or another program run) holds reads as in use.

#include <string>

namespace somnexa::storage {

class SharedFileLock {
public:
    SharedFileLock() = default;
    ~SharedFileLock() { release(); }
    SharedFileLock(const SharedFileLock&) = delete;
    SharedFileLock& operator=(const SharedFileLock&) = delete;

    // false with error set when the file cannot be opened or another holder
    // has it exclusively.
    bool acquire(const std::string& path, std::string& error);
    void release();
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// false if the file does not exist; true if it cannot be opened for reading
// and writing, or cannot be locked exclusively at this moment.
bool FileInUse(const std::string& path);

}  // namespace somnexa::storage
