#pragma once

#include "core/window/IRegisterModel.h"

namespace orvane::quorvex {

// Turns a channel's frequency text into its twelve register texts in the grid.
class QuorvexRegisterModel : public IRegisterModel {
public:
    void refreshChannel(Form1& form, int ch) override { CalcChannelRegisters(form, ch); }
    // The fractional-N synthesiser reaches every frequency of the raster exactly; one off the
    // raster is refused as out of band before this question arises.
    std::optional<double> unreachable(const Form1&, int) const override { return std::nullopt; }

    // Rows 1 to 12 of grid column ch + 1 from the text of ChFrequency(ch). A decimal comma is read
    // as a point and marks the entry pink. A frequency whose values do not fit the registers (far
    // beyond any radio band, or infinite) empties the channel's column rather than sending
    // wrapped-around bytes.
    static void CalcChannelRegisters(Form1& form, int ch);
};

}  // namespace orvane::quorvex
