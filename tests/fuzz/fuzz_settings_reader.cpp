// Runs the whole settings reading of a program on arbitrary file content: the bytes become the
// settings file, start-up applies it, shut-down writes the file again and a second start reads
// that. Checks that the window lands where the limit rule allows and that the written file
// restores what the first start showed. One window serves the whole run, its files in memory:
// before every start the state a settings file can touch is put back as start-up leaves it.
#include "apps/quorvex/QuorvexProfile.h"
#include "apps/quorvex/QuorvexRegisterModel.h"
#include "core/shell/App.h"
#include "tests/support/FakePlatform.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace orvane;

void require(bool condition) {
    if (!condition) std::abort();
}

// What a settings file can change.
struct Touched {
    Rect geometry;
    std::string caption;
    int debugFrameLeft = 0;
    std::string debugMode;
    std::string port;
    std::string logFile;
    std::array<std::string, 4> channels;
};

Touched capture(Form1& f) {
    Touched t{f.form.geometry(),
              f.form.caption(),
              f.Frame5.left(),
              f.DebugMode,
              f.Combo1.text(),
              f.LogFileName.text(),
              {}};
    for (std::size_t ch = 0; ch < 4; ++ch)
        t.channels[ch] = f.ChFrequency[ch].text();
    return t;
}

void restore(Form1& f, const Touched& t) {
    f.form.setGeometry(t.geometry);
    f.form.setCaption(t.caption);
    f.Frame5.setLeft(t.debugFrameLeft);
    f.DebugMode = t.debugMode;
    f.Combo1.setText(t.port);
    f.LogFileName.setText(t.logFile);
    for (std::size_t ch = 0; ch < 4; ++ch)
        f.ChFrequency[ch].setText(t.channels[ch]);
}

struct LoadedWindow {
    LoadedWindow() {
        app.Form_Load();  // no settings file yet: what start-up leaves before applying one
        startState = capture(app.form());
    }
    test::FakePlatform fakes{test::FakePlatform::Files::Memory};
    quorvex::QuorvexRegisterModel model;
    App app{quorvex::profile(), model, fakes.platform};
    Touched startState;
};

// Whether the next run got the value back: exactly, or with some of its double quotes dropped
// (the only thing the format cannot hold). A value without a double quote comes back exactly.
bool restored(const std::string& back, const std::string& value) {
    std::size_t matched = 0;
    for (const char c : value) {
        if (matched < back.size() && back[matched] == c) {
            ++matched;
        } else if (c != '"') {
            return false;
        }
    }
    return matched == back.size();
}

bool within(int position, int limit) {
    return limit >= 0 ? (position >= 0 && position <= limit) : position == limit || position == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static LoadedWindow window;
    App& app = window.app;
    Form1& f = app.form();
    auto& files = window.fakes.memory.files;
    const std::string ini = app.settings().settingsPath();

    files[ini].assign(reinterpret_cast<const char*>(data), size);
    restore(f, window.startState);
    app.settings().ReadSettingsFile();

    // The window stays on the screen as far as it fits; the caption only ever gains the suffix.
    const bool debug = f.DebugMode == "ON";
    require(f.DebugMode.empty() || debug);
    require(f.form.width() == (debug ? 12300 : 6060));
    require(within(f.form.top(), window.fakes.screen.height - 7830));
    require(within(f.form.left(), window.fakes.screen.width - 6060));
    const std::string& caption = window.startState.caption;
    require(f.form.caption().compare(0, caption.size(), caption) == 0);
    require((f.form.caption().size() > caption.size()) == debug);

    app.Form_Unload();
    require(!files[ini].empty());
    const Touched first = capture(f);

    restore(f, window.startState);
    app.settings().ReadSettingsFile();
    const Touched second = capture(f);
    require(second.geometry == first.geometry);
    require(second.debugMode == first.debugMode);
    require(restored(second.port, first.port));
    require(restored(second.logFile, first.logFile));
    for (std::size_t ch = 0; ch < 4; ++ch)
        require(restored(second.channels[ch], first.channels[ch]));
    return 0;
}
