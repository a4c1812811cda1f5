#pragma once

// Header-only stand-ins for the platform services, for programs that cannot link the test support
// library (fuzz targets, benchmarks): a port whose input is set directly, no dialogs, fixed facts.

#include "core/platform/Platform.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::test {

// A port with no devices behind it: sends go nowhere, readAll() hands out `input`.
class InputOnlyPort : public ISerialPort {
public:
    std::string input;
    bool reportsOpen = false;

    std::vector<PortEntry> enumeratePorts() override { return {}; }
    bool setPortNumber(int number) override {
        m_number = number;
        return true;
    }
    int portNumber() const override { return m_number; }
    bool setDevicePath(const std::string&) override { return true; }
    bool open() override { return false; }
    void close() override {}
    bool isOpen() const override { return reportsOpen; }
    bool setDtr(bool) override { return true; }
    bool setRts(bool) override { return true; }
    std::string settings() const override { return "4800,n,8,1"; }
    bool send(std::string_view) override { return reportsOpen; }
    std::string readAll() override {
        std::string all;
        all.swap(input);
        return all;
    }
    void setReceiveHandler(std::function<void()>) override {}
    void setLostHandler(std::function<void()>) override {}
    std::string lastErrorText() const override { return {}; }

private:
    int m_number = 1;
};

class NoFileDialog : public IFileDialog {
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

class FixedAppInfo : public IAppInfo {
public:
    std::string folder = "/nonexistent-orvane";  // no settings file there: defaults stay
    std::string baseName = "Quorvex";
    int versionMajor() const override { return 1; }
    int versionMinor() const override { return 5; }
    int versionRevision() const override { return 2; }
    std::string programFolder() const override { return folder; }
    std::string exeBaseName() const override { return baseName; }
    char decimalSeparator() const override { return '.'; }
};

// A 1920 x 1080 pixel screen at 96 dpi.
class FixedScreen : public IScreen {
public:
    static constexpr int kWidth = 28800;
    static constexpr int kHeight = 16200;
    int widthTwips() const override { return kWidth; }
    int heightTwips() const override { return kHeight; }
};

class FixedClock : public IClock {
public:
    std::string shortDate() const override { return "2026/01/01"; }
    std::string timeOfDay() const override { return "00:00:00"; }
};

// All of the above, bundled as the Platform a program is built with.
struct NullPlatform {
    NullPlatform() = default;
    explicit NullPlatform(std::string programFolder) { appInfo.folder = std::move(programFolder); }
    NullPlatform(const NullPlatform&) = delete;  // `platform` refers to the members
    NullPlatform& operator=(const NullPlatform&) = delete;

    InputOnlyPort port;
    NoFileDialog dialog;
    NoMessageBox messageBox;
    FixedAppInfo appInfo;
    FixedScreen screen;
    FixedClock clock;
    Platform platform{port, dialog, messageBox, appInfo, screen, clock};
};

}  // namespace orvane::test
