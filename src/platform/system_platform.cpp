#include "platform/system_platform.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/number_format.h"

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

bool DiskFileStore::ReadAll(const std::string& path, std::string& bytes, std::string& error) {
    std::error_code ec;
    const fs::path p = fs::u8path(path);
    if (fs::is_directory(p, ec)) {
        error = "Der Pfad ist ein Ordner.";
        return false;
    }
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        error = fs::exists(p, ec) ? "Die Datei kann nicht gelesen werden."
                                  : "Die Datei wurde nicht gefunden.";
        return false;
    }
    std::string content;
    try {
        content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::bad_alloc&) {
        error = "Die Datei ist zu groß.";
        return false;
    }
    if (in.bad()) {
        error = "Beim Lesen ist ein Fehler aufgetreten.";
        return false;
    }
    bytes = std::move(content);
    return true;
}

bool DiskFileStore::WriteAll(const std::string& path, std::string_view bytes, std::string& error) {
    const fs::path target = fs::u8path(path);
    fs::path temp = target;
    temp += ".zw-tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "Die Datei kann nicht angelegt werden.";
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            error = "Beim Schreiben ist ein Fehler aufgetreten.";
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        error = "Die Datei kann nicht ersetzt werden.";
        return false;
    }
    return true;
}

}  // namespace zw
