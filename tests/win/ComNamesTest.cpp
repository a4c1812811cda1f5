// Port names and the port list of the Windows serial port.
#include "platform/win/services/ComName.h"
#include "platform/win/services/ComPortList.h"
#include "platform/win/services/WinPortNaming.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

namespace orvane::win {
namespace {

TEST(ComName, NumberOfPortNamesInAnyCaseAndDeviceForm) {
    const std::vector<std::pair<std::string, std::optional<int>>> cases = {
        {"COM1", 1},        {"com12", 12}, {"Com255", 255},     {"\\\\.\\COM12", 12},
        {"\\\\.\\com3", 3}, {"COM0", {}},  {"COM4097", {}},     {"COM07", {}},
        {"COM", {}},        {"COM1 ", {}}, {"\\\\?\\COM3", {}}, {"/dev/ttyS0", {}},
        {"LPT1", {}},       {"", {}},
    };
    for (const auto& [name, number] : cases)
        EXPECT_EQ(comNumberOf(name), number) << name;
    EXPECT_EQ(comDevicePath(12), L"\\\\.\\COM12");
}

TEST(WinPortNaming, OnlyComNamesNameAPort) {
    const WinPortNaming naming;
    const std::vector<std::pair<std::string, int>> cases = {
        {"com3", 3}, {"\\\\.\\COM12", 12}, {"/dev/ttyUSB0", 0}, {"\\\\.\\PhysicalDrive0", 0}, {"COM0", 0}};
    for (const auto& [text, number] : cases) {
        const PortChoice choice = naming.parse(text);
        EXPECT_EQ(choice.kind, number ? PortChoice::Kind::Number : PortChoice::Kind::None) << text;
        EXPECT_EQ(choice.number, number) << text;
    }
    EXPECT_EQ(naming.name(7), "COM7");
    EXPECT_FALSE(naming.deviceExists("COM1"));
}

// A registry key of the current user, removed again with the object.
class ScratchKey {
public:
    ScratchKey() {
        const std::wstring path = L"Software\\OrvaneTest-" + std::to_wstring(std::random_device{}());
        m_path = path;
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key,
                        nullptr);
    }
    ~ScratchKey() {
        if (m_key) RegCloseKey(m_key);
        RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    HKEY key() const { return m_key; }
    void set(const wchar_t* name, const std::wstring& text) {
        RegSetValueExW(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

private:
    std::wstring m_path;
    HKEY m_key = nullptr;
};

TEST(ComPortList, NamesOfTheKeyAscendingByNumberOnce) {
    ScratchKey scratch;
    ASSERT_NE(scratch.key(), nullptr);
    scratch.set(L"\\Device\\Serial10", L"COM10");
    scratch.set(L"\\Device\\Serial2", L"COM2");
    scratch.set(L"\\Device\\VCP0", L"com7");
    scratch.set(L"\\Device\\Again", L"COM2");
    scratch.set(L"\\Device\\Parallel0", L"LPT1");
    std::vector<std::pair<int, std::string>> listed;
    for (const PortEntry& entry : comPortsOfKey(scratch.key()))
        listed.emplace_back(entry.number, entry.device);
    // By number, not by text: COM10 after COM7.
    EXPECT_EQ(listed, (std::vector<std::pair<int, std::string>>{{2, "COM2"}, {7, "COM7"}, {10, "COM10"}}));
}

TEST(ComPortList, SystemListIsAscendingWithTheirOwnNames) {
    int last = 0;
    for (const PortEntry& entry : listComPorts()) {
        EXPECT_GT(entry.number, last);
        EXPECT_EQ(entry.device, comName(entry.number));
        last = entry.number;
    }
}

}  // namespace
}  // namespace orvane::win
