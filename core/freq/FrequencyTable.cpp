#include "core/freq/FrequencyTable.h"

#include "core/files/LineWriter.h"

#include <vector>

namespace orvane::freq {

std::string channelLine(int ch, std::string_view text, const std::string& comment) {
    return "CH" + std::to_string(ch) + "F ," + files::fieldText(text) + comment;
}

std::string tableFileText(const std::array<std::string, 4>& channelTexts,
                          const std::array<std::string, 4>& comments) {
    std::vector<std::string> lines;
    for (std::size_t ch = 4; ch-- > 0;)
        lines.push_back(channelLine(static_cast<int>(ch), channelTexts[ch], comments[ch]));
    return files::crlfLines(lines);
}

std::optional<int> channelOfKey(std::string_view key) {
    if (key.size() == 4 && key[0] == 'C' && key[1] == 'H' && key[2] >= '0' && key[2] <= '3' && key[3] == 'F')
        return key[2] - '0';
    return std::nullopt;
}

std::string overwriteQuestion(const std::string& fileName) {
    return fileName + "\r\n" + "This file already exists." + "\r\r\n" + "Do you want to overwite.";
}

}  // namespace orvane::freq
