// The read floor: the bytes of every pattern file below a folder read as the loader reads them
// (open, size, read, close), nothing parsed. Usage: ReadFloorBench FOLDER [JOBS]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/AtomicFile.h"
#include "app/Parallel.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: ReadFloorBench FOLDER [JOBS]\n");
        return 2;
    }
    const int jobs = argc > 2 ? std::atoi(argv[2]) : 1;
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[1])) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && (name.ends_with(".msi") || name.ends_with(".MSI")))
            paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    std::atomic<size_t> total{0};
    const auto start = std::chrono::steady_clock::now();
    ParallelFor(paths.size(), jobs, [&](size_t i) {
        std::string bytes;
        ReadRegularFile(paths[i], bytes);
        total += bytes.size();
    });
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%zu files, %.1f MB read in %.3f s\n", paths.size(), total / 1e6, elapsed.count());
    return 0;
}
