#include "platform/memory_platform.h"

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
    return Next(false, title, filter);
}

std::optional<std::string> ScriptedFileDialog::ShowSave(std::string_view title,
                                                        std::string_view filter) {
    return Next(true, title, filter);
}

std::optional<std::string> ScriptedFileDialog::Next(bool save, std::string_view title,
                                                    std::string_view filter) {
    shown.push_back({save, std::string(title), std::string(filter)});
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

MemoryPlatform::MemoryPlatform()
    : platform{messages, fileDialog, clipboard,    events, clock, random,       wait,
               dialogs,  files,      registration, shell,  app,   ProgramInfo{}} {
    platform.program.directory = "/opt/zellwerk";
    platform.program.exeBaseName = "Zellwerk";
}

}  // namespace zw
