#include "core/freq/Frequencies.h"

#include "core/files/FieldReader.h"
#include "core/files/TextFile.h"
#include "core/freq/ChannelFrequency.h"
#include "core/freq/FrequencyTable.h"
#include "core/text/NumberText.h"
#include "core/window/StatusTexts.h"

#include <array>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

namespace orvane {

namespace {

bool isChannel(int ch) {
    return ch >= 0 && ch < 4;
}

}  // namespace

void Frequencies::FillFrequencyLists() {
    const std::vector<std::string> texts = freq::frequencyListTexts(m_profile.band);
    for (int ch = 0; ch < 4; ++ch) {
        for (const std::string& text : texts)
            entry(ch).addItem(text);
        entry(ch).listOrder = &m_listOrder;
    }
}

void Frequencies::ValidateFrequencyEntry(int ch) {
    if (!isChannel(ch)) return;
    ComboBox& box = entry(ch);
    // The colour is decided first and set once, so an observer never sees a passing white.
    const bool acceptable = freq::entryAcceptable(box.text(), m_profile.band, m_profile.checksRaster);
    box.setBackColor(acceptable ? m_form.ColorWindow : m_form.ColorYellow);
}

void Frequencies::StepFrequency(int ch, int direction) {
    if (!isChannel(ch)) return;
    entry(ch).setText(freq::steppedFrequencyText(entry(ch).text(), direction, m_profile.band));
}

void Frequencies::SetDefaultFrequencies() {
    for (int ch = 3; ch >= 0; --ch)
        entry(ch).setText(m_profile.band.defaults[static_cast<std::size_t>(ch)]);
}

void Frequencies::FreqDefaultSW_Click() {
    SetDefaultFrequencies();
    if (m_profile.defaultSetResetsColors) {
        // Also clears the colours earlier exchanges left on the entries.
        for (int ch = 0; ch < 4; ++ch)
            entry(ch).setBackColor(m_form.ColorWindow);
    }
}

void Frequencies::FreqLoadSaveSW_Click(int index) {
    if (index != 0 && index != 1) return;
    const std::optional<std::string> fileName =
        chooseFile(index == 0 ? IFileDialog::Mode::Open : IFileDialog::Mode::Save);
    if (!fileName) return;
    try {
        if (index == 0) {
            loadTable(*fileName);
        } else {
            saveTable(*fileName);
        }
    } catch (const std::exception&) {
        // Running out of memory on an enormous file, say: reported like any other file failure.
        showTableFileError();
    }
}

std::optional<std::string> Frequencies::chooseFile(IFileDialog::Mode mode) {
    IFileDialog& dialog = m_platform.fileDialog;
    bool chosen = false;
    try {
        chosen = dialog.show(mode);
    } catch (const std::exception&) {
        // A dialog that fails to show counts as cancelled.
        chosen = false;
    }
    // The dialog keeps an earlier name after a cancel, so the cancel is tested on its own.
    std::string fileName = dialog.fileName();
    if (fileName.empty() || !chosen) return std::nullopt;
    return fileName;
}

bool Frequencies::loadTable(const std::string& fileName) {
    // The file is read whole and closed before any entry changes, so no file stays open while the
    // entries' change handling runs, and a file that cannot be read changes nothing.
    const std::optional<std::string> bytes = m_platform.files.read(fileName);
    if (!bytes) {
        showTableFileError();
        return false;
    }
    // Records are counted in fields; one cut short by the end of the file is not returned, so
    // the complete records before it still load. A later record with the same key wins.
    for (const files::Record& record : files::readRecords(*bytes)) {
        if (const std::optional<int> ch = freq::channelOfKey(record.key)) entry(*ch).setText(record.value);
    }
    return true;
}

void Frequencies::saveTable(const std::string& fileName) {
    // Whether the file holds anything decides the question. A missing file counts as empty (a new
    // name asks nothing) and is not created here: only a save that succeeds leaves a file behind.
    const std::optional<std::uintmax_t> size = m_platform.files.contentSize(fileName);
    if (!size) {
        showTableFileError();
        return;
    }
    if (*size != 0 &&
        !m_platform.messageBox.askOkCancel(freq::overwriteQuestion(fileName), freq::kOverwriteTitle)) {
        return;
    }

    // Decimal commas become points in the entries themselves, channel 0 first, before the write.
    std::array<std::string, 4> texts;
    for (int ch = 0; ch < 4; ++ch) {
        entry(ch).setText(text::commaToPoint(entry(ch).text()));
        texts[static_cast<std::size_t>(ch)] = entry(ch).text();
    }

    // The new text replaces the file only once it is completely written, so a failure leaves the
    // old file as it was (see replaceFileAtomically for the one exception, a read-only folder).
    if (!m_platform.files.replace(fileName, freq::tableFileText(texts, m_profile.band.tableComments)))
        showTableFileError();
}

void Frequencies::showTableFileError() {
    m_form.T_Message.setCaption(status::kTableFileError);
}

}  // namespace orvane
