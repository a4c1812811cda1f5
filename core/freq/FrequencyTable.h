#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::freq {

// A channel's line of a table or settings file: "CH<ch>F ,", the channel's text as
// files::fieldText writes it (an ordinary text as given), then the comment (from its comma on).
std::string channelLine(int ch, std::string_view text, const std::string& comment);

// The text of a frequency table file: the channel lines, CH3F first and CH0F last, each ended by
// CR LF. Texts and comments are indexed by channel.
std::string tableFileText(const std::array<std::string, 4>& channelTexts,
                          const std::array<std::string, 4>& comments);

// The channel a table record's key names: "CH0F" to "CH3F", compared exactly (case-sensitive);
// nothing for any other key.
std::optional<int> channelOfKey(std::string_view key);

// The overwrite question asked before a save replaces a file that holds something.
std::string overwriteQuestion(const std::string& fileName);
inline constexpr const char* kOverwriteTitle = "Save frequency table.";

}  // namespace orvane::freq
