#pragma once

#include "core/platform/IAppInfo.h"
#include "core/platform/IClock.h"
#include "core/platform/IFileDialog.h"
#include "core/platform/IFileSystem.h"
#include "core/platform/IMessageBox.h"
#include "core/platform/IPortNaming.h"
#include "core/platform/IScreen.h"
#include "core/platform/ISerialPort.h"

namespace orvane {

// The platform services a program hands to its window: Qt implementations in the programs, fakes
// in the tests. Timers are not here: they are window controls driven by a clock from outside.
struct Platform {
    ISerialPort& port;
    IFileDialog& fileDialog;
    IMessageBox& messageBox;
    IAppInfo& appInfo;
    IScreen& screen;
    IClock& clock;
    IFileSystem& files;
    const IPortNaming& portNaming;
};

}  // namespace orvane
