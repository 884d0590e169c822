// Where a command's file goes when it names one, as --output does.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace zw::cli {

// Writes `bytes` to `target`. A regular file, or a new one, is replaced whole: the bytes go to a
// file beside it that is then renamed over it, so a failed write leaves the old one as it was,
// and a link to it stays a link. Anything else that is there (a FIFO, a terminal, a device) is
// written into as it is and never replaced. "-" and the names of standard output stand for
// `standardOutput` itself, which may be a file opened for appending. False, with `error` set to
// the reason, when the bytes could not all be written.
bool WriteOutputFile(const std::string& target, std::string_view bytes,
                     std::ostream& standardOutput, std::string& error);

}  // namespace zw::cli
