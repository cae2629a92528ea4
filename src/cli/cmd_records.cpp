#include <cstdio>

#include "cli/commands.h"

namespace somnexa::cli {

int cmdDecodeIndex(const Words&) { std::fprintf(stderr, "decode-index: not built yet\n"); return 2; }
int cmdDecodeSession(const Words&) { std::fprintf(stderr, "decode-session: not built yet\n"); return 2; }
int cmdDump(const Words&) { std::fprintf(stderr, "dump: not built yet\n"); return 2; }

}  // namespace somnexa::cli
