#include "core/protocol/ReplyHandler.h"

#include "core/protocol/ReplyLines.h"
#include "core/text/Latin1.h"
#include "core/text/NumberText.h"

#include <algorithm>

namespace orvane {

namespace {

constexpr std::size_t kTermLimit = 1000;
// Values of "*R" and "*W" begin at position 7, two characters each, one separator between.
constexpr std::size_t kReadWriteFirstPosition = 7;

bool isChannel(long long ch) {
    return ch >= 0 && ch <= 3;
}

std::string zeroPadded(long long value, std::size_t digits) {
    std::string text = std::to_string(value);
    if (text.size() < digits) text.insert(0, digits - text.size(), '0');
    return text;
}

}  // namespace

void ReplyHandler::MSComm1_OnComm() {
    const std::string chunk = m_port.readAll();
    showInTerm(chunk);

    appendAndCutLines(m_form.RxBuffer, m_searched, chunk,
                      [this](std::string_view line) { return dispatch(line); });
}

void ReplyHandler::showInTerm(const std::string& chunk) {
    // Term shows the last 1000 bytes received, each as its character. The shown text is kept up to
    // date with what arrives (characters of one or two bytes dropped at the front, the new ones
    // appended), so an event costs in proportion to its chunk, not to the whole mirror.
    const std::string_view arrived =
        std::string_view(chunk).substr(chunk.size() > kTermLimit ? chunk.size() - kTermLimit : 0);
    const std::size_t total = m_termChars + arrived.size();
    std::size_t dropBytes = 0;
    for (std::size_t drop = total > kTermLimit ? total - kTermLimit : 0; drop > 0; --drop)
        dropBytes +=
            static_cast<unsigned char>(m_termText[dropBytes]) < 0x80 ? std::size_t{1} : std::size_t{2};
    m_termText.erase(0, dropBytes);
    m_termChars = std::min(total, kTermLimit);
    text::appendLatin1AsUtf8(m_termText, arrived);
    TextBox& term = m_form.Term;
    term.setText(m_termText);
    term.setCaret(term.text().size());
}

bool ReplyHandler::dispatch(std::string_view line) {
    if (line.starts_with("*C")) {
        flashClear(line);
    } else if (line.starts_with("*D")) {
        identity(line);
    } else if (line.starts_with("*M")) {
        if (m_profile.usesCommonParams) commonParameters(line);
    } else if (line.starts_with("*R")) {
        return readBack(line);
    } else if (line.starts_with("*T")) {
        return testEcho(line);
    } else if (line.starts_with("*V")) {
        version(line);
    } else if (line.starts_with("*W")) {
        return writeEcho(line);
    }
    return true;
}

void ReplyHandler::flashClear(std::string_view line) {
    Label& label = m_profile.flashClearOnInfoLabel ? m_form.C_Message : m_form.T_Message;
    if (line.size() >= 8) {
        const std::string_view status = replyField(line, 4, 2);
        if (status == "00") label.setCaption({});
        if (status == "01") label.setCaption(m_profile.flashClearErrorText);
    }
    m_form.ReplyFlag = 1;
}

void ReplyHandler::identity(std::string_view line) {
    Form1& f = m_form;
    const long long serial = text::hexField(replyField(line, 4, 2)) * 65536 +
                             text::hexField(replyField(line, 6, 2)) * 256 +
                             text::hexField(replyField(line, 8, 2));
    f.Serial.setText(zeroPadded(serial, 8));
    f.FactoryDate.setText(text::latin1ToUtf8(replyField(line, 11, 10)));
    f.Serial.setBackColor(f.ColorGreen);
    f.FactoryDate.setBackColor(f.ColorGreen);
    if (m_profile.hasOffsetBox()) {
        f.FOffsetV.setText(text::latin1ToUtf8(replyField(line, 25, 2)));
        f.FOffsetV.setBackColor(f.ColorGreen);
    }
    f.ReplyFlag = 1;
}

void ReplyHandler::commonParameters(std::string_view line) {
    // "*M Err" differs as well and so ends with the same message.
    if (replyField(line, 1, 11) != "*M " + m_form.CommonParam)
        m_form.T_Message.setCaption("Common Parameter Error!");
    m_form.ReplyFlag = 1;
}

bool ReplyHandler::readBack(std::string_view line) {
    const long long ch = text::hexField(replyField(line, 4, 2));
    if (!isChannel(ch)) return false;
    m_form.ReplyFlag = 1;
    if (!echoMatchesGrid(line, kReadWriteFirstPosition, m_profile.readEchoValues, ch)) {
        m_form.T_Message.setCaption("Discrepancy!!");
        return false;
    }
    confirmChannel(ch);
    return true;
}

bool ReplyHandler::testEcho(std::string_view line) {
    m_form.ReplyFlag = 1;
    const auto first = static_cast<std::size_t>(std::max(m_profile.testEchoFirstPosition, 1));
    if (!echoMatchesGrid(line, first, m_profile.testEchoValues, m_form.ChIndex)) {
        m_form.T_Message.setCaption("Test Data error!!");
        return false;
    }
    return true;
}

void ReplyHandler::version(std::string_view line) {
    Form1& f = m_form;
    if (line.size() < 19) return;
    f.Version.setText(text::latin1ToUtf8(replyField(line, 4, 5)));
    if (replyField(line, 4, 1) == std::string_view(&m_profile.moduleType, 1)) {
        f.Version.setBackColor(f.ColorGreen);
        f.ReplyFlag = 1;
        f.Serial.setText({});
        f.Serial.setBackColor(f.ColorGray);
        f.C_Message.setCaption({});
    } else {
        f.Version.setBackColor(f.ColorGray);
        f.Serial.setText({});
        f.Serial.setBackColor(f.ColorGray);
        f.EnableInfoSwitchOnly();
        f.C_Message.setCaption("Target error!!");
    }
}

bool ReplyHandler::writeEcho(std::string_view line) {
    Form1& f = m_form;
    if (line.starts_with("*W Err")) f.T_Message.setCaption(m_profile.writeErrText);

    // The line then goes through the "*W" test as well. Its channel field "Er" reads as 14 in
    // hexadecimal (stop) but as 0 in decimal, where the missing values end it with the error text.
    const std::string_view field = replyField(line, 4, 2);
    const long long ch = m_profile.writeChannelDecimal ? text::decimalField(field) : text::hexField(field);
    if (!isChannel(ch)) return false;  // a negative channel is refused like one above 3
    f.ReplyFlag = 1;
    // The values belong to the running write step's channel, which is not always the line's.
    if (!echoMatchesGrid(line, kReadWriteFirstPosition, m_profile.writeEchoValues, f.ChIndex)) {
        f.T_Message.setCaption("Flash Write Error!!");
        return false;
    }
    confirmChannel(ch);
    f.ReplyFlag = 1;
    return true;
}

bool ReplyHandler::echoMatchesGrid(std::string_view line, std::size_t firstPosition, int count,
                                   long long ch) const {
    const Grid& grid = m_form.MSFlexGrid1;
    if (!isChannel(ch) || ch + 1 >= grid.columns() || count >= grid.rows()) return false;
    const int column = static_cast<int>(ch) + 1;
    for (int row = 1; row <= count; ++row) {
        const std::size_t position = firstPosition + 3 * static_cast<std::size_t>(row - 1);
        const std::string_view value = replyField(line, position, 2);
        // A line too short to hold the value yields fewer than two characters: never a match.
        if (value.size() != 2 || value != grid.textMatrix(row, column)) return false;
    }
    return true;
}

void ReplyHandler::confirmChannel(long long ch) {
    const auto index = static_cast<std::size_t>(ch);
    m_form.ChFrequency[index].setBackColor(m_form.ColorGreen);
    if (m_profile.hasStepLabels()) m_form.ChStep[index].setBackColor(m_form.ColorGreen);
}

}  // namespace orvane
