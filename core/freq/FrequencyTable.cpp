#include "core/freq/FrequencyTable.h"

#include "core/files/LineWriter.h"

#include <vector>

namespace orvane::freq {

namespace {

// Key and comment of each line, in file order (channel 3 first). Both programs write these texts;
// the last line really reads "SS/S1".
struct TableLine {
    int channel;
    const char* key;
    const char* comment;
};

constexpr TableLine kLines[] = {
    {3, "CH3F", ",           Frequency:  [868.0500 to 869.9750 MHz] at S2/S1=Open /Open "},
    {2, "CH2F", ",           Frequency:  [868.0500 to 869.9750 MHz] at S2/S1=Open /Short"},
    {1, "CH1F", ",           Frequency:  [868.0500 to 869.9750 MHz] at S2/S1=Short/Open "},
    {0, "CH0F", ",           Frequency:  [868.0500 to 869.9750 MHz] at SS/S1=Short/Short"},
};

}  // namespace

std::string tableFileText(const std::array<std::string, 4>& channelTexts) {
    std::vector<std::string> lines;
    for (const TableLine& line : kLines) {
        lines.push_back(std::string(line.key) + " ," +
                        files::fieldText(channelTexts[static_cast<std::size_t>(line.channel)]) +
                        line.comment);
    }
    return files::crlfLines(lines);
}

std::optional<int> channelOfKey(std::string_view key) {
    for (const TableLine& line : kLines) {
        if (key == line.key) return line.channel;
    }
    return std::nullopt;
}

std::string overwriteQuestion(const std::string& fileName) {
    return fileName + "\r\n" + "This file already exists." + "\r\r\n" + "Do you want to overwite.";
}

}  // namespace orvane::freq
