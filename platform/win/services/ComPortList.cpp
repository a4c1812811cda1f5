#include "platform/win/services/ComPortList.h"

#include "platform/win/services/ComName.h"
#include "platform/win/services/TextConvert.h"

#include <map>
#include <optional>

// windows.h first: the SetupAPI headers build on it; initguid.h makes devguid.h define the GUIDs.
// clang-format off
#include <windows.h>
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>
// clang-format on

namespace orvane::win {

namespace {

// A string value's text without the terminating zeros (registry strings need not have one).
std::wstring stringOf(const std::wstring& data) {
    const auto end = data.find(L'\0');
    return end == std::wstring::npos ? data : data.substr(0, end);
}

// The text of a value of the key, or nothing when it is missing or no string.
std::optional<std::wstring> readString(HKEY key, const wchar_t* name) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return stringOf(data);
}

// A text property of a device from SetupAPI, "" when it has none.
std::wstring deviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
    wchar_t buffer[256] = {};
    if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr,
                                           reinterpret_cast<BYTE*>(buffer), sizeof buffer - sizeof(wchar_t),
                                           nullptr))
        return {};
    return buffer;
}

// The description of each port number that SetupAPI knows a device of the Ports class for.
std::map<int, std::string> portDescriptions() {
    std::map<int, std::string> descriptions;
    HDEVINFO devices = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) return descriptions;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
        HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE) continue;
        const auto portName = readString(key, L"PortName");
        RegCloseKey(key);
        const auto number = portName ? comNumberOf(narrow(*portName)) : std::nullopt;
        if (!number) continue;
        std::wstring text = deviceProperty(devices, device, SPDRP_DEVICEDESC);
        if (text.empty()) text = deviceProperty(devices, device, SPDRP_FRIENDLYNAME);
        descriptions[*number] = narrow(text);
    }
    SetupDiDestroyDeviceInfoList(devices);
    return descriptions;
}

}  // namespace

std::vector<PortEntry> comPortsOfKey(void* key) {
    std::map<int, PortEntry> byNumber;  // ascending, once each
    const auto hkey = static_cast<HKEY>(key);
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumValueW(hkey, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const auto text = readString(hkey, name);
        const auto number = text ? comNumberOf(narrow(*text)) : std::nullopt;
        if (number) byNumber.emplace(*number, PortEntry{*number, comName(*number), {}});
    }
    std::vector<PortEntry> ports;
    for (auto& [number, entry] : byNumber)
        ports.push_back(std::move(entry));
    return ports;
}

std::vector<PortEntry> listComPorts() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return {};
    std::vector<PortEntry> ports = comPortsOfKey(key);
    RegCloseKey(key);
    const std::map<int, std::string> descriptions = portDescriptions();
    for (PortEntry& port : ports) {
        if (const auto found = descriptions.find(port.number); found != descriptions.end())
            port.description = found->second;
    }
    return ports;
}

}  // namespace orvane::win
