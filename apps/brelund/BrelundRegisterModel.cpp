#include "apps/brelund/BrelundRegisterModel.h"

#include "core/text/NumberText.h"
#include "core/window/Form1.h"
#include "rxmodel/RxCounters.h"

namespace orvane::brelund {

void BrelundRegisterModel::refreshChannel(Form1& form, int ch) {
    setChannelStep(form, ch);
    CalcChannelRegisters(form, ch);
}

std::optional<double> BrelundRegisterModel::unreachable(const Form1& form, int ch) const {
    const std::string& shown = form.ChFrequency.at(static_cast<std::size_t>(ch)).text();
    const std::string s = text::commaToPoint(shown);
    const auto counters =
        rx::channelCounters(text::leadingNumber(s), text::leadingNumber(rx::stepCaption(s)),
                            form.RefFrequency, form.PrescalerModulus, form.decimalSeparator);
    if (!counters || !rx::needsCorrection(text::leadingNumber(shown), counters->loActual))
        return std::nullopt;
    return counters->loActual + rx::kIntermediateFrequency;
}

void BrelundRegisterModel::setChannelStep(Form1& form, int ch) {
    // The raster is judged on the text the counters are computed from, so "868,31" programs
    // exactly what "868.31" does (it is marked pink for its comma all the same).
    const auto i = static_cast<std::size_t>(ch);
    form.ChStep[i].setCaption(rx::stepCaption(text::commaToPoint(form.ChFrequency[i].text())));
}

void BrelundRegisterModel::CalcChannelRegisters(Form1& form, int ch) {
    const auto i = static_cast<std::size_t>(ch);
    ComboBox& entry = form.ChFrequency[i];
    if (entry.text().find(',') != std::string::npos) entry.setBackColor(form.ColorPink);
    const std::string s = text::commaToPoint(entry.text());
    const double step = text::leadingNumber(form.ChStep[i].caption());
    const auto counters = rx::channelCounters(text::leadingNumber(s), step, form.RefFrequency,
                                              form.PrescalerModulus, form.decimalSeparator);
    if (!counters) {
        for (auto* labels : {&form.LoFrequency, &form.Rcounter, &form.ProgramCounter, &form.SwallowCounter})
            (*labels)[i].setCaption({});
        for (int row = 1; row <= 5; ++row)
            form.MSFlexGrid1.setTextMatrix(row, ch + 1, {});
        return;
    }
    form.LoFrequency[i].setCaption(counters->loText);
    if (rx::needsCorrection(text::leadingNumber(entry.text()), counters->loActual))
        entry.setBackColor(form.ColorPink);
    form.Rcounter[i].setCaption(counters->rText);
    form.ProgramCounter[i].setCaption(counters->mText);
    form.SwallowCounter[i].setCaption(counters->aText);
    for (int row = 1; row <= 5; ++row)
        form.MSFlexGrid1.setTextMatrix(row, ch + 1, counters->grid[static_cast<std::size_t>(row - 1)]);
}

}  // namespace orvane::brelund
