#include "apps/orvane/ChannelInput.h"

#include "core/freq/ChannelFrequency.h"
#include "core/text/NumberText.h"

#include <cstdio>

namespace orvane::cli {

namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// "12.5" for 12500 Hz: kilohertz without trailing zeros.
std::string kiloHertz(double hertz) {
    std::string text = text::formatFixed4(hertz / 1000);
    while (text.ends_with('0'))
        text.pop_back();
    if (text.ends_with('.')) text.pop_back();
    return text;
}

// A frequency to the hertz: "868.304688".
std::string megaHertz(double mhz) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", mhz);
    return text;
}

}  // namespace

std::vector<std::string> loadAndJudgeChannels(App& app, const ChannelSource& source, bool allowOutOfBand) {
    Form1& f = app.form();
    std::vector<std::string> refused;
    if (source.texts) {
        for (std::size_t ch = 0; ch < 4; ++ch)
            f.ChFrequency[ch].setText((*source.texts)[ch]);
    } else {
        // A channel the file does not name stays empty, and is refused below.
        for (auto& entry : f.ChFrequency)
            entry.setText({});
        if (!app.frequencies().loadTable(source.file)) return {source.file + ": cannot be read"};
    }
    app.IntervalTimer_Timer();  // the registers, as the next tick of the windows computes them

    const Profile& profile = app.profile();
    const Band& band = profile.band;
    const std::string allOfIt = " (--allow-out-of-band sends it all the same)";
    for (std::size_t ch = 0; ch < 4; ++ch) {
        const std::string& text = f.ChFrequency[ch].text();
        const std::string name = "channel " + std::to_string(ch) + ": ";
        const auto value = text::wholeNumber(text);
        if (text.empty()) {
            refused.push_back(name + "no frequency given");
        } else if (!value) {
            const bool comma = text.find(',') != std::string::npos;
            refused.push_back(name + quoted(text) + " is not a number" +
                              (comma ? " (use a decimal point)" : ""));
        } else if (f.MSFlexGrid1.textMatrix(1, static_cast<int>(ch) + 1).empty()) {
            refused.push_back(name + text + " MHz cannot be turned into register values");
        } else if (allowOutOfBand) {
            continue;
        } else if (!freq::entryAcceptable(text, band, profile.checksRaster)) {
            const bool inBand = *value >= band.low && *value <= band.high;
            std::string why = name + text + " MHz is ";
            if (inBand)
                why += "off the " + kiloHertz(band.rasterHz) + " kHz raster";
            else
                why += "outside the band " + text::formatFixed4(band.low) + " - " +
                       text::formatFixed4(band.high) + " MHz";
            refused.push_back(why + allOfIt);
        } else if (const auto reached = app.registerModel().unreachable(f, static_cast<int>(ch))) {
            std::string why = name + text + " MHz cannot be reached exactly: the module would get ";
            why += megaHertz(*reached);
            why += " MHz";
            refused.push_back(why + allOfIt);
        }
    }
    return refused;
}

}  // namespace orvane::cli
