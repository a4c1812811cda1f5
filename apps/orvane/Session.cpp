#include "apps/orvane/Session.h"

#include "core/ops/ExchangeSupport.h"

namespace orvane::cli {

namespace {

constexpr const char* kPortError = "Com port Error!";
constexpr const char* kNoResponse = "Not Response!!";
constexpr const char* kNoIdentity = "Not Response!! (or target error)";

}  // namespace

Session::Session(App& app, After after, Clock clock)
    : m_app(app), m_after(std::move(after)), m_clock(std::move(clock)) {
    Form1& f = m_app.form();
    for (Timer* timer : {&f.GetInfoTimer, &f.TestTimer, &f.ReadAllTimer, &f.WriteAllTimer}) {
        // Every tick of an exchange is watched: the step it was at tells where a reply was missing.
        timer->onTick = [this, timer, tick = timer->onTick] { onTick(*timer, tick); };
        // The exchange is over when its timer stops; its closing step may still be running then.
        timer->observe([this, timer](Prop prop, int) {
            if (prop == Prop::Enabled && !timer->isEnabled() && m_timer == timer)
                m_after(0, [this, timer] {
                    if (m_timer == timer && !timer->isEnabled()) finish();
                });
        });
    }
    for (Label* label : {&f.T_Message, &f.C_Message}) {
        label->observe([this, label](Prop prop, int) {
            if (prop == Prop::Text && m_timer && !label->caption().empty())
                m_record.messages.emplace_back(label->caption(), m_app.form().ChIndex);
        });
    }
    f.P_Message.observe([this](Prop prop, int) {
        if (prop == Prop::Text && m_timer && m_app.form().P_Message.caption() == kPortError)
            m_record.portFailed = true;
    });
}

std::optional<std::string> Session::open(const std::string& port) {
    Form1& f = m_app.form();
    f.Combo1.setText(port);
    m_app.link().ComStart_Click();
    if (f.ComStart.caption() == "Close") return std::nullopt;
    const std::string& why = f.P_Message.toolTip();
    return why.empty() ? f.P_Message.caption() : why;
}

void Session::close() {
    if (!running() && m_app.form().ComStart.caption() == "Close") m_app.link().ComStart_Click();
}

Timer& Session::timerOf(Step step) {
    Form1& f = m_app.form();
    switch (step) {
        case Step::Info:
            return f.GetInfoTimer;
        case Step::Test:
            return f.TestTimer;
        case Step::Check:
            return f.ReadAllTimer;
        case Step::Write:
            break;
    }
    return f.WriteAllTimer;
}

void Session::run(Step step, int channel, std::function<void(const StepResult&)> done) {
    m_record = {};
    m_record.step = step;
    m_result = {};
    m_result.step = step;
    m_result.channel = step == Step::Test ? channel : -1;
    m_result.started = m_clock.timestamp();
    m_startMs = m_clock.milliseconds();
    m_done = std::move(done);
    Timer& timer = timerOf(step);
    m_timer = &timer;
    switch (step) {
        case Step::Info:
            m_app.getInfo().GetInfoSW_Click();
            break;
        case Step::Test:
            m_app.channelTest().ChTestSW_Click(channel);
            break;
        case Step::Check:
            m_app.readBack().ChCheckSW_Click();
            break;
        case Step::Write:
            m_app.write().ChWriteSW_Click();
            break;
    }
    // An exchange that could not start (its port failed at the click) is over already.
    if (!timer.isEnabled())
        m_after(0, [this, &timer] {
            if (m_timer == &timer) finish();
        });
}

void Session::onTick(Timer& timer, const std::function<void()>& tick) {
    Form1& f = m_app.form();
    const int before = f.SeqStep;
    if (tick) tick();
    if (m_timer != &timer) return;
    // An abort, or a closing step that found no reply, names the step whose reply was missing.
    const bool aborted = f.SeqStep == ops::kAbortStep && before != ops::kAbortStep;
    // The labels were emptied when the exchange began, so a no-reply text among the messages is
    // this exchange's own.
    const auto& shown = m_record.messages;
    const bool closedUnanswered = !timer.isEnabled() && m_record.unansweredStep < 0 && !shown.empty() &&
                                  (shown.back().first == kNoResponse || shown.back().first == kNoIdentity);
    if (aborted) m_record.unansweredStep = before;
    if (closedUnanswered && before != ops::kAbortStep) m_record.unansweredStep = before;
    if (m_progress && timer.isEnabled()) {
        const Step step = m_record.step;
        const int ticks = step == Step::Info    ? 4
                          : step == Step::Test  ? 2
                          : step == Step::Check ? (m_app.profile().usesCommonParams ? 6 : 5)
                                                : 13;
        const bool channelled = step == Step::Test || (step == Step::Write && f.SeqStep > 4);
        m_progress(step, std::min(f.SeqStep, ticks - 1) + 1, ticks, channelled ? f.ChIndex : -1);
    }
}

void Session::finish() {
    Form1& f = m_app.form();
    m_timer = nullptr;
    ExchangeRecord& r = m_record;
    if (r.portFailed) r.portReason = f.P_Message.toolTip();
    for (std::size_t ch = 0; ch < 4; ++ch)
        r.green[ch] = f.ChFrequency[ch].backColor() == f.ColorGreen;
    r.version = f.Version.text();
    r.serial = f.Serial.text();
    r.identified = !r.serial.empty() && f.Serial.backColor() == f.ColorGreen;
    m_result.verdict = judge(r, m_app.profile());
    m_result.serial = r.serial;
    m_result.version = r.version;
    m_result.ended = m_clock.timestamp();
    m_result.elapsedMs = m_clock.milliseconds() - m_startMs;
    const auto done = std::move(m_done);
    m_done = nullptr;
    if (done) done(m_result);
}

}  // namespace orvane::cli
