// Cost of one channel's register computation, the work the 50 ms refresh does four times a tick.
#include "apps/brelund/BrelundProgram.h"
#include "apps/quorvex/QuorvexProgram.h"
#include "core/text/NumberText.h"
#include "rxmodel/RxCounters.h"
#include "txmodel/TxRegisters.h"

#include <benchmark/benchmark.h>

namespace {

const char* const kTexts[] = {"868.0500", "868.3000", "869.7500", "869.9250", "868,3000", "abc"};

void TransmitterChannel(benchmark::State& state) {
    const orvane::tx::TxConstants constants;
    std::size_t i = 0;
    for (auto _ : state) {
        const double f = orvane::text::leadingNumber(kTexts[i++ % 6]);
        benchmark::DoNotOptimize(orvane::tx::channelRegisters(f, constants));
    }
}
BENCHMARK(TransmitterChannel);

void ReceiverChannel(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        const char* text = kTexts[i++ % 6];
        const double step = orvane::text::leadingNumber(orvane::rx::stepCaption(text));
        benchmark::DoNotOptimize(
            orvane::rx::channelCounters(orvane::text::leadingNumber(text), step, 21.25, 128));
    }
}
BENCHMARK(ReceiverChannel);

// A whole refresh of the window model (four channels, grid cells and labels), values unchanged:
// the steady state of an idle window.
template <void (*Describe)(orvane::Form1&), orvane::Profile (*MakeProfile)()>
void WindowRefresh(benchmark::State& state) {
    orvane::Form1 form;
    Describe(form);
    form.MSFlexGrid1.setShape(form.MSFlexGrid1.rows(), 5);
    form.RefFrequency = MakeProfile().refFrequency;
    form.Powcfg0Text = "1C";
    form.Powcfg1Text = "0A";
    form.ReserveText = "FF";
    form.PrescalerModulus = 128;
    const orvane::Profile profile = MakeProfile();
    for (int ch = 0; ch < 4; ++ch)
        form.ChFrequency[static_cast<std::size_t>(ch)].setText(kTexts[ch]);
    for (auto _ : state) {
        for (int ch = 0; ch < 4; ++ch)
            profile.registerModel->refreshChannel(form, ch);
    }
}
BENCHMARK(WindowRefresh<&orvane::quorvex::describeWindow, &orvane::quorvex::profile>)
    ->Name("QuorvexRefreshTick");
BENCHMARK(WindowRefresh<&orvane::brelund::describeWindow, &orvane::brelund::profile>)
    ->Name("BrelundRefreshTick");

}  // namespace
