// Cost of reading settings and table files: ordinary records, one long quoted field that is never
// closed, and long runs of empty fields. Each sweeps 1 KB .. 1 MB so that Google Benchmark fits the
// growth: reading has to stay linear in the file's size.
#include "core/files/FieldReader.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

using orvane::files::FieldReader;

std::string records(std::size_t size) {
    const std::string line = "CH2F ,868.3000,           Frequency comment\r\n";
    std::string text;
    while (text.size() < size)
        text += line;
    return text;
}

void countFields(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        FieldReader reader(text);
        std::size_t fields = 0;
        while (reader.next())
            ++fields;
        benchmark::DoNotOptimize(fields);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}

void Records(benchmark::State& state) {
    countFields(state, records(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(Records)->RangeMultiplier(8)->Range(1 << 10, 1 << 20)->Complexity(benchmark::oN);

void UnclosedQuote(benchmark::State& state) {
    countFields(state, "\"" + std::string(static_cast<std::size_t>(state.range(0)), 'x'));
}
BENCHMARK(UnclosedQuote)->RangeMultiplier(8)->Range(1 << 10, 1 << 20)->Complexity(benchmark::oN);

void EmptyFields(benchmark::State& state) {
    countFields(state, std::string(static_cast<std::size_t>(state.range(0)), ','));
}
BENCHMARK(EmptyFields)->RangeMultiplier(8)->Range(1 << 10, 1 << 20)->Complexity(benchmark::oN);

}  // namespace
