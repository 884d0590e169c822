// The parts of a command line after the subcommand: options and file names.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zw::cli {

struct OptionKind {
    const char* name;  // "--ordered"
    bool takesValue;
};

struct CommandLine {
    std::map<std::string, std::string> options;  // name -> value ("" for a flag)
    std::vector<std::string> files;
    int threads = 1;
    bool exactEngine = false;  // --engine exact: every answer from the window's own search

    bool Has(const std::string& name) const { return options.count(name) != 0; }
};

// Parses `args` against the options a subcommand accepts (--threads N and --engine E are
// accepted by all).
// "--" ends the options. False with `error` set for an unknown option or a missing value.
bool ParseCommandLine(const std::vector<std::string>& args, const std::vector<OptionKind>& kinds,
                      CommandLine& out, std::string& error);

// A whole number from min to max, or false.
bool ParseCount(const std::string& text, std::int64_t min, std::int64_t max, std::int64_t& out);

}  // namespace zw::cli
