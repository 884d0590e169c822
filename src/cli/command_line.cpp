#include "cli/command_line.h"

#include <charconv>
#include <ostream>
#include <thread>

#include "cli/subcommands.h"

namespace zw::cli {

bool ParseCount(const std::string& text, std::int64_t min, std::int64_t max, std::int64_t& out) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end || value < min || value > max)
        return false;
    out = value;
    return true;
}

bool ParseCommandLine(const std::vector<std::string>& args, const std::vector<OptionKind>& kinds,
                      CommandLine& out, std::string& error) {
    const unsigned cores = std::thread::hardware_concurrency();
    out.threads = cores == 0 ? 1 : static_cast<int>(cores);
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.size() < 2 || arg[0] != '-') {
            out.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = arg, value;
        bool inlineValue = false;
        if (const auto eq = arg.find('='); eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            inlineValue = true;
        }
        bool takesValue = name == "--threads" || name == "--engine";
        bool known = takesValue;
        for (const OptionKind& option : kinds) {
            if (name == option.name) {
                known = true;
                takesValue = option.takesValue;
            }
        }
        if (!known) {
            error = "unknown option " + name;
            return false;
        }
        if (takesValue && !inlineValue) {
            if (i + 1 >= args.size()) {
                error = "option " + name + " needs a value";
                return false;
            }
            value = args[++i];
        } else if (!takesValue && inlineValue) {
            error = "option " + name + " takes no value";
            return false;
        }
        if (name == "--threads") {
            std::int64_t threads = 0;
            if (!ParseCount(value, 1, 1024, threads)) {
                error = "--threads needs a whole number from 1 to 1024, not '" + value + "'";
                return false;
            }
            out.threads = static_cast<int>(threads);
            continue;
        }
        if (name == "--engine") {
            if (value != "exact" && value != "fast") {
                error = "--engine needs exact or fast, not '" + value + "'";
                return false;
            }
            out.exactEngine = value == "exact";
            continue;
        }
        out.options[name] = value;
    }
    return true;
}

bool ParseOrComplain(const char* subcommand, const Arguments& args,
                     const std::vector<OptionKind>& kinds, CommandLine& out, Streams& io) {
    std::string error;
    if (ParseCommandLine(args, kinds, out, error))
        return true;
    io.err << "zellwerk-cli " << subcommand << ": " << error << "\n"
           << "Try 'zellwerk-cli --help'.\n";
    return false;
}

}  // namespace zw::cli
