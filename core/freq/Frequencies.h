#pragma once

#include "core/platform/Platform.h"
#include "core/window/Form1.h"
#include "core/window/Profile.h"

namespace orvane {

// The four channel frequency entries: their lists, validation colours, stepping, defaults and the
// frequency table files.
class Frequencies {
public:
    Frequencies(Form1& form, const Profile& profile, Platform& platform)
        : m_form(form), m_profile(profile), m_platform(platform) {}

    void FillFrequencyLists();
    void ValidateFrequencyEntry(int ch);
    void StepFrequency(int ch, int direction);
    void SetDefaultFrequencies();
    void FreqDefaultSW_Click();
    void FreqLoadSaveSW_Click(int index);

private:
    Form1& m_form;
    const Profile& m_profile;
    Platform& m_platform;
};

}  // namespace orvane
