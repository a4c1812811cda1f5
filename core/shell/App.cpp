#include "core/shell/App.h"

#include "core/text/NumberText.h"
#include "core/window/WindowDescription.h"

#include <array>
#include <exception>
#include <string>

namespace orvane {

namespace {

// From the port scan on, a step that fails is skipped and start-up goes on with the next one.
template <class Step>
void skipOnFailure(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

}  // namespace

App::App(Profile profile, IRegisterModel& registerModel, Platform& platform)
    : m_profile(std::move(profile)),
      m_registerModel(registerModel),
      m_platform(platform),
      m_link(m_form, m_profile, platform.port, platform.portNaming),
      m_replies(m_form, m_profile, platform.port),
      m_frequencies(m_form, m_profile, platform),
      m_settings(m_form, m_profile, platform),
      m_log(m_form, platform, registerModel),
      m_getInfo(m_form, m_profile, platform.port, m_link),
      m_test(m_form, m_profile, platform.port, m_link),
      m_readBack(m_form, m_profile, platform.port, m_link),
      m_write(m_form, m_profile, platform.port, m_link),
      m_identity(m_form, m_profile, platform.port, m_link) {
    describeWindow(m_form, m_profile.window);
    wire();
}

void App::wire() {
    Form1& f = m_form;
    f.IntervalTimer.onTick = [this] { IntervalTimer_Timer(); };
    f.ComStart.onClick = [this] { m_link.ComStart_Click(); };
    f.Combo1.onDropDown = [this] { m_link.Combo1_DropDown(); };
    m_platform.port.setReceiveHandler([this] { m_replies.MSComm1_OnComm(); });
    m_platform.port.setLostHandler([this] { m_link.MSComm1_OnLost(); });

    f.GetInfoSW.onClick = [this] { m_getInfo.GetInfoSW_Click(); };
    f.GetInfoTimer.onTick = [this] {
        m_getInfo.GetInfoTimer_Timer();
        ticked(ExchangeKind::GetInfo);
    };
    f.TestTimer.onTick = [this] {
        m_test.TestTimer_Timer();
        ticked(ExchangeKind::Test);
    };
    f.ChCheckSW.onClick = [this] { m_readBack.ChCheckSW_Click(); };
    f.ReadAllTimer.onTick = [this] {
        m_readBack.ReadAllTimer_Timer();
        ticked(ExchangeKind::Check);
    };
    f.ChWriteSW.onClick = [this] { m_write.ChWriteSW_Click(); };
    f.WriteAllTimer.onTick = [this] {
        m_write.WriteAllTimer_Timer();
        ticked(ExchangeKind::Write);
    };
    f.IdentityTimer.onTick = [this] {
        m_identity.IdentityTimer_Timer();
        ticked(ExchangeKind::Identity);
    };

    for (int ch = 0; ch < 4; ++ch) {
        const auto i = static_cast<std::size_t>(ch);
        f.ChTestSW[i].onClick = [this, ch] { m_test.ChTestSW_Click(ch); };
        f.ChFrequency[i].onChange = [this, ch] { m_frequencies.ValidateFrequencyEntry(ch); };
        f.ChFrequency[i].onLostFocus = [this, ch] { m_frequencies.ValidateFrequencyEntry(ch); };
        f.Fup[i].onClick = [this, ch] { m_frequencies.StepFrequency(ch, +1); };
        f.Fdown[i].onClick = [this, ch] { m_frequencies.StepFrequency(ch, -1); };
    }
    f.FreqDefaultSW.onClick = [this] { m_frequencies.FreqDefaultSW_Click(); };
    f.FreqLoadSaveSW[0].onClick = [this] { m_frequencies.FreqLoadSaveSW_Click(0); };
    f.FreqLoadSaveSW[1].onClick = [this] { m_frequencies.FreqLoadSaveSW_Click(1); };

    // A write the module confirmed goes into the log while its tick box is ticked.
    f.outcome.observe([this](const Outcome& outcome) {
        if (outcome.exchange == ExchangeKind::Write && m_form.Check1.value() == 1 &&
            OperationLog::recordable(outcome))
            m_log.appendRecord(outcome);
    });
}

void App::Form_Load() {
    load(true);
}

void App::loadHeadless() {
    load(false);
}

void App::shapeWindow(Form1& f) const {
    const IAppInfo& app = m_platform.appInfo;
    const std::string major = std::to_string(app.versionMajor());
    const std::string minor = std::to_string(app.versionMinor());
    const std::string revision = std::to_string(app.versionRevision());
    f.form.setCaption(f.form.caption() + "   Ver.=" + major + "." + minor + "." + revision);
    f.form.setWidth(kWindowWidth);
    f.form.setHeight(kWindowHeight);
    f.DebugWidth = kDebugWindowWidth;
    f.Frame5.setLeft(kDebugFrameHiddenLeft);
}

void App::previewWindow(Window& window) const {
    // The same steps on a scratch window: the caption and size, then the settings file's records.
    Form1 scratch;
    scratch.form.setCaption(window.caption());
    scratch.form.setGeometry(window.geometry());
    shapeWindow(scratch);
    Settings settings(scratch, m_profile, m_platform);
    settings.applySettingsFile();
    window.setCaption(scratch.form.caption());
    window.setGeometry(scratch.form.geometry());
}

void App::load(bool windowed) {
    Form1& f = m_form;
    const IAppInfo& app = m_platform.appInfo;

    shapeWindow(f);
    f.decimalSeparator = app.decimalSeparator();

    if (windowed) skipOnFailure([this] { m_link.scanPorts(); });
    skipOnFailure([&] {
        f.RefFrequency = m_profile.refFrequency;
        f.CommonParam = m_profile.commonParam;
        f.Powcfg0Text = m_profile.powcfg0Text;
        f.Powcfg1Text = m_profile.powcfg1Text;
        f.ReserveText = m_profile.reserveText;
        f.PrescalerModulus = m_profile.prescalerModulus;
    });
    skipOnFailure([&] {
        f.ColorWindow = kSystemWindowColor;
        f.ColorGreen = kColorGreen;
        f.ColorYellow = kColorYellow;
        f.ColorGray = kColorGray;
        f.ColorPink = kColorPink;
    });
    skipOnFailure([this] { m_frequencies.FillFrequencyLists(); });
    skipOnFailure([this] { m_frequencies.SetDefaultFrequencies(); });
    skipOnFailure([this] { shapeGrid(); });
    skipOnFailure([&] {
        for (Label* label : {&f.P_Message, &f.C_Message, &f.T_Message, &f.L_Message})
            label->setCaption({});
    });
    skipOnFailure([&] {
        m_platform.fileDialog.setFilter("Freq. Table File(*.tbl)|*.tbl|All File|*.*|");
        m_platform.fileDialog.setInitialFolder(app.programFolder());
    });
    skipOnFailure([&] {
        f.ComStart.setToolTip("Port Open/Close.");
        f.Version.setToolTip("Program Version of Target-Module");
        f.GetInfoSW.setToolTip("Get Target-Module Information.");
        f.Serial.setToolTip("Identification code used in factory inspection.");
    });
    skipOnFailure([&] { f.LogFileName.setText(app.exeBaseName() + ".log"); });
    if (windowed) skipOnFailure([this] { m_settings.ReadSettingsFile(); });
}

void App::shapeGrid() {
    Grid& g = m_form.MSFlexGrid1;
    g.setColumnAlignment(0, Align::Left);
    g.setFixedAlignment(0, Align::Left);
    for (int col = 1; col <= 4; ++col)
        g.setColumnAlignment(col, Align::Center);
    for (int col = 1; col <= 4; ++col)
        g.setTextMatrix(0, col, "Ch." + std::to_string(col - 1));
    g.setColumnWidth(0, kGridTitleColumnWidth);
    for (int col = 1; col <= 4; ++col)
        g.setColumnWidth(col, kGridChannelColumnWidth);
    g.setTextMatrix(0, 0, "Register");
    int row = 1;
    for (const std::string& title : m_profile.window.gridRowTitles)
        g.setTextMatrix(row++, 0, title);
}

Progress App::progress(ExchangeKind exchange) const {
    switch (exchange) {
        case ExchangeKind::GetInfo:
            return m_getInfo.progress();
        case ExchangeKind::Test:
            return m_test.progress();
        case ExchangeKind::Check:
            return m_readBack.progress();
        case ExchangeKind::Identity:
            return m_identity.progress();
        case ExchangeKind::Write:
            break;
    }
    return m_write.progress();
}

void App::ticked(ExchangeKind exchange) {
    if (m_watcher && m_form.outcome.running() && m_form.outcome.exchange() == exchange)
        m_watcher->progressed(exchange, progress(exchange));
}

std::optional<std::string> App::openPort(const std::string& name) {
    if (m_link.open(name)) return std::nullopt;
    return m_link.openFailure();
}

bool App::startExchange(ExchangeKind exchange, int channel) {
    if (m_form.exchange.running()) return false;
    switch (exchange) {
        case ExchangeKind::GetInfo:
            m_getInfo.GetInfoSW_Click();
            break;
        case ExchangeKind::Test:
            m_test.ChTestSW_Click(channel);
            break;
        case ExchangeKind::Check:
            m_readBack.ChCheckSW_Click();
            break;
        case ExchangeKind::Write:
            m_write.ChWriteSW_Click();
            break;
        case ExchangeKind::Identity:
            m_identity.start();
            break;
    }
    return true;
}

void App::IntervalTimer_Timer() {
    for (int ch = 0; ch < 4; ++ch)
        m_registerModel.refreshChannel(m_form, ch);
}

void App::Form_Unload() {
    Form1& f = m_form;
    skipOnFailure([this] {
        if (m_platform.port.isOpen()) m_platform.port.close();
    });
    // No file stays open between events, so there is nothing else to close.
    for (int ch = 0; ch < 4; ++ch) {
        ComboBox& entry = f.ChFrequency[static_cast<std::size_t>(ch)];
        entry.setText(text::commaToPoint(entry.text()));
    }
    skipOnFailure([this] { m_settings.writeSettingsFile(); });
}

}  // namespace orvane
