#pragma once
// A per-process scratch file on a memory file system for fuzz inputs that the
// code under test reads from disk.

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

inline std::string fuzzScratchPath(const char* suffix) {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/somnexa-fuzz-" + std::to_string(getpid()) + suffix;
}

inline bool writeFuzzFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}
