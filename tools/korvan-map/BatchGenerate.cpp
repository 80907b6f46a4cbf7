// korvan-map generate --seeds A-B: many maps at once, on worker threads over every processor.
#include "Verbs.h"

#include "map/MapFile.h"
#include "map/MapGenerator.h"
#include "map/RandomSource.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <csignal>
#include <ctime>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace korvan::cli {

namespace {

void MakeFolder(const std::string& folder)
{
    struct stat info{};
    if (::stat(folder.c_str(), &info) == 0) {
        if (!S_ISDIR(info.st_mode))
            throw Failure(folder, std::strerror(ENOTDIR));
        return;
    }
    if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST)
        throw Failure(folder, std::strerror(errno));
}

void ShowProgress(std::uint64_t done, std::uint64_t total)
{
    constexpr int Width = 40;
    const int filled = int(done * Width / total);
    std::fprintf(stderr, "\r[%s%s] %llu/%llu maps", std::string(std::size_t(filled), '#').c_str(),
                 std::string(std::size_t(Width - filled), ' ').c_str(), static_cast<unsigned long long>(done),
                 static_cast<unsigned long long>(total));
    std::fflush(stderr);
}

// SIGINT and SIGTERM held back from every thread while the batch runs, so that the main thread
// takes them (WaitForSignal) and the workers can finish the maps in flight; the old mask comes
// back afterwards.
class HeldSignals {
public:
    HeldSignals()
    {
        sigemptyset(&set_);
        sigaddset(&set_, SIGINT);
        sigaddset(&set_, SIGTERM);
        ::pthread_sigmask(SIG_BLOCK, &set_, &previous_);
    }
    ~HeldSignals() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

    // The signal that came within milliseconds, or 0.
    int WaitForSignal(long milliseconds) const
    {
        const timespec wait{milliseconds / 1000, (milliseconds % 1000) * 1000000};
        const int signal = ::sigtimedwait(&set_, nullptr, &wait);
        return signal > 0 ? signal : 0;
    }

private:
    sigset_t set_{}, previous_{};
};

}  // namespace

int GenerateBatch(std::uint32_t first, std::uint32_t last, const std::string& folder)
{
    MakeFolder(folder);
    const HeldSignals held;  // before the workers start: they inherit the mask
    int interrupted = 0;
    const std::uint64_t total = std::uint64_t(last) - first + 1;
    std::atomic<std::uint64_t> next{0}, done{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureLock;

    const auto work = [&] {
        try {
            for (std::uint64_t k = next++; k < total && !stop; k = next++) {
                const std::uint32_t state = static_cast<std::uint32_t>(first + k);
                // A fresh grid per map, as a single "generate --seed" run starts from.
                auto map = std::make_unique<MapState>();
                RandomSource rng{state};
                GenerateMap(map->Cells, rng);
                const std::string path = folder + "/" + std::to_string(state) + ".korv";
                // Another user may plant links in a shared folder: never write through one.
                OnFile(path, [&] { SaveMap(map->Cells, path, Links::Refuse); });
                ++done;
            }
        } catch (...) {
            std::lock_guard lock(failureLock);
            if (!failure)
                failure = std::current_exception();
            stop = true;
        }
    };
    // Two workers per processor: each save waits for the disk (fsync) for about a third as long
    // as a map takes to generate, and the second worker uses the processor meanwhile.
    const unsigned threads = 2 * std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::jthread> workers;
    for (unsigned i = 0; i < threads && i < total; ++i)
        workers.emplace_back(work);

    const bool progress = ::isatty(STDERR_FILENO);
    while (done < total && !stop) {
        if (progress)
            ShowProgress(done, total);
        interrupted = held.WaitForSignal(100);
        if (interrupted != 0)
            stop = true;  // the workers finish the maps they are writing, and take no more
    }
    workers.clear();  // joins
    if (interrupted == 0)
        interrupted = held.WaitForSignal(0);
    if (progress) {
        ShowProgress(done, total);
        std::fputc('\n', stderr);
    }
    if (interrupted != 0)
        return 128 + interrupted;
    if (failure)
        std::rethrow_exception(failure);
    return 0;
}

}  // namespace korvan::cli
