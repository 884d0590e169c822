// The subcommands of zellwerk-cli. Each takes the arguments after its name.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zw::cli {

struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

using Arguments = std::vector<std::string>;

int RunSolve(const Arguments& args, Streams& io);
int RunRate(const Arguments& args, Streams& io);
int RunCount(const Arguments& args, Streams& io);
int RunGenerate(const Arguments& args, Streams& io);
int RunBooklet(const Arguments& args, Streams& io);
int RunTip(const Arguments& args, Streams& io);
int RunExplain(const Arguments& args, Streams& io);
int RunCheck(const Arguments& args, Streams& io);

// Parses the arguments of `subcommand`; on an error prints it with a hint and returns false.
struct CommandLine;
struct OptionKind;
bool ParseOrComplain(const char* subcommand, const Arguments& args,
                     const std::vector<OptionKind>& kinds, CommandLine& out, Streams& io);

}  // namespace zw::cli
