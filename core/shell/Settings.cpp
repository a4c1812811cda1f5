#include "core/shell/Settings.h"

#include "core/files/TextFile.h"
#include "core/shell/SettingsFormat.h"
#include "core/window/WindowDescription.h"

#include <exception>
#include <optional>

namespace orvane {

std::string Settings::settingsPath() const {
    const IAppInfo& app = m_platform.appInfo;
    return files::joinPath(app.programFolder(), app.exeBaseName() + ".ini");
}

void Settings::ReadSettingsFile() {
    readFile(true);
}

void Settings::applySettingsFile() {
    readFile(false);
}

void Settings::readFile(bool createMissing) {
    try {
        const std::string path = settingsPath();
        if (createMissing && !m_platform.files.ensureExists(path)) return;
        const std::optional<std::string> bytes = m_platform.files.read(path);
        if (!bytes) return;
        applySettingsText(*bytes);
    } catch (const std::exception&) {
        // A failure ends the reading at the record it happened in; start-up goes on.
    }
}

void Settings::applySettingsText(std::string_view bytes) {
    files::FieldReader reader(bytes);
    while (const std::optional<files::Record> record = files::readRecord(reader)) {
        if (!applyRecord(*record)) return;
    }
}

bool Settings::applyRecord(const files::Record& record) {
    const std::string& key = record.key;
    const std::string& value = record.value;
    Window& window = m_form.form;

    if (key == "TOP" || key == "LEFT") {
        const std::optional<float> v = settings::positionValue(value);
        if (!v) return false;
        // The limit uses the window size at the time of the record: a DEBUG record read before
        // LEFT has already widened the window.
        const IScreen& screen = m_platform.screen;
        if (key == "TOP") {
            const float limit =
                static_cast<float>(screen.heightTwips()) - static_cast<float>(window.height());
            window.setTop(settings::windowPosition(*v, limit));
        } else {
            const float limit = static_cast<float>(screen.widthTwips()) - static_cast<float>(window.width());
            window.setLeft(settings::windowPosition(*v, limit));
        }
    } else if (key == "COM") {
        m_form.Combo1.setText(value);
    } else if (key == "LOGF") {
        m_form.LogFileName.setText(value);
    } else if (key.size() == 4 && key[0] == 'C' && key[1] == 'H' && key[2] >= '0' && key[2] <= '3' &&
               key[3] == 'F') {
        m_form.ChFrequency[static_cast<std::size_t>(key[2] - '0')].setText(value);
    } else if (key == "DEBUG" && value == "ON") {
        m_form.DebugMode = "ON";
        window.setWidth(m_form.DebugWidth);
        window.setCaption(window.caption() + " (Debug mode!!)");
        m_form.Frame5.setLeft(kDebugFrameLeft);
    }
    return true;
}

void Settings::writeSettingsFile() {
    try {
        settings::SettingsValues values;
        values.top = m_form.form.top();
        values.left = m_form.form.left();
        values.port = m_form.Combo1.text();
        values.logFile = m_form.LogFileName.text();
        for (std::size_t ch = 0; ch < 4; ++ch)
            values.channels[ch] = m_form.ChFrequency[ch].text();
        values.debug = m_form.DebugMode == "ON";
        // The result is not reported: shut-down ends silently either way. The file is saved as a
        // frequency table is: a link is written through, a write-protected file is left alone,
        // and a failure leaves the previous file as it was (in a folder that cannot be written,
        // the file is overwritten in place instead).
        m_platform.files.replace(settingsPath(),
                                 settings::settingsFileText(values, m_profile.settingsChannelComments));
    } catch (const std::exception&) {
    }
}

}  // namespace orvane
