#pragma once

#include <optional>

namespace orvane {

class Form1;

// The register model of a program: what one IntervalTimer tick does for one channel. The
// transmitter program computes its twelve register bytes, the receiver program first sets the
// channel's step caption and then computes its counters. The program's composition root owns it.
class IRegisterModel {
public:
    virtual ~IRegisterModel() = default;
    virtual void refreshChannel(Form1& form, int ch) = 0;
    // The frequency in MHz channel ch's registers actually give, when the synthesiser cannot
    // reach the frequency its text names exactly (the entry is then marked pink); nothing when
    // it can, or when the text gives no registers.
    virtual std::optional<double> unreachable(const Form1& form, int ch) const = 0;
};

}  // namespace orvane
