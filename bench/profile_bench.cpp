// Reading a settings file of the largest size the game accepts, in the shapes
// with the most lines per byte: the time, and the peak memory it takes beyond
// the text itself (kilobytes; it once took a hundred times the text).

#include "platform/private_profile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <malloc.h>
#include <string>

namespace {

/// Peak resident memory in kilobytes, reset first when asked; -1 where unknown.
long residentPeakKilobytes(bool reset) {
    if (reset && !(std::ofstream("/proc/self/clear_refs") << "5" << std::flush))
        return -1;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line) && !line.starts_with("VmHWM:")) {
    }
    return status ? std::stol(line.substr(6)) : -1;
}

void hugeProfile(benchmark::State& state, const std::string& line) {
    std::string text = line == "k=\n" ? "[A]\n" : "";
    while (text.size() < zandrel::kMaxProfileFileSize)
        text += line;
    long peak = 0;
    for (auto _ : state) {
        malloc_trim(0); // what earlier runs freed goes back first
        const long before = residentPeakKilobytes(true);
        const auto profile = zandrel::PrivateProfile::fromText(text);
        benchmark::DoNotOptimize(profile.getInt("A", "k", 4));
        peak = std::max(peak,
                        residentPeakKilobytes(false) - before); // the first run; later ones reuse its memory
    }
    state.counters["text_kb"] = double(text.size() / 1024);
    state.counters["peak_kb"] = double(peak);
}
BENCHMARK_CAPTURE(hugeProfile, blankLines, std::string("\n"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(hugeProfile, tinyKeys, std::string("k=\n"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(hugeProfile, tinySections, std::string("[s]\n"))->Unit(benchmark::kMillisecond);

} // namespace
