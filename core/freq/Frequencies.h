#pragma once

#include "core/freq/ChannelFrequency.h"
#include "core/platform/IFileDialog.h"
#include "core/platform/Platform.h"
#include "core/window/Form1.h"
#include "core/window/Profile.h"

#include <optional>
#include <string>

namespace orvane {

// The four channel frequency entries: their lists, validation colours, stepping, defaults and the
// frequency table files.
class Frequencies {
public:
    Frequencies(Form1& form, const Profile& profile, Platform& platform)
        : m_form(form), m_profile(profile), m_platform(platform), m_listOrder(profile.band) {}
    Frequencies(const Frequencies&) = delete;
    Frequencies& operator=(const Frequencies&) = delete;

    // Fills the drop-down list of every entry with the band's raster points (start-up, once); the
    // keys and the wheel then move an entry through its list by value.
    void FillFrequencyLists();
    // Colours entry ch: ColorWindow when acceptable, ColorYellow otherwise. Nothing else changes.
    void ValidateFrequencyEntry(int ch);
    // One 12.5 kHz step of entry ch, up for a positive direction, down otherwise.
    void StepFrequency(int ch, int direction);
    // The four default texts, set Ch3 first and Ch0 last.
    void SetDefaultFrequencies();
    void FreqDefaultSW_Click();
    // 0 loads a table file, 1 saves one; any other index does nothing. A file that cannot be
    // read or written shows "Table File Error!!" in T_Message; no failure leaves the handler.
    void FreqLoadSaveSW_Click(int index);
    // Loads the channel records of a table (or settings) file into the entries; a channel the file
    // does not name keeps its text. False, with "Table File Error!!", when it cannot be read.
    bool loadTable(const std::string& fileName);

private:
    ComboBox& entry(int ch) { return m_form.ChFrequency[static_cast<std::size_t>(ch)]; }
    // The file the user chose, or nothing after a cancel or with an empty file name.
    std::optional<std::string> chooseFile(IFileDialog::Mode mode);
    void saveTable(const std::string& fileName);
    void showTableFileError();

    Form1& m_form;
    const Profile& m_profile;
    Platform& m_platform;
    freq::FrequencyListOrder m_listOrder;
};

}  // namespace orvane
