// Feeds arbitrary bytes, in arbitrary pieces, to the receive handler of either program and checks
// what must hold after every receive event: no crash, the caret at the end of Term, ReplyFlag 0 or 1,
// and reply lines cut exactly as the step-by-step reference cuts them; and Term within 1000
// characters at the end.
#include "apps/brelund/BrelundProfile.h"
#include "apps/brelund/BrelundRegisterModel.h"
#include "apps/quorvex/QuorvexProfile.h"
#include "apps/quorvex/QuorvexRegisterModel.h"
#include "core/protocol/ReplyLines.h"
#include "core/shell/App.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ReferenceLineCutter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace orvane;

void require(bool condition) {
    if (!condition) std::abort();
}

template <class Model>
struct LoadedWindow {
    explicit LoadedWindow(Profile profile) : app(std::move(profile), model, fakes.platform) {
        app.Form_Load();
        app.IntervalTimer_Timer();  // register texts in the grid, as after the first tick
    }
    test::FakePlatform fakes{test::FakePlatform::Files::Memory};
    Model model;
    App app;
};

// Input layout: byte 0 picks the program (high bit: the receiver) and the running channel (the rest
// modulo 7, minus 1: -1 to 5, outside 0..3 on purpose); then pieces, each a length byte (low 6
// bits: 1 to 64 bytes; high bit: the exchange resets ReplyFlag first) followed by that many bytes
// delivered as one receive event. Each input gets a fresh receive handler and an empty RxBuffer,
// so nothing of one input reaches the next.
void run(App& app, test::FakeSerialPort& port, std::string_view data) {
    Form1& f = app.form();
    f.RxBuffer.clear();
    f.ReplyFlag = 0;
    ReplyHandler handler(f, app.profile(), port);
    port.setReceiveHandler([&handler] { handler.MSComm1_OnComm(); });
    f.ChIndex = static_cast<int>((static_cast<unsigned char>(data[0]) & 0x7F) % 7) - 1;

    std::string referenceBuffer;
    std::string cutBuffer;
    std::size_t searched = 0;
    std::vector<std::string> expected;
    std::vector<std::string> got;
    for (std::size_t i = 1; i < data.size();) {
        const auto head = static_cast<unsigned char>(data[i]);
        const std::size_t length = 1 + (head & 0x3F);
        const std::string_view chunk = data.substr(i + 1, length);
        i += 1 + length;
        if ((head & 0x80) != 0) f.ReplyFlag = 0;
        port.deliver(std::string(chunk));
        require(f.Term.caret() == f.Term.text().size());
        require(f.ReplyFlag == 0 || f.ReplyFlag == 1);

        // The line cutting on its own (never stopping) against the step-by-step reference.
        expected.clear();
        got.clear();
        test::referenceEvent(referenceBuffer, chunk, [&expected](std::string_view line) {
            expected.emplace_back(line);
            return true;
        });
        appendAndCutLines(cutBuffer, searched, chunk, [&got](std::string_view line) {
            got.emplace_back(line);
            return true;
        });
        require(got == expected);
        require(referenceBuffer.ends_with(cutBuffer));
    }
    // Term never grows past 1000 characters (UTF-8 continuation bytes are not characters).
    const std::string& term = f.Term.text();
    require(std::count_if(term.begin(), term.end(), [](char c) { return (c & 0xC0) != 0x80; }) <= 1000);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static LoadedWindow<quorvex::QuorvexRegisterModel> transmitter(quorvex::profile());
    static LoadedWindow<brelund::BrelundRegisterModel> receiver(brelund::profile());
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if ((data[0] & 0x80) == 0)
        run(transmitter.app, transmitter.fakes.port, input);
    else
        run(receiver.app, receiver.fakes.port, input);
    return 0;
}
