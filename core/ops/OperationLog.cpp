#include "core/ops/OperationLog.h"

#include "core/files/TextFile.h"

#include <exception>
#include <string>

namespace orvane {

namespace {

constexpr const char* kWriteError = "Log File Write Error!!";

}  // namespace

void OperationLog::appendRecord() {
    const IAppInfo& app = m_platform.appInfo;
    const std::string version = std::to_string(app.versionMajor()) + "." +
                                std::to_string(app.versionMinor()) + "." +
                                std::to_string(app.versionRevision());
    try {
        // The program folder always goes in front, also of a name that looks like an absolute
        // path; an empty name leaves the folder itself, which cannot be opened as a file.
        const std::string path = files::joinPath(app.programFolder(), m_form.LogFileName.text());

        // Fields go in unchanged and unquoted: the log is read by people, never by the program.
        std::string line = m_form.Serial.text() + "," + m_form.Version.text() + ",";
        for (std::size_t ch = 4; ch-- > 0;)
            line += m_form.ChFrequency[ch].text() + ",";
        line += m_platform.clock.shortDate() + "," + m_platform.clock.timeOfDay() + "," + version + "\r\n";

        if (m_platform.files.append(path, line)) return;
    } catch (const std::exception&) {
    }
    m_form.L_Message.setCaption(kWriteError);
}

}  // namespace orvane
