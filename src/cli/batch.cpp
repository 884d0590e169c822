#include "cli/batch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <optional>
#include <ostream>
#include <thread>
#include <vector>

#include "board/board_string.h"
#include "platform/system_platform.h"
#include "solver/fast_search.h"

namespace zw::cli {

void SolverWorker::Load(const Puzzle& puzzle) {
    solver.cancel = false;
    random.Restart();
    SetSuDoKuString(grid, puzzle.board);
}

bool FastOnBoardString(const SolverWorker& worker, const Puzzle& puzzle) {
    const SolverContext& ctx = worker.ctx;
    return ctx.engine == SearchEngine::Fast && !ctx.Logs() && !ctx.gCancel &&
           IsPlainBoardString(puzzle.board);
}

std::string BoardRows(const Grid& grid) {
    return RowsFromBoardString(GetSuDoKuString(grid), '.');
}

bool ReadSeed(const char* subcommand, const CommandLine& commandLine, std::ostream& err,
              std::uint64_t& seed) {
    if (!commandLine.Has("--seed")) {
        seed = SystemClock().SeedFromClock() >> 1;
        return true;
    }
    std::int64_t value = 0;
    if (!ParseCount(commandLine.options.at("--seed"), 0, std::numeric_limits<std::int64_t>::max(),
                    value)) {
        err << "zellwerk-cli " << subcommand << ": --seed needs a whole number from 0 to "
            << std::numeric_limits<std::int64_t>::max() << ", not '"
            << commandLine.options.at("--seed") << "'\n";
        return false;
    }
    seed = static_cast<std::uint64_t>(value);
    return true;
}

// splitmix64
std::uint64_t PuzzleSeed(std::uint64_t seed, std::uint64_t index) {
    std::uint64_t x = seed + index + 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

namespace {

// Items between reading and writing: what bounds the memory, whatever the input's length.
// Every slot is made at the start, so a short run pays for all of them.
constexpr std::size_t kWindow = 1024;
// Items a worker takes at a time when there are plenty, so the workers seldom meet on the lock;
// a lone worker takes more, as no other worker could start on them meanwhile.
constexpr std::uint64_t kMostPerTake = 8;
constexpr std::uint64_t kMostPerLoneTake = 64;
// Items the reader passes on at a time when the input has them at hand.
constexpr std::size_t kReadBatch = 64;
// How long the writer gathers texts after it has written some; it flushes before, so an answer
// never sits in the buffer behind a slow one.
constexpr auto kWriterPause = std::chrono::milliseconds(1);

struct Slot {
    Puzzle item;
    std::string text;
    std::atomic<bool> done{false};
};

// Reads, works and writes in turn on the calling thread, for when no thread can be had.
bool RunHere(const ReadItems& read, const ItemWork& work, std::ostream& out, Progress* progress) {
    SolverWorker solver;
    std::vector<Puzzle> items;
    std::uint64_t index = 0;
    for (read(items, kReadBatch); !items.empty() && out; read(items, kReadBatch)) {
        for (const Puzzle& item : items)
            out << work(solver, item, index++);
        out.flush();
        if (progress)
            progress->Update(index, std::nullopt);
    }
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace

std::jthread MakeThread(std::function<void()> body) {
    return std::jthread(std::move(body));
}

bool RunInOrder(int threads, const ReadItems& read, const ItemWork& work, std::ostream& out,
                std::ostream& err, Progress* progress, const ThreadMaker& makeThread) {
    std::vector<Slot> slots(kWindow);
    std::mutex mutex;
    std::condition_variable itemsRead, slotsFree, textDone;
    // The item the writer sleeps on: its worker wakes the writer, no other does.
    constexpr std::uint64_t kNothingAwaited = ~std::uint64_t{0};
    std::atomic<std::uint64_t> awaited{kNothingAwaited};
    // Under the mutex: items read, items taken by a worker, items written; a slot is reused
    // only once its text is written.
    std::uint64_t readCount = 0, taken = 0, written = 0;
    bool inputEnded = false, stopped = false;

    auto reader = [&] {
        std::vector<Puzzle> items;
        for (;;) {
            read(items, kReadBatch);
            std::unique_lock lock(mutex);
            if (!items.empty()) {
                slotsFree.wait(
                    lock, [&] { return stopped || readCount + items.size() <= written + kWindow; });
            }
            if (items.empty() || stopped) {
                inputEnded = true;
                itemsRead.notify_all();
                textDone.notify_one();
                return;
            }
            for (Puzzle& item : items)
                slots[readCount++ % kWindow].item = std::move(item);
            itemsRead.notify_all();
        }
    };
    auto worker = [&] {
        SolverWorker solver;
        const auto workers = static_cast<std::uint64_t>(std::max(threads, 1));
        const std::uint64_t most = workers == 1 ? kMostPerLoneTake : kMostPerTake;
        std::unique_lock lock(mutex);
        for (;;) {
            itemsRead.wait(lock, [&] { return stopped || inputEnded || taken < readCount; });
            if (stopped || taken == readCount)
                return;
            // A fair share of what is waiting, so a short input still keeps every worker busy.
            const std::uint64_t first = taken;
            taken += std::clamp<std::uint64_t>((readCount - taken) / workers, 1, most);
            const std::uint64_t end = taken;
            lock.unlock();
            for (std::uint64_t i = first; i < end; ++i) {
                Slot& slot = slots[i % kWindow];
                slot.text = work(solver, slot.item, i);
                slot.done.store(true);
                if (awaited.load() == i) {
                    const std::lock_guard wake(mutex);
                    textDone.notify_one();
                }
            }
            lock.lock();
        }
    };

    // A memory or process limit may leave fewer threads than asked for: the work goes on with
    // those it got, and says so at the end. Without a worker this thread does the work between its
    // writes; without a reader, which starts first, it does everything in turn.
    std::vector<std::jthread> pool;
    std::string failure;
    auto start = [&](std::function<void()> body) {
        try {
            pool.push_back(makeThread(std::move(body)));
            return true;
        } catch (const std::exception& e) {
            failure = e.what();
            return false;
        }
    };
    if (!start(reader)) {
        err << "zellwerk-cli: no thread could be started (" << failure << "); going on without\n";
        return RunHere(read, work, out, progress);
    }
    const int wanted = std::max(threads, 1);
    int workers = 0;
    while (workers < wanted && start(worker))
        ++workers;
    std::optional<SolverWorker> here;
    if (workers == 0)
        here.emplace();

    std::uint64_t next = 0;  // the writer's own count of written items
    for (;;) {
        const std::uint64_t before = next;
        for (Slot* slot = &slots[next % kWindow]; slot->done.load(std::memory_order_acquire);
             slot = &slots[next % kWindow]) {
            out << slot->text;
            // Its memory goes back at once: texts kept for a whole window would grow the
            // worker's heap page by page, and each new page costs a fault.
            std::string().swap(slot->text);
            slot->done.store(false, std::memory_order_relaxed);
            ++next;
        }
        std::unique_lock lock(mutex);
        if (next != before) {
            written = next;
            slotsFree.notify_one();
            if (progress)
                progress->Update(next, inputEnded ? std::optional(readCount) : std::nullopt);
        }
        if (!out || (inputEnded && next == readCount))
            break;
        if (here) {
            // The one worker is this thread: it takes the next item once read.
            if (taken == readCount) {
                lock.unlock();
                out.flush();
                lock.lock();
                itemsRead.wait(lock, [&] { return inputEnded || taken < readCount; });
                if (taken == readCount)
                    continue;
            }
            const std::uint64_t i = taken++;
            lock.unlock();
            Slot& slot = slots[i % kWindow];
            slot.text = work(*here, slot.item, i);
            slot.done.store(true);
            continue;
        }
        if (next != before) {
            // More may be done in a moment: pass on what there is, then gather for a while
            // rather than wake for every single text.
            lock.unlock();
            out.flush();
            std::this_thread::sleep_for(kWriterPause);
            continue;
        }
        awaited.store(next);
        textDone.wait(lock, [&] {
            return slots[next % kWindow].done.load() || (inputEnded && next == readCount);
        });
        awaited.store(kNothingAwaited);
    }
    out.flush();
    {
        const std::lock_guard lock(mutex);
        stopped = !out;
    }
    itemsRead.notify_all();
    slotsFree.notify_all();
    // Said once the reader, which may have its own say on `err`, is done.
    pool.clear();
    if (workers < wanted) {
        err << "zellwerk-cli: only " << workers + 1 << " of " << wanted + 1
            << " threads could be started (" << failure << "); the run went on with those\n";
    }
    return static_cast<bool>(out);
}

int RunPuzzleCommand(const CommandLine& commandLine, const PuzzleWork& work, std::istream& in,
                     std::ostream& out, std::ostream& err) {
    const std::unique_ptr<Progress> progress = Progress::ForTerminal(err);
    std::ostream& messages = progress ? progress->Messages() : err;
    PuzzleReader reader(commandLine.files, in, messages);
    const bool done = RunInOrder(
        commandLine.threads,
        [&reader](std::vector<Puzzle>& items, std::size_t max) { reader.Next(items, max); },
        [&work, engine = EngineOf(commandLine)](SolverWorker& worker, const Puzzle& puzzle,
                                                std::uint64_t) {
            worker.ctx.engine = engine;
            return work(worker, puzzle);
        },
        out, messages, progress.get());
    if (!done || reader.Unreadable())
        return 2;
    return reader.BadLines() ? 1 : 0;
}

int RunPuzzleCommand(const char* subcommand, const Arguments& args, const PuzzleWork& work,
                     Streams& io) {
    CommandLine cl;
    if (!ParseOrComplain(subcommand, args, {}, cl, io))
        return 2;
    return RunPuzzleCommand(cl, work, io.in, io.out, io.err);
}

}  // namespace zw::cli
