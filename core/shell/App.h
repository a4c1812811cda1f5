#pragma once

#include "core/freq/Frequencies.h"
#include "core/link/Link.h"
#include "core/ops/ChannelTestExchange.h"
#include "core/ops/GetInfoExchange.h"
#include "core/ops/IdentityExchange.h"
#include "core/ops/OperationLog.h"
#include "core/ops/ReadBackExchange.h"
#include "core/ops/WriteExchange.h"
#include "core/platform/Platform.h"
#include "core/protocol/ReplyHandler.h"
#include "core/shell/Settings.h"
#include "core/window/Form1.h"
#include "core/window/IRegisterModel.h"
#include "core/window/Profile.h"

#include <functional>
#include <optional>
#include <string>

namespace orvane {

// One program's window with its behaviour: the window model, the subsystems that handle its
// events, and the wiring between them. Start-up and shut-down are here.
class App {
public:
    // The window of the program the profile describes, computing its registers with the model
    // (owned by the caller, which keeps it alive as long as the App).
    App(Profile profile, IRegisterModel& registerModel, Platform& platform);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Brings the window from its design state into its working state; the last step applies the
    // settings file.
    void Form_Load();
    // Start-up of a window that no view shows and that serves one port given from outside (the
    // headless command): every step of Form_Load but the port scan and the settings file, which
    // belong to the windows.
    void loadHeadless();
    // Closes the port, normalises the channel texts and writes the settings file.
    void Form_Unload();
    // The caption, place and size Form_Load will give the window, worked out without running it
    // (no port is scanned, no file created, nothing of the program changes), so that a view can
    // show the window at its place while start-up's slower steps are still to come. `window`
    // holds the place to start from and gets the result; a place the settings file does not give
    // stays as it was.
    void previewWindow(Window& window) const;

    // One register refresh: every channel, 0 to 3.
    void IntervalTimer_Timer();

    Form1& form() { return m_form; }
    const Profile& profile() const { return m_profile; }
    Link& link() { return m_link; }
    ReplyHandler& replies() { return m_replies; }
    Frequencies& frequencies() { return m_frequencies; }
    Settings& settings() { return m_settings; }
    OperationLog& operationLog() { return m_log; }
    GetInfoExchange& getInfo() { return m_getInfo; }
    ChannelTestExchange& channelTest() { return m_test; }
    ReadBackExchange& readBack() { return m_readBack; }
    WriteExchange& write() { return m_write; }
    IRegisterModel& registerModel() { return m_registerModel; }
    Platform& platform() { return m_platform; }
    // Where the running exchange of that kind is, as the exchange counts its steps.
    Progress progress(ExchangeKind exchange) const;

    // The program without its window, as the headless command uses it. Opens the port a name
    // selects, as "Open" does, without typing into the port box: nothing when it is open, else
    // why not.
    std::optional<std::string> openPort(const std::string& name);
    // Starts an exchange as its button does (`channel`: the channel a test loads); the identity
    // re-read has no button. False while another exchange runs.
    bool startExchange(ExchangeKind exchange, int channel = -1);
    // Told where the running exchange is after each of its ticks (nullptr: nobody).
    void setProgressWatcher(IProgressWatcher* watcher) { m_watcher = watcher; }

private:
    void load(bool windowed);
    // The first step of start-up: the window's caption (with the version) and size.
    void shapeWindow(Form1& form) const;
    void wire();
    void shapeGrid();
    // After a tick of an exchange's timer: the watcher hears where it is.
    void ticked(ExchangeKind exchange);

    Profile m_profile;
    IRegisterModel& m_registerModel;
    Platform& m_platform;
    Form1 m_form;
    Link m_link;
    ReplyHandler m_replies;
    Frequencies m_frequencies;
    Settings m_settings;
    OperationLog m_log;
    GetInfoExchange m_getInfo;
    ChannelTestExchange m_test;
    ReadBackExchange m_readBack;
    WriteExchange m_write;
    IdentityExchange m_identity;
    IProgressWatcher* m_watcher = nullptr;
};

}  // namespace orvane
