#include "cli/output_file.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <system_error>

namespace zw::cli {

namespace {

namespace fs = std::filesystem;

bool IsStandardOutput(const std::string& target) {
    // Opened again by name, these would start a file that standard output appends to anew.
    return target == "-" || target == "/dev/stdout" || target == "/dev/fd/1" ||
           target == "/proc/self/fd/1";
}

std::string LastError() {
    return errno != 0 ? std::generic_category().message(errno) : "write error";
}

// Writes the bytes into `path` as it is opened; false with the reason.
bool WriteInto(const fs::path& path, std::string_view bytes, std::string& error) {
    errno = 0;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file.is_open()) {
        error = LastError();
        return false;
    }
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.flush();
    if (!file) {
        error = LastError();
        return false;
    }
    file.close();
    if (!file) {
        error = LastError();
        return false;
    }
    return true;
}

// A name beside `path` that no file has yet.
fs::path TemporaryBeside(const fs::path& path) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (unsigned attempt = 0;; ++attempt) {
        fs::path temporary = path;
        temporary += "." + std::to_string(stamp) + "-" + std::to_string(attempt) + ".part";
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(temporary, ec)))
            return temporary;
    }
}

}  // namespace

bool WriteOutputFile(const std::string& target, std::string_view bytes,
                     std::ostream& standardOutput, std::string& error) {
    if (IsStandardOutput(target)) {
        // A failure is the output's own, which the caller of the command reports.
        standardOutput.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        standardOutput.flush();
        return true;
    }
    fs::path path(target);
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_directory(status)) {
        error = std::make_error_code(std::errc::is_a_directory).message();
        return false;
    }
    if (fs::exists(status) && !fs::is_regular_file(status))
        return WriteInto(path, bytes, error);
    if (fs::is_symlink(fs::symlink_status(path, ec)) && fs::exists(status)) {
        path = fs::canonical(path, ec);
        if (ec) {
            error = ec.message();
            return false;
        }
    }
    const fs::path temporary = TemporaryBeside(path);
    if (!WriteInto(temporary, bytes, error)) {
        fs::remove(temporary, ec);
        return false;
    }
    if (fs::exists(status))
        fs::permissions(temporary, status.permissions(), ec);
    fs::rename(temporary, path, ec);
    if (ec) {
        error = ec.message();
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

}  // namespace zw::cli
