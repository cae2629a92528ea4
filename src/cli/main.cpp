// somnexa-tool: the system's logic without windows, for scripts, checks and
// people who want to look at data from a shell.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"

namespace {

struct Command {
    std::string_view name;
    int (*run)(const somnexa::cli::Words&);
    std::string_view usage;
};

constexpr Command kCommands[] = {
    {"decode-index", somnexa::cli::cmdDecodeIndex, "decode-index --region A|B IMAGE"},
    {"decode-session", somnexa::cli::cmdDecodeSession,
     "decode-session --region A|B IMAGE --out DIR [--rate-a N] [--rate-log N] [--points-per-sample P]"},
    {"dump", somnexa::cli::cmdDump, "dump FILE [--channel CODE/POS]"},
    {"device", somnexa::cli::cmdDevice,
     "device list [--simulate FLASH]\n"
     "  somnexa-tool device read [--simulate FLASH] (--headers A|B | --region A|B --address N --size N) --out IMAGE"
     " [--latency-us U] [--drop-every K]"},
    {"download", somnexa::cli::cmdDownload,
     "download --simulate FLASH --patient-db FILE (--all | --session ID ...) [--overwrite] [--min10]"
     " [--master FILE] [--latency-us U]"},
    {"sql", somnexa::cli::cmdSql, "sql DB \"STATEMENT\""},
    {"initdb", somnexa::cli::cmdInitDb, "initdb --master FILE | --patient FILE"},
    {"sim", somnexa::cli::cmdSim,
     "sim make-flash --out FLASH [--nights N] [--seed S] [--product P] [--max-session-seconds N]"},
    {"stats", somnexa::cli::cmdStats,
     "stats --patient-db FILE (--days D1,D2,... | --from D --to D) [--master FILE]"},
    {"pieces", somnexa::cli::cmdPieces, "pieces --patient-db FILE"},
};

int usage() {
    std::fprintf(stderr, "usage: somnexa-tool COMMAND ...\n");
    for (const auto& c : kCommands) std::fprintf(stderr, "  somnexa-tool %.*s\n", int(c.usage.size()), c.usage.data());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string_view name = argv[1];
    const somnexa::cli::Words words(argv + 2, argv + argc);
    for (const auto& c : kCommands)
        if (c.name == name) return c.run(words);
    std::fprintf(stderr, "somnexa-tool: unknown command '%s'\n", argv[1]);
    return usage();
}
