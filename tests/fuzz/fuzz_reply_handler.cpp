// Feeds arbitrary bytes, in arbitrary pieces, to the receive handler of both programs and checks
// what must hold after every receive event: no crash, Term within 1000 characters with the caret at
// its end, ReplyFlag 0 or 1, and reply lines cut exactly as the documented extraction steps cut them.
#include "apps/brelund/BrelundProgram.h"
#include "apps/quorvex/QuorvexProgram.h"
#include "core/platform/Platform.h"
#include "core/protocol/ReplyLines.h"
#include "core/shell/App.h"

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

// A port whose input is whatever the fuzzer hands it next.
class InputPort : public ISerialPort {
public:
    std::string input;
    std::vector<PortEntry> enumeratePorts() override { return {}; }
    bool setPortNumber(int) override { return true; }
    int portNumber() const override { return 1; }
    bool setDevicePath(const std::string&) override { return true; }
    bool open() override { return false; }
    void close() override {}
    bool isOpen() const override { return false; }
    bool setDtr(bool) override { return true; }
    bool setRts(bool) override { return true; }
    std::string settings() const override { return "4800,n,8,1"; }
    bool send(std::string_view) override { return false; }
    std::string readAll() override {
        std::string all;
        all.swap(input);
        return all;
    }
    void setReceiveHandler(std::function<void()>) override {}
    std::string lastErrorText() const override { return {}; }
};

class NoDialog : public IFileDialog {
public:
    void setFilter(const std::string&) override {}
    void setInitialFolder(const std::string&) override {}
    bool show(Mode) override { return false; }
    std::string fileName() const override { return {}; }
};

class NoMessageBox : public IMessageBox {
public:
    bool askOkCancel(const std::string&, const std::string&) override { return false; }
};

class Info : public IAppInfo {
public:
    int versionMajor() const override { return 1; }
    int versionMinor() const override { return 5; }
    int versionRevision() const override { return 2; }
    // No settings file there: start-up keeps its defaults.
    std::string programFolder() const override { return "/nonexistent-orvane-fuzz"; }
    std::string exeBaseName() const override { return "Fuzz"; }
    char decimalSeparator() const override { return '.'; }
};

class Screen : public IScreen {
public:
    int widthTwips() const override { return 28800; }
    int heightTwips() const override { return 16200; }
};

class Clock : public IClock {
public:
    std::string shortDate() const override { return "2026/01/01"; }
    std::string timeOfDay() const override { return "00:00:00"; }
};

// The extraction steps as documented, for one receive event.
void referenceEvent(std::string& buffer, std::string_view chunk, std::vector<std::string>& lines) {
    buffer += chunk;
    for (;;) {
        const std::size_t p1 = buffer.find('*');
        const std::size_t p2 = p1 == std::string::npos ? p1 : buffer.find('*', p1 + 1);
        const std::size_t pc = p1 == std::string::npos ? p1 : buffer.find('\r', p1 + 1);
        if (p2 != std::string::npos && pc != std::string::npos && p2 < pc) {
            buffer.erase(0, p2);
            continue;
        }
        if (p1 == std::string::npos || pc == std::string::npos) return;
        lines.push_back(buffer.substr(p1, pc - p1));
        buffer.erase(0, pc + 1);
    }
}

// Input layout: byte 0 picks the running channel (-1 to 5, outside 0..3 on purpose); then pieces,
// each a length byte (low 6 bits: 1 to 64 bytes; high bit: the exchange resets ReplyFlag first)
// followed by that many bytes delivered as one receive event.
void run(Profile profile, App::DescribeWindow describe, std::string_view data) {
    InputPort port;
    NoDialog dialog;
    NoMessageBox messageBox;
    Info info;
    Screen screen;
    Clock clock;
    Platform platform{port, dialog, messageBox, info, screen, clock};
    App app(std::move(profile), platform, describe);
    app.Form_Load();
    app.IntervalTimer_Timer();  // register texts in the grid, as after the first tick
    Form1& f = app.form();
    f.ChIndex = static_cast<int>(static_cast<unsigned char>(data[0]) % 7) - 1;

    std::string referenceBuffer;
    std::string cutBuffer;
    std::size_t searched = 0;
    for (std::size_t i = 1; i < data.size();) {
        const auto head = static_cast<unsigned char>(data[i]);
        const std::size_t length = 1 + (head & 0x3F);
        const std::string_view chunk = data.substr(i + 1, length);
        i += 1 + length;
        if ((head & 0x80) != 0) f.ReplyFlag = 0;

        port.input = std::string(chunk);
        app.replies().MSComm1_OnComm();
        require(f.Term.text().size() <= 1000);
        require(f.Term.caret() == f.Term.text().size());
        require(f.ReplyFlag == 0 || f.ReplyFlag == 1);

        // The line cutting on its own (never stopping) against the documented steps.
        std::vector<std::string> expected;
        std::vector<std::string> got;
        referenceEvent(referenceBuffer, chunk, expected);
        appendAndCutLines(cutBuffer, searched, chunk, [&got](std::string_view line) {
            got.emplace_back(line);
            return true;
        });
        require(got == expected);
        require(referenceBuffer.ends_with(cutBuffer));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    run(quorvex::profile(), &quorvex::describeWindow, input);
    run(brelund::profile(), &brelund::describeWindow, input);
    return 0;
}
