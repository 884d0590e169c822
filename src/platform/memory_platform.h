// In-memory implementations of every platform interface, scriptable and recording, for tests
// and for the command-line tool.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/random.h"

namespace zw {

class ScriptedMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        std::string text;
        MsgButtons buttons;
        MsgIcon icon;
    };
    MsgAnswer Show(std::string_view text, MsgButtons buttons, MsgIcon icon) override;
    std::vector<Shown> shown;
    std::deque<MsgAnswer> answers;  // answers for the questions, in order
    MsgAnswer defaultAnswer = MsgAnswer::No;
    std::function<void()> onShow;  // runs while a box is showing
};

class ScriptedFileDialog final : public FileDialog {
public:
    struct Shown {
        bool save;
        std::string title, filter;
        std::vector<std::string> ownFiles;  // Save: the files replaced without a question
        std::string startName;              // Save: the name offered, if any
    };
    std::optional<std::string> ShowOpen(std::string_view title, std::string_view filter) override;
    // A name answered without an extension gets the filter's, as a real dialog adds it.
    std::optional<std::string> ShowSave(std::string_view title, std::string_view filter,
                                        const std::vector<std::string>& ownFiles = {},
                                        std::string_view startName = {}) override;
    std::vector<Shown> shown;
    std::deque<std::optional<std::string>> answers;  // nullopt: the user cancels
    std::string lastPath;

private:
    std::optional<std::string> Next(Shown shown);
};

class MemoryClipboard final : public Clipboard {
public:
    void Clear() override;
    void SetText(std::string_view value) override;
    std::string GetText() override { return text; }
    std::string text;
    bool otherFormats = false;  // data of other formats another program left there
};

// Counts its calls; can run an action at the k-th call (1-based), e.g. a cancel.
class CountingEventPump final : public EventPump {
public:
    void DoEvents() override;
    long long calls = 0;
    long long actAt = 0;
    std::function<void()> action;
};

class FakeClock final : public Clock {
public:
    double Seconds() override { return seconds += step; }
    std::uint64_t SeedFromClock() override { return ++seeds; }
    std::string TimeOfDayText() override { return timeOfDay; }
    std::string ShortDateText() override { return date; }
    std::string FormatNumber(double value, int digits) override;
    double seconds = 0.0;
    double step = 0.0;
    std::uint64_t seeds = 0;
    std::string timeOfDay = "14:03:27";
    std::string date = "05.12.2026";
};

class MemoryWaitWindow final : public WaitWindow {
public:
    void Show() override;
    void SetTitle(std::string_view text) override;
    void Close() override { visible = false, loaded = false; }
    std::vector<std::string> titles;
    bool visible = false;
    bool loaded = false;
};

class ScriptedDialogs final : public Dialogs {
public:
    bool ShowMakeSuDoKu(MakeSuDoKuOptions& options) override;
    bool ShowNewHeft(NewHeftOptions& options) override;
    void ShowInfo() override { ++infoShown; }
    // What the user does in the next dialogs: the options to leave and whether to press OK.
    std::function<bool(MakeSuDoKuOptions&)> makeSuDoKu;
    std::function<bool(NewHeftOptions&)> newHeft;
    int infoShown = 0;
};

class MemoryFileStore final : public FileStore {
public:
    bool ReadAll(const std::string& path, std::string& bytes, std::string& error) override;
    bool WriteAll(const std::string& path, std::string_view bytes, std::string& error) override;
    std::map<std::string, std::string> files;
    bool failWrites = false;
};

class NoFileTypeRegistration final : public FileTypeRegistration {
public:
    void RegisterFileType(const ProgramInfo&) override { ++calls; }
    int calls = 0;
};

class RecordingShell final : public Shell {
public:
    bool OpenDocument(const std::string& path, const std::string& dir,
                      std::uintptr_t owner) override {
        opened.push_back(path + "|" + dir);
        owners.push_back(owner);
        return !failOpen;
    }
    std::vector<std::string> opened;
    std::vector<std::uintptr_t> owners;
    bool failOpen = false;  // as if no viewer were installed
};

class MemoryApplication final : public Application {
public:
    void Quit() override { ++quits; }
    int quits = 0;
};

// Records every drawing call as one line of text ("rect ...", "line ...", "text ...").
class RecordingCanvas final : public Canvas {
public:
    double PixelTwips() const override { return pixelTwips; }
    void FillRect(int x, int y, int width, int height, Colour colour) override;
    void DrawLine(int x1, int y1, int x2, int y2, double width, Colour colour) override;
    void DrawFocusRect(int x, int y, int width, int height, double lineWidth,
                       Colour colour) override;
    void DrawText(int x, int y, int width, std::string_view text, const Font& font, Colour colour,
                  TextAlign align) override;
    double pixelTwips = 2.4;  // a 600-dpi printer
    std::vector<std::string> ops;
};

// Keeps every document with its pages of recorded drawing calls; can be told to fail.
class RecordingPrinter final : public Printer {
public:
    struct Document {
        bool pdf = false;
        std::string target;  // the job name or the PDF path
        std::vector<std::vector<std::string>> pages;
        bool ended = false;
    };
    bool BeginPrinterJob(std::string_view jobName, std::string& error) override;
    bool BeginPdf(const std::string& path, std::string_view title, std::string& error) override;
    Canvas& Page() override { return canvas_; }
    void NewPage() override;
    bool End(std::string& error) override;
    std::vector<Document> documents;
    std::string failBegin;  // not empty: Begin fails with this reason
    std::string failEnd;    // not empty: End fails with this reason

private:
    RecordingCanvas canvas_;
};

// Real parts that take the place of in-memory ones; null keeps the in-memory part.
struct PlatformParts {
    Clipboard* clipboard = nullptr;
    EventPump* events = nullptr;
    WaitWindow* wait = nullptr;
    Dialogs* dialogs = nullptr;
    FileStore* files = nullptr;
    Printer* printer = nullptr;
};

// All of the above, wired into one Platform.
class MemoryPlatform {
public:
    MemoryPlatform();
    // The same platform with some parts replaced, for a window that works partly for real.
    Platform With(const PlatformParts& parts);
    ScriptedMessageBoxes messages;
    ScriptedFileDialog fileDialog;
    MemoryClipboard clipboard;
    CountingEventPump events;
    FakeClock clock;
    MersenneRandom random;
    MemoryWaitWindow wait;
    ScriptedDialogs dialogs;
    MemoryFileStore files;
    NoFileTypeRegistration registration;
    RecordingShell shell;
    MemoryApplication app;
    RecordingPrinter printer;
    Platform platform;
};

}  // namespace zw
