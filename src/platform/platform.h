// The interfaces through which the core reaches the world. Each has a Qt or OS implementation
// and an in-memory one (memory_platform.h) for tests and the command-line tool.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/page.h"

namespace zw {

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Question, Exclamation, Critical };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// Message boxes; every box carries the application title "SuDoku" as its caption. Escape and the
// close box answer Cancel where there is one, and nothing where there is none.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer Show(std::string_view text, MsgButtons buttons, MsgIcon icon) = 0;
};

// The one common file dialog of the main window. The filter is "Description|*.ext". The path
// chosen last (in either dialog) is where the next one starts. nullopt: cancelled.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    virtual std::optional<std::string> ShowOpen(std::string_view title,
                                                std::string_view filter) = 0;
    // A name typed without an extension gets the one of the filter's first pattern (".sudoku"
    // for "*.sudoku"). Asks before it returns a file that exists, that name included, unless it
    // is one of `ownFiles`, the files the document came from or was saved to: replacing those is
    // what saving means. `startName`, when given, is the file name the dialog offers, in the
    // folder of the path chosen last; such a dialog leaves that path as it was.
    virtual std::optional<std::string> ShowSave(std::string_view title, std::string_view filter,
                                                const std::vector<std::string>& ownFiles = {},
                                                std::string_view startName = {}) = 0;
};

// The extension of a filter's first pattern, without its dot: "sudoku" for "...|*.sudoku|...".
inline std::string_view FilterExtension(std::string_view filter) {
    const std::size_t star = filter.find("*.");
    if (star == std::string_view::npos)
        return {};
    filter.remove_prefix(star + 2);
    return filter.substr(0, filter.find_first_of(";| "));
}

// `path` with "." and `extension` appended when its file name has no extension.
inline std::string WithExtension(std::string path, std::string_view extension) {
    const std::size_t name = path.find_last_of("/\\");
    const std::size_t dot = path.rfind('.');
    if (!extension.empty() &&
        (dot == std::string::npos || (name != std::string::npos && dot < name)))
        (path += '.') += extension;
    return path;
}

// Plain text on the system clipboard.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void Clear() = 0;                         // empties it, all formats
    virtual void SetText(std::string_view text) = 0;  // leaves other formats alone
    virtual std::string GetText() = 0;                // empty when it holds no text
};

// Lets pending window messages run (repaint, menu commands chosen meanwhile).
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void DoEvents() = 0;
};

// Time, dates and numbers in the user's formats.
class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic seconds, for elapsed times.
    virtual double Seconds() = 0;
    // Seeds for the random source: differs between two calls however close together.
    virtual std::uint64_t SeedFromClock() = 0;
    virtual std::string TimeOfDayText() = 0;  // "14:05:09" on a German system
    virtual std::string ShortDateText() = 0;  // "05.12.2026" on a German system
    // A number in the user's format with up to `digits` significant digits, shortest form.
    virtual std::string FormatNumber(double value, int digits) = 0;
};

// Uniform pseudo-random numbers in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Seed(std::uint64_t seed) = 0;
    virtual double Next() = 0;
};

// The wait window `frmWait`: a caption-less window with the label `Title` and a cancel button
// that sets the main window's cancel flag and hides the window.
class WaitWindow {
public:
    virtual ~WaitWindow() = default;
    virtual void Show() = 0;  // modeless, owned by the main window
    virtual void SetTitle(std::string_view text) = 0;
    virtual void Close() = 0;  // unload
};

// Options of the generator's dialog `frmMakeSuDoKu`.
struct MakeSuDoKuOptions {
    bool hard = false;  // "&Schwer" selected
    int fields = 45;    // the slider
};

// The booklet dialog `frmNewHeft`: one instance that keeps what the user left in it when
// cancelled, and starts afresh after OK.
struct NewHeftOptions {
    std::string count = "3";  // the text of Text1
    bool leicht = false, mittel = false, schwer = false, solutions = false;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // false: cancelled (the close box counts as cancel).
    virtual bool ShowMakeSuDoKu(MakeSuDoKuOptions& options) = 0;
    virtual bool ShowNewHeft(NewHeftOptions& options) = 0;
    virtual void ShowInfo() = 0;  // the about dialog, modal
};

// Whole files as bytes. Writing goes to a temporary file beside the target that is renamed
// over it, so a failed write leaves the old file as it was, wherever the file can be replaced
// so; elsewhere the file is written in place. Reading refuses what is no file or too large.
class FileStore {
public:
    virtual ~FileStore() = default;
    virtual bool ReadAll(const std::string& path, std::string& bytes, std::string& error) = 0;
    virtual bool WriteAll(const std::string& path, std::string_view bytes, std::string& error) = 0;
};

// Facts about the running program.
struct ProgramInfo {
    std::string directory;    // without a trailing separator
    std::string exeBaseName;  // file name without extension
    std::string commandLine;  // the whole argument text
    std::string productName = "Zellwerk";
    // One source for the version: the build's project version.
    int major = ZW_VERSION_MAJOR, minor = ZW_VERSION_MINOR, revision = ZW_VERSION_PATCH;
};

// Registers the puzzle file type with the desktop at every start; failures are silent.
class FileTypeRegistration {
public:
    virtual ~FileTypeRegistration() = default;
    virtual void RegisterFileType(const ProgramInfo& program) = 0;
};

// Opens documents with the system's viewer.
class Shell {
public:
    virtual ~Shell() = default;
    // owner: the native handle of the window the viewer belongs to (an HWND on Windows), or 0.
    // false when no viewer could be started for it.
    virtual bool OpenDocument(const std::string& path, const std::string& workingDirectory,
                              std::uintptr_t owner) = 0;
};

// The application: ends the program.
class Application {
public:
    virtual ~Application() = default;
    virtual void Quit() = 0;
};

// Everything the main window reaches, handed over at construction.
struct Platform {
    MessageBoxes& messages;
    FileDialog& fileDialog;
    Clipboard& clipboard;
    EventPump& events;
    Clock& clock;
    RandomSource& random;
    WaitWindow& wait;
    Dialogs& dialogs;
    FileStore& files;
    FileTypeRegistration& registration;
    Shell& shell;
    Application& app;
    Printer& printer;
    ProgramInfo program;
};

}  // namespace zw
