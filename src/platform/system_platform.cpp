#include "platform/system_platform.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "platform/number_format.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zw {

namespace fs = std::filesystem;

double SystemClock::Seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::uint64_t SystemClock::SeedFromClock() {
    // Nanoseconds, so two generations in the same second never share a seed.
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count());
}

namespace {
std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &now);
#else
    localtime_r(&now, &tm);
#endif
    return tm;
}
}  // namespace

std::string SystemClock::TimeOfDayText() {
    const std::tm tm = LocalNow();
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buffer;
}

std::string SystemClock::ShortDateText() {
    const std::tm tm = LocalNow();
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", tm.tm_mday, tm.tm_mon + 1,
                  tm.tm_year + 1900);
    return buffer;
}

std::string SystemClock::FormatNumber(double value, int digits) {
    return FormatSignificant(value, digits, ',');
}

namespace {

// The reason of a failed file operation, in the user's words.
std::string Reason(std::error_code ec, bool writing) {
    using std::errc;
    if (ec == errc::no_such_file_or_directory)
        return writing ? "Der Ordner wurde nicht gefunden." : "Die Datei wurde nicht gefunden.";
    if (ec == errc::permission_denied || ec == errc::operation_not_permitted)
        return "Der Zugriff wurde verweigert.";
    if (ec == errc::not_a_directory)
        return "Ein Teil des Pfades ist kein Ordner.";
    if (ec == errc::is_a_directory)
        return "Der Pfad ist ein Ordner.";
    if (ec == errc::no_space_on_device)
        return "Der Datenträger ist voll.";
    if (ec == errc::read_only_file_system)
        return "Der Datenträger ist schreibgeschützt.";
    if (ec == errc::file_too_large || ec == errc::not_enough_memory || ec == errc::value_too_large)
        return "Die Datei ist zu groß.";
    if (ec == errc::filename_too_long)
        return "Der Dateiname ist zu lang.";
    if (ec == errc::device_or_resource_busy || ec == errc::text_file_busy)
        return "Die Datei wird gerade von einem anderen Programm benutzt.";
    return "Systemfehler " + std::to_string(ec.value()) + ": " + ec.message();
}

// The error a failed stream operation left in errno, or `fallback` when it left none.
std::error_code LastError(std::errc fallback) {
    const int code = errno;
    return code != 0 ? std::error_code(code, std::generic_category())
                     : std::make_error_code(fallback);
}

// Why a path that exists is no file to read whole, empty when it is one.
std::string NotAFile(fs::file_type type) {
    switch (type) {
    case fs::file_type::regular:
        return {};
    case fs::file_type::fifo:
        return "Das ist keine Datei, sondern eine Pipe.";
    case fs::file_type::character:
    case fs::file_type::block:
        return "Das ist keine Datei, sondern ein Gerät.";
    case fs::file_type::socket:
        return "Das ist keine Datei, sondern ein Socket.";
    default:
        return "Das ist keine gewöhnliche Datei.";
    }
}

constexpr std::string_view kTooLarge = "Die Datei ist größer als 1 GB.";
static_assert(DiskFileStore::kMaxReadBytes == std::uintmax_t{1} << 30, "kTooLarge names it");

// Whether the file belongs to another user: a new file put in its place would be ours.
bool OwnedByOther(const fs::path& path) {
#ifdef _WIN32
    (void)path;
    return false;
#else
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && st.st_uid != ::geteuid();
#endif
}

// Writes `bytes` into `path` from its start. `opened` tells a file that could not be opened
// from one whose writing failed.
bool WriteBytes(const fs::path& path, std::string_view bytes, std::string& error, bool& opened) {
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    opened = static_cast<bool>(out);
    if (!opened) {
        error = Reason(LastError(std::errc::permission_denied), true);
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    out.close();
    if (!out) {
        error = Reason(LastError(std::errc::io_error), true);
        return false;
    }
    return true;
}

// Writes the file itself: it stays the same file with its links, owner and rights, but a write
// that fails half-way leaves it damaged.
bool WriteInPlace(const fs::path& target, std::string_view bytes, std::string& error) {
    bool opened = false;
    return WriteBytes(target, bytes, error, opened);
}

}  // namespace

fs::path SaveTarget(const std::string& path) {
    std::error_code ec;
    const fs::path target = fs::u8path(path);
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec)
            return resolved;
    }
    return target;
}

fs::path TempPathBeside(const fs::path& target) {
    using namespace std::chrono;
    const auto stamp = duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
    fs::path temp = target;
    temp += ".zw-" + std::to_string(stamp) + ".tmp";
    return temp;
}

bool DiskFileStore::ReadAll(const std::string& path, std::string& bytes, std::string& error) {
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    std::error_code ec;
    const fs::path p = fs::u8path(path);
    const fs::file_status status = fs::status(p, ec);
    if (ec || status.type() == fs::file_type::not_found) {
        error = Reason(ec ? ec : std::make_error_code(std::errc::no_such_file_or_directory), false);
        return false;
    }
    if (fs::is_directory(status)) {
        error = Reason(std::make_error_code(std::errc::is_a_directory), false);
        return false;
    }
    // A pipe or a device may never end, and opening a pipe waits for a writer: neither is
    // opened. A file too large to hold is refused before memory runs out.
    if (std::string why = NotAFile(status.type()); !why.empty()) {
        error = std::move(why);
        return false;
    }
    const std::uintmax_t size = fs::file_size(p, ec);
    if (!ec && size > kMaxReadBytes) {
        error = kTooLarge;
        return false;
    }
    errno = 0;
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        error = Reason(LastError(std::errc::permission_denied), false);
        return false;
    }
    std::string content;
    try {
        // The size is a hint only: the file may change while it is read.
        if (!ec && size > 0)
            content.reserve(static_cast<std::size_t>(size) + kChunk);
        for (;;) {
            const std::size_t old = content.size();
            if (old > kMaxReadBytes) {
                error = kTooLarge;
                return false;
            }
            content.resize(old + kChunk);
            in.read(content.data() + old, static_cast<std::streamsize>(kChunk));
            const auto got = static_cast<std::size_t>(in.gcount());
            content.resize(old + got);
            if (got < kChunk)
                break;
        }
    } catch (const std::bad_alloc&) {
        error = Reason(std::make_error_code(std::errc::not_enough_memory), false);
        return false;
    } catch (const std::length_error&) {
        error = Reason(std::make_error_code(std::errc::file_too_large), false);
        return false;
    }
    if (in.bad()) {
        error = Reason(LastError(std::errc::io_error), false);
        return false;
    }
    bytes = std::move(content);
    return true;
}

bool DiskFileStore::WriteAll(const std::string& path, std::string_view bytes, std::string& error) {
    std::error_code ec;
    const fs::path target = SaveTarget(path);
    const fs::file_status status = fs::status(target, ec);
    const bool exists = fs::exists(status);
    if (fs::is_directory(status)) {
        error = Reason(std::make_error_code(std::errc::is_a_directory), true);
        return false;
    }
    if (exists) {
        // Renaming over a write-protected file would succeed; its protection should win.
        errno = 0;
        std::ofstream probe(target, std::ios::binary | std::ios::app);
        if (!probe) {
            error = Reason(LastError(std::errc::permission_denied), true);
            return false;
        }
        // A new file renamed over it would part it from its other names or take it from its
        // owner.
        const std::uintmax_t links = fs::hard_link_count(target, ec);
        if ((!ec && links > 1) || OwnedByOther(target))
            return WriteInPlace(target, bytes, error);
    }
    const fs::path temp = TempPathBeside(target);
    std::error_code ignored;
    bool opened = false;
    if (!WriteBytes(temp, bytes, error, opened)) {
        // The folder takes no new file, but the file itself may be written.
        if (!opened && exists)
            return WriteInPlace(target, bytes, error);
        if (opened)
            fs::remove(temp, ignored);
        return false;
    }
    if (exists)
        fs::permissions(temp, status.permissions(), ignored);
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ignored);
        // A folder that lets only owners replace their files (the sticky bit) refuses the rename.
        if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted)
            return WriteInPlace(target, bytes, error);
        error = Reason(ec, true);
        return false;
    }
    return true;
}

}  // namespace zw
