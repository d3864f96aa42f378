// Load and analyse a campaign of ten thousand 720-sample cuts, as an engineer loading a whole
// measurement campaign at once. Prints wall time of each phase and the peak resident memory.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "app/AtomicFile.h"
#include "app/TextUtil.h"
#include "commands/Analysis.h"
#include "document/QuadrelDoc.h"

namespace fs = std::filesystem;

namespace {
// A smooth main beam with side lobes; attenuation in dB at 0.5° steps over [0, 360).
std::string CutText(double width, double tilt, int frequency) {
    std::string text = "NAME BENCH\r\nFREQUENCY " + std::to_string(frequency) +
                       "\r\n720\r\nTILT\r\nCOMMENT\r\nHORIZONTAL 360\r\n";
    for (int i = 0; i < 720; ++i) {
        if (i == 360) text += "CONTINUED\r\n";
        double angle = i * 0.5;
        double a = angle > 180 ? angle - 360 : angle;
        double u = (a - tilt) / width;
        double field = std::abs(std::cos(u * 1.2)) * std::exp(-u * u * 0.15) + 0.003;
        double attenuation = std::min(45.0, -20.0 * std::log10(field));
        text += FormatFixed(angle, 1) + " " + FormatFixed(attenuation, 2) + "\r\n";
    }
    return text;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}
} // namespace

int main(int argc, char** argv) {
    const int cuts = argc > 1 ? std::atoi(argv[1]) : 10000;
    const fs::path root = fs::temp_directory_path() / "quadrel-bench-campaign";
    const fs::path folder = root / "Lab_Bench_QX65_20261208_B01_SN1";
    fs::create_directories(folder);
    std::vector<std::string> paths;
    const char* planes[] = {"h", "e"};
    const char* components[] = {"co", "cr"};
    for (int i = 0; (int)paths.size() < cuts; ++i) {
        const int port = i % 8 + 1;
        const int frequency = 1700 + (i / 32) % 500;
        const int tilt = (i / 8) % 2 * 6;
        for (const char* plane : planes)
            for (const char* component : components) {
                if ((int)paths.size() >= cuts) break;
                const std::string name = "p" + std::to_string(port) + (port % 2 ? "_p45_" : "_m45_") + plane +
                                         "_" + component + "_" + std::to_string(tilt) + "_0_" +
                                         std::to_string(frequency) + "_" + std::to_string(i) + "_x.msi";
                const fs::path path = folder / name;
                if (!fs::exists(path))
                    WriteFileAtomic(path.string(), CutText(plane[0] == 'h' ? 40.0 : 6.0, tilt, frequency));
                paths.push_back(path.string());
            }
    }
    CQuadrelDoc doc;
    auto start = std::chrono::steady_clock::now();
    doc.OpenFiles(paths);
    const double load = Seconds(start);
    start = std::chrono::steady_clock::now();
    AnalyseAll(doc);
    const double analyse = Seconds(start);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("cuts %zu  samples/cut %zu  load %.3f s  analyse %.3f s  total %.3f s  peak RSS %.1f MB\n",
                doc.table.size(), doc.table.empty() ? 0 : doc.table.begin()->second.samples.size(), load,
                analyse, load + analyse, usage.ru_maxrss / 1024.0);
    return 0;
}
