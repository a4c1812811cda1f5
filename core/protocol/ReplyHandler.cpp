#include "core/protocol/ReplyHandler.h"

#include "core/protocol/ReplyLines.h"
#include "core/text/Latin1.h"
#include "core/text/NumberText.h"
#include "core/window/Faults.h"

#include <algorithm>

namespace orvane {

namespace {

constexpr std::size_t kTermLimit = 1000;
// Values of "*R" and "*W" begin at position 7, two characters each, one separator between.
constexpr std::size_t kReadWriteFirstPosition = 7;

bool isChannel(long long ch) {
    return ch >= 0 && ch <= 3;
}

// How an echo compares with the register texts that were sent (`sent`, joined with ","): its
// values begin at 1-based `first`, each three further on. The first `required` must be there; a
// line that ends right after them carries no more and is accepted, but confirms only those (a
// module that echoes only the values a program compares); otherwise every further value up to the
// number sent must be there too. A cut or malformed value is a difference.
enum class Echo { Differs, Short, Whole };

Echo compareEcho(std::string_view line, std::size_t first, int required, std::string_view sent) {
    const std::size_t count = (sent.size() + 1) / 3;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t position = first + 3 * i;
        if (i == static_cast<std::size_t>(required) && line.size() + 2 == position) return Echo::Short;
        const std::string_view value = replyField(line, position, 2);
        if (value.size() != 2 || value != sent.substr(3 * i, 2)) return Echo::Differs;
    }
    return Echo::Whole;
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

void ReplyHandler::raiseReplyFlag(std::string_view line) {
    // Only a line of the kind the waiting step's command is answered with is its reply: a flash
    // status line the module sends on its own never stands in for an echo.
    if (m_form.outcome.awaits(line)) m_form.ReplyFlag = 1;
}

void ReplyHandler::flashClear(std::string_view line) {
    if (line.size() >= 8) {
        const std::string_view status = replyField(line, 4, 2);
        // A good status clears the label only between exchanges: what a running exchange has
        // found stays on screen.
        if (status == "00" && !m_form.outcome.running())
            (m_form.*faultRow(m_profile, Fault::FlashClear).label).setCaption({});
        if (status == "01") recordFault(m_form, m_profile, Fault::FlashClear);
    }
    raiseReplyFlag(line);
}

void ReplyHandler::identity(std::string_view line) {
    Form1& f = m_form;
    const long long serial = text::hexField(replyField(line, 4, 2)) * 65536 +
                             text::hexField(replyField(line, 6, 2)) * 256 +
                             text::hexField(replyField(line, 8, 2));
    f.Serial.setText(zeroPadded(serial, 8));
    f.outcome.identity(f.Serial.text());
    f.FactoryDate.setText(text::latin1ToUtf8(replyField(line, 11, 10)));
    f.Serial.setBackColor(f.ColorGreen);
    f.FactoryDate.setBackColor(f.ColorGreen);
    if (m_profile.hasOffsetBox()) {
        f.FOffsetV.setText(text::latin1ToUtf8(replyField(line, 25, 2)));
        f.FOffsetV.setBackColor(f.ColorGreen);
    }
    f.outcome.factory(f.FactoryDate.text(), m_profile.hasOffsetBox() ? f.FOffsetV.text() : std::string());
    raiseReplyFlag(line);
}

void ReplyHandler::commonParameters(std::string_view line) {
    // "*M Err" differs as well and so ends with the same message.
    if (replyField(line, 1, 11) != "*M " + m_form.CommonParam)
        recordFault(m_form, m_profile, Fault::CommonParameters);
    raiseReplyFlag(line);
}

bool ReplyHandler::readBack(std::string_view line) {
    const long long ch = text::hexField(replyField(line, 4, 2));
    if (!isChannel(ch)) return false;
    raiseReplyFlag(line);
    if (running(ExchangeKind::Check)) {
        const auto length = static_cast<std::size_t>(std::max(3 * m_profile.readEchoValues - 1, 0));
        m_form.outcome.readBack(static_cast<int>(ch),
                                text::latin1ToUtf8(replyField(line, kReadWriteFirstPosition, length)));
    }
    if (!echoMatchesGrid(line, kReadWriteFirstPosition, m_profile.readEchoValues, ch)) {
        recordFault(m_form, m_profile, Fault::Discrepancy, static_cast<int>(ch));
        return false;
    }
    if (running(ExchangeKind::Check)) confirmChannel(ch);
    return true;
}

bool ReplyHandler::testEcho(std::string_view line) {
    Form1& f = m_form;
    raiseReplyFlag(line);
    const auto first = static_cast<std::size_t>(std::max(m_profile.testEchoFirstPosition, 1));
    const std::string* sent = f.outcome.sentTo(f.ChIndex);
    const Echo echo = sent ? compareEcho(line, first, m_profile.testEchoValues, *sent) : Echo::Differs;
    if (echo == Echo::Differs) {
        recordFault(f, m_profile, Fault::TestData, f.ChIndex);
        return false;
    }
    // A full match shows nothing; it confirms the channel a test loaded.
    if (running(ExchangeKind::Test)) f.outcome.confirm(f.ChIndex, echo == Echo::Whole);
    return true;
}

void ReplyHandler::version(std::string_view line) {
    Form1& f = m_form;
    if (line.size() < 19) return;
    f.Version.setText(text::latin1ToUtf8(replyField(line, 4, 5)));
    // A version line starts the identity over: the serial number must follow it.
    f.outcome.version(f.Version.text());
    f.outcome.identity({});
    f.Serial.setText({});
    f.Serial.setBackColor(f.ColorGray);
    if (replyField(line, 4, 1) == std::string_view(&m_profile.moduleType, 1)) {
        f.Version.setBackColor(f.ColorGreen);
        raiseReplyFlag(line);
        // A fault the running exchange has found stays on screen.
        if (!f.outcome.running() || f.outcome.current().passed()) f.C_Message.setCaption({});
    } else {
        f.Version.setBackColor(f.ColorGray);
        f.EnableInfoSwitchOnly();
        recordFault(f, m_profile, Fault::WrongModuleType);
    }
}

bool ReplyHandler::writeEcho(std::string_view line) {
    Form1& f = m_form;
    if (line.starts_with("*W Err")) recordFault(f, m_profile, Fault::WriteErrLine, f.ChIndex);

    // The line then goes through the "*W" test as well. Its channel field "Er" reads as 14 in
    // hexadecimal (stop) but as 0 in decimal, where the missing values end it with the error text.
    const std::string_view field = replyField(line, 4, 2);
    const long long ch = m_profile.writeChannelDecimal ? text::decimalField(field) : text::hexField(field);
    if (!isChannel(ch)) return false;  // a negative channel is refused like one above 3
    raiseReplyFlag(line);
    // The echo belongs to the channel being written (ChIndex): one that names another channel, or
    // carries other values than were sent for it, is a failed write of that channel.
    const std::string* sent = f.outcome.sentTo(f.ChIndex);
    const Echo echo = ch == f.ChIndex && sent
                          ? compareEcho(line, kReadWriteFirstPosition, m_profile.writeEchoValues, *sent)
                          : Echo::Differs;
    if (echo == Echo::Differs) {
        recordFault(f, m_profile, Fault::FlashWrite, f.ChIndex);
        return false;
    }
    if (running(ExchangeKind::Write)) confirmChannel(ch, echo == Echo::Whole);
    return true;
}

bool ReplyHandler::running(ExchangeKind exchange) const {
    return m_form.outcome.running() && m_form.outcome.exchange() == exchange;
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

void ReplyHandler::confirmChannel(long long ch, bool whole) {
    const auto index = static_cast<std::size_t>(ch);
    m_form.outcome.confirm(static_cast<int>(ch), whole);
    m_form.ChFrequency[index].setBackColor(m_form.ColorGreen);
    if (m_profile.hasStepLabels()) m_form.ChStep[index].setBackColor(m_form.ColorGreen);
}

}  // namespace orvane
