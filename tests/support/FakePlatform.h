#pragma once

#include "core/files/DiskFileSystem.h"
#include "core/platform/Platform.h"
#include "platform/linux/LinuxPortNaming.h"
#include "tests/support/FakeSerialPort.h"
#include "tests/support/Fakes.h"
#include "tests/support/MemoryFileSystem.h"

namespace orvane::test {

// Every platform service as a fake, bundled as the Platform a program is built with. Files go to
// the disk, or to memory where a run must not touch the disk (fuzz targets, benchmarks).
struct FakePlatform {
    enum class Files { Disk, Memory };

    explicit FakePlatform(Files where = Files::Disk)
        : platform{port,
                   dialog,
                   messageBox,
                   appInfo,
                   screen,
                   wallClock,
                   where == Files::Disk ? static_cast<IFileSystem&>(disk) : memory,
                   portNaming} {}
    FakePlatform(const FakePlatform&) = delete;  // `platform` refers to the members
    FakePlatform& operator=(const FakePlatform&) = delete;

    FakeSerialPort port;
    FakeFileDialog dialog;
    FakeMessageBox messageBox;
    FakeAppInfo appInfo;
    FakeScreen screen;
    FakeClock wallClock;
    files::DiskFileSystem disk;
    MemoryFileSystem memory;
    // The fake ports are named as on Linux: "COMn" exactly, device paths beginning with "/".
    linux_ports::LinuxPortNaming portNaming;
    Platform platform;
};

}  // namespace orvane::test
