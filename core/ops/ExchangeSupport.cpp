#include "core/ops/ExchangeSupport.h"

#include "core/text/NumberText.h"

#include <cmath>
#include <exception>

namespace orvane::ops {

namespace {

double waitAt(double baud, int characters) {
    // The same order of operations as the rule: the character time is scaled first.
    return text::roundHalfEven(characters / 100.0 * 1'000'000.0 / baud);
}

void recover(Link& link, Timer* timer) {
    if (timer) timer->setTimerEnabled(false);
    link.recoverFromPortError();
}

}  // namespace

double baudRate(std::string_view settingsText) {
    const double baud = text::leadingNumber(settingsText.substr(0, 4));
    if (!std::isfinite(baud) || baud < 1) return kFixedBaudRate;
    return baud;
}

int replyWait(std::string_view settingsText, int characters) {
    double wait = waitAt(baudRate(settingsText), characters);
    if (wait < 1) wait = waitAt(kFixedBaudRate, characters);
    return static_cast<int>(wait);
}

std::optional<std::string> registerTexts(const Grid& grid, int channel, int rows) {
    std::string texts;
    for (int row = 1; row <= rows; ++row) {
        const std::string& cell = grid.textMatrix(row, channel + 1);
        if (cell.empty()) return std::nullopt;
        if (row > 1) texts += ',';
        texts += cell;
    }
    return texts;
}

void clearIdentity(Form1& form, const Profile& profile) {
    for (TextBox* box : {&form.Version, &form.Serial, &form.FactoryDate, &form.FOffsetV}) {
        if (box == &form.FOffsetV && !profile.hasOffsetBox()) continue;
        box->setText({});
        box->setBackColor(form.ColorGray);
    }
}

void startSequence(Form1& form, const Profile& profile, Timer& timer, int intervalMs) {
    for (std::size_t ch = 0; ch < 4; ++ch) {
        form.ChFrequency[ch].setBackColor(form.ColorWindow);
        if (profile.hasStepLabels()) form.ChStep[ch].setBackColor(form.ColorWindow);
    }
    form.exchange.begin(timer);
    form.SeqStep = 0;
    timer.setInterval(intervalMs);
    timer.setTimerEnabled(true);
}

bool sendOrRecover(ISerialPort& port, Link& link, Timer* timer, std::string_view bytes) {
    bool sent = false;
    try {
        sent = port.send(bytes);
    } catch (const std::exception&) {
        sent = false;
    }
    if (!sent) recover(link, timer);
    return sent;
}

bool switchRtsOrRecover(ISerialPort& port, Link& link, Timer* timer, bool on) {
    bool switched = false;
    try {
        switched = port.isOpen() && port.setRts(on);
    } catch (const std::exception&) {
        switched = false;
    }
    if (!switched) recover(link, timer);
    return switched;
}

}  // namespace orvane::ops
