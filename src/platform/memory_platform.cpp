#include "platform/memory_platform.h"

#include <cstdio>

#include "platform/number_format.h"

namespace zw {

MsgAnswer ScriptedMessageBoxes::Show(std::string_view text, MsgButtons buttons, MsgIcon icon) {
    shown.push_back({std::string(text), buttons, icon});
    if (onShow)
        onShow();
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    if (answers.empty())
        return defaultAnswer;
    const MsgAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedFileDialog::ShowOpen(std::string_view title,
                                                        std::string_view filter) {
    return Next({false, std::string(title), std::string(filter), {}, {}});
}

std::optional<std::string> ScriptedFileDialog::ShowSave(std::string_view title,
                                                        std::string_view filter,
                                                        const std::vector<std::string>& ownFiles,
                                                        std::string_view startName) {
    std::optional<std::string> answer =
        Next({true, std::string(title), std::string(filter), ownFiles, std::string(startName)});
    if (answer && !answer->empty())
        *answer = WithExtension(std::move(*answer), FilterExtension(filter));
    return answer;
}

std::optional<std::string> ScriptedFileDialog::Next(Shown next) {
    shown.push_back(std::move(next));
    if (answers.empty())
        return std::nullopt;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    if (answer)
        lastPath = *answer;
    return answer;
}

void MemoryClipboard::Clear() {
    text.clear();
    otherFormats = false;
}

void MemoryClipboard::SetText(std::string_view value) {
    text = value;
}

void CountingEventPump::DoEvents() {
    ++calls;
    if (action && calls == actAt)
        action();
}

std::string FakeClock::FormatNumber(double value, int digits) {
    return FormatSignificant(value, digits, ',');
}

void MemoryWaitWindow::Show() {
    visible = true;
    loaded = true;
}

void MemoryWaitWindow::SetTitle(std::string_view text) {
    loaded = true;
    titles.emplace_back(text);
}

bool ScriptedDialogs::ShowMakeSuDoKu(MakeSuDoKuOptions& options) {
    return makeSuDoKu ? makeSuDoKu(options) : false;
}

bool ScriptedDialogs::ShowNewHeft(NewHeftOptions& options) {
    return newHeft ? newHeft(options) : false;
}

bool MemoryFileStore::ReadAll(const std::string& path, std::string& bytes, std::string& error) {
    const auto it = files.find(path);
    if (it == files.end()) {
        error = "Die Datei wurde nicht gefunden.";
        return false;
    }
    bytes = it->second;
    return true;
}

bool MemoryFileStore::WriteAll(const std::string& path, std::string_view bytes,
                               std::string& error) {
    if (failWrites) {
        error = "Der Datenträger ist voll.";
        return false;
    }
    files[path] = std::string(bytes);
    return true;
}

namespace {

std::string Hex(Colour colour) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(colour));
    return buffer;
}

std::string Number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

}  // namespace

void RecordingCanvas::FillRect(int x, int y, int width, int height, Colour colour) {
    ops.push_back("rect " + std::to_string(x) + " " + std::to_string(y) + " " +
                  std::to_string(width) + " " + std::to_string(height) + " " + Hex(colour));
}

void RecordingCanvas::DrawLine(int x1, int y1, int x2, int y2, double width, Colour colour) {
    ops.push_back("line " + std::to_string(x1) + " " + std::to_string(y1) + " " +
                  std::to_string(x2) + " " + std::to_string(y2) + " " + Number(width) + " " +
                  Hex(colour));
}

void RecordingCanvas::DrawFocusRect(int x, int y, int width, int height, double lineWidth,
                                    Colour colour) {
    ops.push_back("focus " + std::to_string(x) + " " + std::to_string(y) + " " +
                  std::to_string(width) + " " + std::to_string(height) + " " + Number(lineWidth) +
                  " " + Hex(colour));
}

void RecordingCanvas::DrawText(int x, int y, int width, std::string_view text, const Font& font,
                               Colour colour, TextAlign align) {
    ops.push_back("text " + std::to_string(x) + " " + std::to_string(y) + " " +
                  std::to_string(width) + (align == TextAlign::Center ? " center " : " left ") +
                  (font.face.empty() ? "default" : font.face) + " " + Number(font.points) +
                  (font.bold ? " bold " : " ") + Hex(colour) + " \"" + std::string(text) + "\"");
}

bool RecordingPrinter::BeginPrinterJob(std::string_view jobName, std::string& error) {
    if (!failBegin.empty()) {
        error = failBegin;
        return false;
    }
    documents.push_back({false, std::string(jobName), {}, false});
    canvas_.ops.clear();
    return true;
}

bool RecordingPrinter::BeginPdf(const std::string& path, std::string_view, std::string& error) {
    if (!failBegin.empty()) {
        error = failBegin;
        return false;
    }
    documents.push_back({true, path, {}, false});
    canvas_.ops.clear();
    return true;
}

void RecordingPrinter::NewPage() {
    documents.back().pages.push_back(std::move(canvas_.ops));
    canvas_.ops.clear();
}

bool RecordingPrinter::End(std::string& error) {
    NewPage();
    documents.back().ended = true;
    if (!failEnd.empty()) {
        error = failEnd;
        return false;
    }
    return true;
}

MemoryPlatform::MemoryPlatform()
    : platform{messages, fileDialog, clipboard,    events, clock, random,  wait,
               dialogs,  files,      registration, shell,  app,   printer, ProgramInfo{}} {
    platform.program.directory = "/opt/zellwerk";
    platform.program.exeBaseName = "Zellwerk";
}

Platform MemoryPlatform::With(const PlatformParts& parts) {
    return Platform{messages,
                    fileDialog,
                    parts.clipboard ? *parts.clipboard : clipboard,
                    parts.events ? *parts.events : events,
                    clock,
                    random,
                    parts.wait ? *parts.wait : wait,
                    parts.dialogs ? *parts.dialogs : dialogs,
                    parts.files ? *parts.files : files,
                    registration,
                    shell,
                    app,
                    parts.printer ? *parts.printer : printer,
                    platform.program};
}

}  // namespace zw
