#pragma once

#include "core/window/IRegisterModel.h"

namespace orvane::brelund {

// Turns a channel's frequency text into its channel step, synthesiser counters and register texts.
class BrelundRegisterModel : public IRegisterModel {
public:
    // Sets the channel's step caption from the text as shown, then computes the channel.
    void refreshChannel(Form1& form, int ch) override;
    // The receiver's channel is its local oscillator plus the intermediate frequency.
    std::optional<double> unreachable(const Form1& form, int ch) const override;

    // The step caption: "12.5" on the 12.5 kHz raster, otherwise "10.0", judged on the text with
    // its decimal commas read as points.
    static void setChannelStep(Form1& form, int ch);

    // The labels LoFrequency, Rcounter, ProgramCounter, SwallowCounter of channel ch and rows 1 to
    // 5 of grid column ch + 1. The entry turns pink when its text holds a decimal comma or its
    // frequency cannot be reached in whole steps. A frequency whose counters do not fit the
    // registers (far beyond any band, or infinite) empties the channel's labels and column.
    static void CalcChannelRegisters(Form1& form, int ch);
};

}  // namespace orvane::brelund
