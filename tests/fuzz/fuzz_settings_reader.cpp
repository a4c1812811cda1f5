// Runs the whole settings reading of a program on arbitrary file content: the bytes become the
// settings file, start-up applies it, shut-down writes the file again and a second run reads that.
// Checks that the window lands where the limit rule allows and that a written file restores what
// the first run showed: position and debug mode exactly, every text exactly but for double quotes
// the format cannot hold.
#include "apps/quorvex/QuorvexProgram.h"
#include "core/files/TextFile.h"
#include "core/platform/Platform.h"
#include "core/shell/App.h"
#include "tests/support/NullPlatform.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <stdlib.h>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace orvane;

void require(bool condition) {
    if (!condition) std::abort();
}

constexpr int kScreenWidth = test::FixedScreen::kWidth;
constexpr int kScreenHeight = test::FixedScreen::kHeight;

// One folder for the whole run, in memory where the system offers it.
std::string runFolder() {
    static const std::string folder = [] {
        char pattern[] = "/dev/shm/fuzz-settings-XXXXXX";
        if (const char* made = ::mkdtemp(pattern)) return std::string(made);
        char fallback[] = "/tmp/fuzz-settings-XXXXXX";
        const char* made = ::mkdtemp(fallback);
        require(made != nullptr);
        return std::string(made);
    }();
    return folder;
}

struct Program {
    test::NullPlatform fakes{runFolder()};
    App app{quorvex::profile(), fakes.platform, &quorvex::describeWindow};
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
    const std::string ini = files::joinPath(runFolder(), "Quorvex.ini");
    {
        std::ofstream out(ini, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        require(out.good());
    }

    auto first = std::make_unique<Program>();
    first->app.Form_Load();
    Form1& f = first->app.form();

    // The window stays on the screen as far as it fits; the caption only ever gains the suffix.
    const bool debug = f.DebugMode == "ON";
    require(f.DebugMode.empty() || debug);
    require(f.form.width() == (debug ? 12300 : 6060));
    require(within(f.form.top(), kScreenHeight - 7830));
    require(within(f.form.left(), kScreenWidth - 6060));
    const std::string caption = "ORVANE-T(869M)_Setup   Ver.=1.5.2";
    require(f.form.caption().compare(0, caption.size(), caption) == 0);
    require((f.form.caption().size() > caption.size()) == debug);

    first->app.Form_Unload();
    const std::string written = files::readWholeFile(ini).value_or("");
    require(!written.empty());

    auto second = std::make_unique<Program>();
    second->app.Form_Load();
    const Form1& g = second->app.form();
    require(g.form.top() == f.form.top());
    require(g.form.left() == f.form.left());
    require(g.DebugMode == f.DebugMode);
    require(restored(g.Combo1.text(), f.Combo1.text()));
    require(restored(g.LogFileName.text(), f.LogFileName.text()));
    for (std::size_t ch = 0; ch < 4; ++ch)
        require(restored(g.ChFrequency[ch].text(), f.ChFrequency[ch].text()));
    return 0;
}
