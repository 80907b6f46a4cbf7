// korvan-map generate --seeds A-B: many maps at once, on worker threads over every processor.
#include "Verbs.h"

#include "map/MapFile.h"
#include "map/MapGenerator.h"
#include "map/RandomSource.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
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

}  // namespace

void GenerateBatch(std::uint32_t first, std::uint32_t last, const std::string& folder)
{
    MakeFolder(folder);
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
                OnFile(path, [&] { SaveMap(map->Cells, path); });
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

    if (::isatty(STDERR_FILENO)) {
        while (done < total && !stop) {
            ShowProgress(done, total);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ShowProgress(done, total);
        std::fputc('\n', stderr);
    }
    workers.clear();  // joins
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace korvan::cli
