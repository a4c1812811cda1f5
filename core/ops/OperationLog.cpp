#include "core/ops/OperationLog.h"

#include "core/files/TextFile.h"
#include "core/text/NumberText.h"
#include "core/window/StatusTexts.h"

#include <exception>
#include <string>

namespace orvane {

std::string recordedChannel(const Form1& form, const IRegisterModel& model, int ch) {
    if (const auto reached = model.unreachable(form, ch)) return text::formatFixed4(*reached);
    return text::commaToPoint(form.ChFrequency[static_cast<std::size_t>(ch)].text());
}

std::string recordField(std::string text) {
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ',' || byte < 0x20 || byte == 0x7F) c = '?';
    }
    return text;
}

bool OperationLog::recordable(const Outcome& write) {
    return write.exchange == ExchangeKind::Write && write.passed() && write.allConfirmed();
}

std::string OperationLog::path() const {
    // The program folder always goes in front, also of a name that looks like an absolute path;
    // an empty name leaves the folder itself, which cannot be opened as a file.
    return files::joinPath(m_platform.appInfo.programFolder(), m_form.LogFileName.text());
}

bool OperationLog::appendRecord(const Outcome& write) {
    const IAppInfo& app = m_platform.appInfo;
    const std::string version = std::to_string(app.versionMajor()) + "." +
                                std::to_string(app.versionMinor()) + "." +
                                std::to_string(app.versionRevision());
    try {
        if (recordable(write)) {
            // Fields go in unquoted. A channel is written with a decimal point where its entry
            // shows a decimal comma, so no channel field can split in two; the date keeps the
            // system's format, commas and all.
            std::string line = recordField(write.serial) + "," + recordField(write.version) + ",";
            for (int ch = 4; ch-- > 0;)
                line += recordedChannel(m_form, m_registerModel, ch) + ",";
            line +=
                m_platform.clock.shortDate() + "," + m_platform.clock.timeOfDay() + "," + version + "\r\n";
            if (m_platform.files.appendLine(path(), line)) return true;
        }
    } catch (const std::exception&) {
    }
    m_form.L_Message.setCaption(status::kLogFileWriteError);
    return false;
}

}  // namespace orvane
