#pragma once
// The command groups of somnexa-tool, one source file each. Every command takes
// the words after its name, prints its result on stdout, a one-line error on
// stderr, and returns the process exit code.

#include <string>
#include <vector>

namespace somnexa::cli {

using Words = std::vector<std::string>;

// cmd_records.cpp
int cmdDecodeIndex(const Words& words);
int cmdDecodeSession(const Words& words);
int cmdDump(const Words& words);

// cmd_device.cpp
int cmdDevice(const Words& words);

// cmd_download.cpp
int cmdDownload(const Words& words);

// cmd_storage.cpp
int cmdSql(const Words& words);
int cmdInitDb(const Words& words);

// cmd_sim.cpp
int cmdSim(const Words& words);

// cmd_analysis.cpp
int cmdStats(const Words& words);
int cmdPieces(const Words& words);

}  // namespace somnexa::cli
