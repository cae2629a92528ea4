#include "storage/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace somnexa::storage {

bool SharedFileLock::acquire(const std::string& path, std::string& error) {
    release();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = "Could not open '" + path + "': " + std::strerror(errno);
        return false;
    }
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        error = "The file '" + path + "' is already in use.";
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void SharedFileLock::release() {
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
        fd_ = -1;
    }
}

bool FileInUse(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return true;
    bool inUse = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (!inUse) {
        // A program that locks with record locks only (an SQLite client in a transaction).
        struct flock probe {};
        probe.l_type = F_WRLCK;
        probe.l_whence = SEEK_SET;
        probe.l_start = 0;
        probe.l_len = 0;
        if (::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK) inUse = true;
        ::flock(fd, LOCK_UN);
    }
    ::close(fd);
    return inUse;
}

}  // namespace somnexa::storage
