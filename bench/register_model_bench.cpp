// Cost of one channel's register computation, the work the 50 ms refresh does four times a tick.
#include "apps/brelund/BrelundProfile.h"
#include "apps/brelund/BrelundRegisterModel.h"
#include "apps/quorvex/QuorvexProfile.h"
#include "apps/quorvex/QuorvexRegisterModel.h"
#include "core/text/NumberText.h"
#include "core/window/Form1.h"
#include "core/window/WindowDescription.h"
#include "rxmodel/RxCounters.h"
#include "txmodel/TxRegisters.h"

#include <benchmark/benchmark.h>

namespace {

const char* const kTexts[] = {"868.0500", "868.3000", "869.7500", "869.9250", "868,3000", "abc"};

void TransmitterChannel(benchmark::State& state) {
    const orvane::tx::TxConstants constants{13, "1C", "0A", "FF"};
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
template <class Model, orvane::Profile (*MakeProfile)()>
void WindowRefresh(benchmark::State& state) {
    const orvane::Profile profile = MakeProfile();
    orvane::Form1 form;
    orvane::describeWindow(form, profile.window);
    form.RefFrequency = profile.refFrequency;
    form.Powcfg0Text = profile.powcfg0Text;
    form.Powcfg1Text = profile.powcfg1Text;
    form.ReserveText = profile.reserveText;
    form.PrescalerModulus = profile.prescalerModulus;
    Model model;
    for (int ch = 0; ch < 4; ++ch)
        form.ChFrequency[static_cast<std::size_t>(ch)].setText(kTexts[ch]);
    for (auto _ : state) {
        for (int ch = 0; ch < 4; ++ch)
            model.refreshChannel(form, ch);
    }
}
BENCHMARK(WindowRefresh<orvane::quorvex::QuorvexRegisterModel, &orvane::quorvex::profile>)
    ->Name("QuorvexRefreshTick");
BENCHMARK(WindowRefresh<orvane::brelund::BrelundRegisterModel, &orvane::brelund::profile>)
    ->Name("BrelundRefreshTick");

}  // namespace
