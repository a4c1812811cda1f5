#include "tests/support/TestProgram.h"

#include "apps/brelund/BrelundProfile.h"
#include "apps/quorvex/QuorvexProfile.h"
#include "core/files/TextFile.h"
#include "core/shell/ProgramLifetime.h"

#include <atomic>
#include <fstream>
#include <random>
#include <system_error>

namespace orvane::test {

TempFolder::TempFolder() {
    // A random number per process (in place of its id, which has no portable call) and a counter
    // within it keep folders of parallel test processes apart.
    static const unsigned processTag = std::random_device{}();
    static std::atomic<int> counter{0};
    const auto base = std::filesystem::temp_directory_path();
    const std::string unique = "orvane-test-" + std::to_string(processTag) + "-" + std::to_string(counter++);
    m_path = base / unique;
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

TestProgram::TestProgram(Program program) : which(program) {
    appInfo.folder = folder.str();
    appInfo.baseName = nameOf(program);
    port.now = [this] { return static_cast<long long>(clock.now()); };
    port.post = [this](std::function<void()> event) { clock.after(0, std::move(event)); };
    if (program == Program::Quorvex)
        app = std::make_unique<App>(quorvex::profile(), transmitterModel, platform);
    else
        app = std::make_unique<App>(brelund::profile(), receiverModel, platform);
}

void TestProgram::start() {
    app->Form_Load();
    clock.attachAll(app->form());
}

void TestProgram::startHeadless() {
    app->loadHeadless();
    clock.attachAll(app->form());
}

void TestProgram::startShownFirst(
    const std::function<void(const Window& preview, const std::function<void()>& startUp)>& build) {
    ProgramLifetime lifetime(*app, screen);
    Window preview;
    lifetime.preview(preview);
    build(preview, [&] {
        lifetime.load();
        clock.attachAll(app->form());
    });
}

std::string settingsPath(const TestProgram& program) {
    return files::joinPath(program.folder.str(), program.appInfo.baseName + ".ini");
}

std::string readBytes(const std::string& path) {
    return files::readWholeFile(path).value_or("<unreadable>");
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace orvane::test
