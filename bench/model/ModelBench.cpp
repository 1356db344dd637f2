// Micro-benchmarks of the model run's hot parts: the number conversions, reading a climate file
// from the page cache into the 12-hour sums, and the mould index over them.
#include "model/ClimateFile.h"
#include "model/ModelState.h"
#include "model/MouldIndex.h"
#include "platform/runtime/FloatText.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace mouldview;

// Climate-like number texts: temperatures with one decimal, humidities with three.
std::vector<std::string> NumberTexts() {
    std::mt19937 random(1);
    std::vector<std::string> texts;
    for (int i = 0; i < 4096; ++i) {
        char text[32];
        if (i % 2 == 0) {
            std::snprintf(text, sizeof text, "%.1f", static_cast<double>(random() % 600) / 10.0 - 20.0);
        } else {
            std::snprintf(text, sizeof text, "%.3f", static_cast<double>(random() % 1000) / 1000.0);
        }
        texts.push_back(std::string(text) + '\t' + std::string(16, '\0'));
    }
    return texts;
}

void BM_FastTextToFloat(benchmark::State& state) {
    const auto texts = NumberTexts();
    std::size_t i = 0;
    for (auto _ : state) {
        float value = 0.0f;
        benchmark::DoNotOptimize(runtime::FastTextToFloat(texts[i++ & 4095].c_str(), '.', value));
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_FastTextToFloat);

void BM_GeneralTextToFloat(benchmark::State& state) {
    auto texts = NumberTexts();
    for (std::string& text : texts) {
        text.resize(text.find('\t'));
    }
    std::size_t i = 0;
    for (auto _ : state) {
        float value = 0.0f;
        benchmark::DoNotOptimize(runtime::TextToFloat(texts[i++ & 4095], '.', value));
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_GeneralTextToFloat);

// A file that is removed when the program ends.
struct TTemporaryFile {
    std::string Path;
    ~TTemporaryFile() { std::remove(Path.c_str()); }
};

// A climate file of one million hourly lines in the temporary directory, written once.
const std::string& ClimateFile() {
    static const TTemporaryFile file{[] {
        const std::string file = "/tmp/mouldview-bench-" + std::to_string(::getpid()) + ".txt";
        std::ofstream out(file, std::ios::binary);
        std::mt19937 random(2);
        char line[64];
        for (int hour = 1; hour <= 1'000'000; ++hour) {
            const double temperature =
                10.0 + 8.0 * std::sin(hour / 1400.0) + static_cast<double>(random() % 40) / 10.0;
            const double humidity =
                0.75 + 0.2 * std::sin(hour / 900.0) + static_cast<double>(random() % 50) / 1000.0;
            std::snprintf(line, sizeof line, "%d\t%.1f\t%.3f\t\n", hour, temperature,
                          std::fmin(humidity, 1.0));
            out << line;
        }
        return file;
    }()};
    return file.Path;
}

void BM_ReadClimateFile(benchmark::State& state) {
    const std::string& path = ClimateFile();
    for (auto _ : state) {
        model::TModelState model;
        model::ReadClimateFile(model, path, '.');
        benchmark::DoNotOptimize(model.LineCount);
    }
    state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_ReadClimateFile)->Unit(benchmark::kMillisecond);

void BM_ComputeMouldIndex(benchmark::State& state) {
    model::TModelState loaded;
    model::ReadClimateFile(loaded, ClimateFile(), '.');
    for (auto _ : state) {
        state.PauseTiming();
        model::TModelState work = loaded; // the sums as the reader left them
        state.ResumeTiming();
        model::ComputeMouldIndex(work);
        benchmark::DoNotOptimize(work.PeriodCount);
    }
    state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_ComputeMouldIndex)->Unit(benchmark::kMillisecond);

} // namespace
