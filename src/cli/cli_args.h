#pragma once
// Minimal argument reader for somnexa-tool: positional words and "--name value"
// options (or "--flag" switches), in any order.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace somnexa::cli {

class Args {
public:
    // flags: option names that take no value.
    Args(const std::vector<std::string>& words, const std::set<std::string>& flags);

    const std::vector<std::string>& positional() const { return positional_; }
    bool has(const std::string& name) const;
    std::optional<std::string> value(const std::string& name) const;
    // Every value given for a repeatable option, in order.
    std::vector<std::string> values(const std::string& name) const;
    // An option that must be present; records an error when missing.
    std::string required(const std::string& name);
    std::optional<long long> integer(const std::string& name);

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    void fail(const std::string& message) {
        if (error_.empty()) error_ = message;
    }

private:
    std::vector<std::string> positional_;
    std::multimap<std::string, std::string> options_;
    std::set<std::string> switches_;
    std::string error_;
};

}  // namespace somnexa::cli
