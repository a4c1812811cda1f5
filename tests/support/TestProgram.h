#pragma once

#include "apps/brelund/BrelundRegisterModel.h"
#include "apps/quorvex/QuorvexRegisterModel.h"
#include "core/shell/App.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/VirtualClock.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace orvane::test {

enum class Program { Quorvex, Brelund };

// "Quorvex" or "Brelund": how a parameterised case names its program.
inline std::string nameOf(Program program) {
    return program == Program::Quorvex ? "Quorvex" : "Brelund";
}

// A unique empty folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::string str() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

// One program with fakes for every platform service and the virtual clock driving its timers.
// The program folder is a fresh temporary folder. Call start() to run Form_Load.
class TestProgram : public FakePlatform {
public:
    explicit TestProgram(Program which);

    void start();          // Form_Load, then the clock takes over the timers
    void startHeadless();  // the same for a window no view shows (the headless command's)
    // Start-up as the programs run it with their window shown first: `build(preview, startUp)`
    // makes the view from the window's preview and calls startUp (start-up, then the clock).
    void startShownFirst(
        const std::function<void(const Window& preview, const std::function<void()>& startUp)>& build);
    void stop() { app->Form_Unload(); }

    Form1& form() { return app->form(); }
    // Advances virtual time; the register refresh and the exchanges tick on the way.
    void advance(VirtualClock::Millis ms) { clock.advance(ms); }

    Program which;
    TempFolder folder;
    VirtualClock clock;
    quorvex::QuorvexRegisterModel transmitterModel;
    brelund::BrelundRegisterModel receiverModel;
    std::unique_ptr<App> app;
};

// The program's settings file.
std::string settingsPath(const TestProgram& program);

// A file's exact bytes, or "<unreadable>"; and a file replaced by exactly these bytes.
std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

}  // namespace orvane::test
