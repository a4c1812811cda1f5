// Cost of the receive handler (ReplyHandler::MSComm1_OnComm) on what a serial line can bring:
// the module's usual replies whole and split into single bytes, and long runs of noise in 64-byte
// reads, with and without a "*" that is never followed by CR. The noise runs sweep 1 KB .. 1 MB so
// that Google Benchmark fits the growth: it has to stay linear in the bytes received.
#include "apps/brelund/BrelundProfile.h"
#include "apps/quorvex/QuorvexProfile.h"
#include "core/protocol/ReplyHandler.h"
#include "core/window/Form1.h"
#include "core/window/WindowDescription.h"
#include "tests/support/FakeSerialPort.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

// One program's window after start-up as far as the receive handler needs it: controls, grid and
// profile.
template <orvane::Profile (*MakeProfile)()>
struct Receiver {
    // Channel 0's grid column holds `registers` (what the module echoes) and the write runs on
    // channel 0, so every echo matches and each reply is consumed, as in a working exchange.
    explicit Receiver(const std::vector<std::string>& registers)
        : profile(MakeProfile()), handler(form, profile, port) {
        orvane::describeWindow(form, profile.window);
        port.setReceiveHandler([this] { handler.MSComm1_OnComm(); });
        for (std::size_t row = 0; row < registers.size(); ++row)
            form.MSFlexGrid1.setTextMatrix(static_cast<int>(row) + 1, 1, registers[row]);
        form.CommonParam = profile.commonParam;
        form.ChIndex = 0;
    }
    // Hands the bytes to the handler in reads of `chunk` bytes.
    void deliver(const std::string& bytes, std::size_t chunk) {
        for (std::size_t at = 0; at < bytes.size(); at += chunk) {
            port.deliver(bytes.substr(at, chunk));
        }
    }

    orvane::Form1 form;
    orvane::Profile profile;
    orvane::test::FakeSerialPort port;
    orvane::ReplyHandler handler;
};

using Transmitter = Receiver<&orvane::quorvex::profile>;
using ReceiverModule = Receiver<&orvane::brelund::profile>;

const std::vector<std::string> kTxRegisters = {"21", "62", "76", "1C", "0A", "FF",
                                               "21", "62", "76", "1C", "0A", "FF"};
const std::vector<std::string> kRxRegisters = {"21", "62", "76", "1C", "0A"};

// What a transmitter module answers during Get Info., a test, a check and a write of one channel.
const std::string kTypicalReplies =
    "*V T1.02 ORVANE-MOD\r"
    "*D 0A1B2C 2024/05/17 FO=00\r"
    "*M 0A,26,C8\r"
    "*T  21,62,76,1C,0A,FF,21,62,76,1C,0A,FF\r"
    "*R 00 21,62,76,1C,0A,FF,21,62,76,1C,0A,FF\r"
    "*W 00 21,62,76,1C,0A,FF,21,62,76,1C,0A,FF\r"
    "*C 00 OK\r";

std::string noise(std::size_t size, bool withStar) {
    std::string bytes;
    bytes.reserve(size);
    const char pattern[] = "noise on the line 0123456789 ABCDEF \x01\x7f\n";
    for (std::size_t i = 0; bytes.size() < size; ++i)
        bytes += pattern[i % (sizeof pattern - 1)];
    if (withStar) bytes[0] = '*';
    return bytes;
}

void report(benchmark::State& state, std::size_t bytesPerIteration) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytesPerIteration));
}

// Seven usual replies arriving whole, one read each.
void TypicalRepliesWhole(benchmark::State& state) {
    Transmitter rx(kTxRegisters);
    for (auto _ : state)
        rx.deliver(kTypicalReplies, kTypicalReplies.size());
    report(state, kTypicalReplies.size());
}
BENCHMARK(TypicalRepliesWhole);

// The same replies in 64-byte reads, as a USB serial adapter may hand them over.
void TypicalReplies64(benchmark::State& state) {
    Transmitter rx(kTxRegisters);
    for (auto _ : state)
        rx.deliver(kTypicalReplies, 64);
    report(state, kTypicalReplies.size());
}
BENCHMARK(TypicalReplies64);

// The same replies one byte per receive event: the worst split a slow line produces.
void TypicalRepliesSingleBytes(benchmark::State& state) {
    Transmitter rx(kTxRegisters);
    for (auto _ : state)
        rx.deliver(kTypicalReplies, 1);
    report(state, kTypicalReplies.size());
}
BENCHMARK(TypicalRepliesSingleBytes);

// The receiver program's replies: its profile compares other counts.
void ReceiverRepliesWhole(benchmark::State& state) {
    ReceiverModule rx(kRxRegisters);
    const std::string replies =
        "*V R1.02 ORVANE-MOD\r"
        "*D 0A1B2C 2024/05/17\r"
        "*T 21,62,76,1C,0A\r"
        "*R 00 21,62,76,1C,0A\r"
        "*W 00 21,62,76,1C,0A\r";
    for (auto _ : state)
        rx.deliver(replies, replies.size());
    report(state, replies.size());
}
BENCHMARK(ReceiverRepliesWhole);

// N bytes of noise in 64-byte reads, on a fresh window each time. Without a "*" nothing can start
// a line; with a leading "*" and no CR everything is one unfinished line that keeps growing.
void Noise(benchmark::State& state, bool withStar) {
    const std::string bytes = noise(static_cast<std::size_t>(state.range(0)), withStar);
    for (auto _ : state) {
        state.PauseTiming();
        auto rx = std::make_unique<Transmitter>(kTxRegisters);
        state.ResumeTiming();
        rx->deliver(bytes, 64);
        benchmark::DoNotOptimize(rx->form.RxBuffer.size());
        state.PauseTiming();
        rx.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
    report(state, bytes.size());
}
BENCHMARK_CAPTURE(Noise, without_star, false)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 20)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(Noise, star_never_ended, true)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 20)
    ->Complexity(benchmark::oN);

}  // namespace
