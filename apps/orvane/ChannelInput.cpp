#include "apps/orvane/ChannelInput.h"

#include "core/files/FieldReader.h"
#include "core/freq/ChannelFrequency.h"
#include "core/text/NumberText.h"

#include <cstdio>
#include <optional>
#include <string_view>

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

// Why a channel that a file names on one of its lines was not read from it: the records of a table
// are counted in fields, three to a line, so a line with more or fewer than three throws every
// later record off (and a last line with fewer is cut short). Names the first line whose field
// count is not three, up to the channel's own; nothing when the file does not name the channel.
std::optional<std::string> whyNotRead(const std::string& bytes, const std::string& file, int ch) {
    const std::string key = "CH" + std::to_string(ch) + "F";
    std::optional<std::string> offLine;
    std::size_t number = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos) end = bytes.size();
        std::string_view line(bytes.data() + at, end - at);
        if (line.ends_with('\r')) line.remove_suffix(1);
        ++number;
        at = end + 1;
        files::FieldReader reader(line);
        std::vector<std::string> fields;
        while (auto field = reader.next())
            fields.push_back(*field);
        if (!line.empty() && fields.size() != 3 && !offLine) {
            offLine = "line " + std::to_string(number);
            *offLine += " has " + std::to_string(fields.size());
            *offLine += fields.size() == 1 ? " field" : " fields";
        }
        if (!fields.empty() && fields.front() == key) {
            std::string why = key + " is on line " + std::to_string(number);
            why += " of " + file + ", but " + offLine.value_or("the line");
            why += " where every line needs three: " + key + ", the frequency, a comment";
            return why;
        }
    }
    return std::nullopt;
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
            const auto bytes = source.texts ? std::nullopt : app.platform().files.read(source.file);
            const auto why = bytes ? whyNotRead(*bytes, source.file, static_cast<int>(ch)) : std::nullopt;
            refused.push_back(name + why.value_or("no frequency given"));
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
