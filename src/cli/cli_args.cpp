#include "cli/cli_args.h"

#include <cerrno>
#include <cstdlib>

namespace somnexa::cli {

Args::Args(const std::vector<std::string>& words, const std::set<std::string>& flags) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.size() > 2 && w.compare(0, 2, "--") == 0) {
            const std::string name = w.substr(2);
            if (flags.count(name)) {
                switches_.insert(name);
            } else if (i + 1 < words.size()) {
                options_.emplace(name, words[++i]);
            } else {
                fail("option --" + name + " needs a value");
            }
        } else {
            positional_.push_back(w);
        }
    }
}

bool Args::has(const std::string& name) const { return switches_.count(name) || options_.count(name); }

std::optional<std::string> Args::value(const std::string& name) const {
    auto it = options_.find(name);
    if (it == options_.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> Args::values(const std::string& name) const {
    std::vector<std::string> out;
    auto [first, last] = options_.equal_range(name);
    for (auto it = first; it != last; ++it) out.push_back(it->second);
    return out;
}

std::string Args::required(const std::string& name) {
    auto v = value(name);
    if (!v) {
        fail("missing option --" + name);
        return {};
    }
    return *v;
}

std::optional<long long> Args::integer(const std::string& name) {
    auto v = value(name);
    if (!v) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long n = std::strtoll(v->c_str(), &end, 0);
    if (errno != 0 || end == v->c_str() || *end != '\0') {
        fail("option --" + name + " needs a number, not '" + *v + "'");
        return std::nullopt;
    }
    return n;
}

}  // namespace somnexa::cli
