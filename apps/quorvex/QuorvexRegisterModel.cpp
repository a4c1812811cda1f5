#include "apps/quorvex/QuorvexRegisterModel.h"

#include "core/text/NumberText.h"
#include "core/window/Form1.h"
#include "txmodel/TxRegisters.h"

namespace orvane::quorvex {

void QuorvexRegisterModel::CalcChannelRegisters(Form1& form, int ch) {
    ComboBox& entry = form.ChFrequency.at(static_cast<std::size_t>(ch));
    if (entry.text().find(',') != std::string::npos) entry.setBackColor(form.ColorPink);
    const std::string s = text::commaToPoint(entry.text());
    const tx::TxConstants constants{form.RefFrequency, form.Powcfg0Text, form.Powcfg1Text, form.ReserveText};
    const auto registers = tx::channelRegisters(text::leadingNumber(s), constants);
    for (int row = 1; row <= 12; ++row) {
        const std::string cell = registers ? (*registers)[static_cast<std::size_t>(row - 1)] : std::string();
        form.MSFlexGrid1.setTextMatrix(row, ch + 1, cell);
    }
}

}  // namespace orvane::quorvex
