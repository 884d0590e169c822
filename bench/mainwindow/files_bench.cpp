// Loading and saving a 200,000-line puzzle file through the main window's Open and Save, on
// the in-memory platform and on disk. Besides the time, each run reports the most memory the
// command held at once beyond the log it leaves, as a multiple of the file's size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "mainwindow/frm_main.h"
#include "platform/memory_platform.h"
#include "platform/system_platform.h"

// Heap accounting for the whole program: bytes held now and the most held since a reset.
namespace {
constexpr std::size_t kHeader = alignof(std::max_align_t);
std::size_t heapNow = 0;
std::size_t heapPeak = 0;

void* Allocate(std::size_t size) {
    void* block = std::malloc(size + kHeader);
    if (block == nullptr)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    heapNow += size;
    if (heapNow > heapPeak)
        heapPeak = heapNow;
    return static_cast<char*>(block) + kHeader;
}

void Release(void* p) noexcept {
    if (p == nullptr)
        return;
    void* block = static_cast<char*>(p) - kHeader;
    heapNow -= *static_cast<std::size_t*>(block);
    std::free(block);
}
}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}

namespace zw {
namespace {

constexpr int kLines = 200'000;

// Keeps the last progress text only: the bench measures the core, not a recording fake.
class QuietWaitWindow final : public WaitWindow {
public:
    void Show() override {}
    void SetTitle(std::string_view text) override { last.assign(text); }
    void Close() override {}
    std::string last;
};

// A file as a long solver run leaves it: a changing board and typical log texts.
std::string MakeFile() {
    std::string content;
    std::string board(81, ' ');
    const char* const texts[] = {"Eingabe ok.", "Lösen... Lösung gefunden (1).",
                                 "Generierung... Überflüssige Zahlen löschen ..."};
    std::string text;
    for (int i = 0; i < kLines; ++i) {
        board[static_cast<std::size_t>(i % 81)] = static_cast<char>('1' + i % 9);
        content += board;
        content += "14:03:27\t";
        text.clear();
        // The file is Windows-1252: one byte per umlaut.
        for (const char* p = texts[i % 3]; *p != '\0'; ++p) {
            const auto b = static_cast<unsigned char>(*p);
            if (b == 0xC3) {
                const auto next = static_cast<unsigned char>(*++p);
                text += static_cast<char>(next + 0x40);
            } else {
                text += *p;
            }
        }
        content += text;
        content += "\r\n";
    }
    return content;
}

const std::string& File() {
    static const std::string file = MakeFile();  // built once, before any timing
    return file;
}

struct Bench {
    explicit Bench(FileStore& store) : files(store) { form.Form_Load(); }
    MemoryPlatform mp;
    QuietWaitWindow wait;
    FileStore& files;
    Platform platform = mp.With({.wait = &wait, .files = &files});
    frmMain form{platform};

    void Open(const std::string& path) {
        mp.fileDialog.answers.push_back(path);
        form.mFileOpen_Click();
    }
    void SaveAs(const std::string& path) {
        mp.fileDialog.answers.push_back(path);
        form.mFileSaveAs_Click();
    }
};

std::string TempFile(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

std::string ReadDisk(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Loads, checks the result once, then times loads; reports the transient memory.
void RunLoad(benchmark::State& state, FileStore& store, const std::string& path,
             const std::function<std::string(const std::string&)>& read) {
    Bench b(store);
    b.Open(path);
    b.SaveAs(path + ".check");
    if (b.form.List1.ListCount() != kLines || read(path + ".check") != File() ||
        !b.mp.messages.shown.empty()) {
        state.SkipWithError("the loaded log does not save back byte for byte");
        return;
    }
    double extra = 0;
    std::size_t log = 0;
    for (auto _ : state) {
        b.form.mFileNew_Click();
        const std::size_t before = heapNow;
        heapPeak = heapNow;
        b.Open(path);
        log = heapNow - before;
        extra = static_cast<double>(heapPeak - before - log) / static_cast<double>(File().size());
    }
    state.counters["file_MB"] = static_cast<double>(File().size()) / 1e6;
    state.counters["log_MB"] = static_cast<double>(log) / 1e6;
    state.counters["extra_x_file"] = extra;
}

void RunSave(benchmark::State& state, FileStore& store, const std::string& path,
             const std::function<std::string(const std::string&)>& read) {
    Bench b(store);
    b.Open(path);
    b.SaveAs(path + ".out");
    if (read(path + ".out") != File()) {
        state.SkipWithError("the saved file differs from the loaded one");
        return;
    }
    double extra = 0;
    for (auto _ : state) {
        const std::size_t before = heapNow;
        heapPeak = heapNow;
        b.form.mFileSave_Click();
        extra = static_cast<double>(heapPeak - before) / static_cast<double>(File().size());
    }
    state.counters["extra_x_file"] = extra;
}

void BM_LoadMemory(benchmark::State& state) {
    MemoryFileStore store;
    store.files["a.sudoku"] = File();
    RunLoad(state, store, "a.sudoku", [&](const std::string& p) { return store.files[p]; });
}

void BM_SaveMemory(benchmark::State& state) {
    MemoryFileStore store;
    store.files["a.sudoku"] = File();
    RunSave(state, store, "a.sudoku", [&](const std::string& p) { return store.files[p]; });
}

void BM_LoadDisk(benchmark::State& state) {
    DiskFileStore store;
    const std::string path = TempFile("zw-files-bench.sudoku");
    std::ofstream(path, std::ios::binary) << File();
    RunLoad(state, store, path, ReadDisk);
    std::remove(path.c_str());
    std::remove((path + ".check").c_str());
}

void BM_SaveDisk(benchmark::State& state) {
    DiskFileStore store;
    const std::string path = TempFile("zw-files-bench-save.sudoku");
    std::ofstream(path, std::ios::binary) << File();
    RunSave(state, store, path, ReadDisk);
    std::remove(path.c_str());
    std::remove((path + ".out").c_str());
}

BENCHMARK(BM_LoadMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDisk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDisk)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zw

BENCHMARK_MAIN();
