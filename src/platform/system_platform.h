// Standard-library implementations of the interfaces that need no window: the real clock and
// the real files. Used by the command-line tool and by the Qt program.
#pragma once

#include <filesystem>

#include "platform/platform.h"

namespace zw {

class SystemClock : public Clock {
public:
    double Seconds() override;
    std::uint64_t SeedFromClock() override;
    std::string TimeOfDayText() override;  // HH:MM:SS
    std::string ShortDateText() override;  // DD.MM.YYYY
    std::string FormatNumber(double value, int digits) override;
};

// The file a save to `path` writes: through a link, the file it points to, so the link stays.
std::filesystem::path SaveTarget(const std::string& path);

// A name beside the target that no other save uses at the same time: where a file is written
// before it is renamed over the target.
std::filesystem::path TempPathBeside(const std::filesystem::path& target);

// Files on disk; a write goes to a temporary file beside the target, then renames it over,
// except where that cannot be done or would make it another file (a folder that takes no new
// file, a file with other hard links or another owner): then the file is written in place.
// Only regular files of at most kMaxReadBytes are read.
class DiskFileStore final : public FileStore {
public:
    static constexpr std::uintmax_t kMaxReadBytes = std::uintmax_t{1} << 30;
    bool ReadAll(const std::string& path, std::string& bytes, std::string& error) override;
    bool WriteAll(const std::string& path, std::string_view bytes, std::string& error) override;
};

}  // namespace zw
