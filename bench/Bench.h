#pragma once

#include <QString>
#include <functional>
#include <vector>

// A tiny registry of benchmarks: each bench_*.cpp registers its runs with
// BENCHMARK(name); `kartoteka_bench [name...]` runs them and prints figures.
namespace bench {

struct Entry {
    const char* name;
    std::function<void()> run;
};

std::vector<Entry>& registry();

struct Registrar {
    Registrar(const char* name, std::function<void()> run) {
        registry().push_back({name, std::move(run)});
    }
};

// Median of the durations in milliseconds of `repeats` calls of fn.
double medianMs(int repeats, const std::function<void()>& fn);

void print(const QString& line);

} // namespace bench

#define BENCH_CONCAT2(a, b) a##b
#define BENCH_CONCAT(a, b) BENCH_CONCAT2(a, b)
#define BENCHMARK(name)                                                                            \
    static void BENCH_CONCAT(bench_fn_, __LINE__)();                                               \
    static bench::Registrar BENCH_CONCAT(bench_reg_, __LINE__)(name,                               \
                                                               BENCH_CONCAT(bench_fn_, __LINE__)); \
    static void BENCH_CONCAT(bench_fn_, __LINE__)()
