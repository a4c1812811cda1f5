#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::freq {

// The text of a frequency table file: one line per channel, CH3F first and CH0F last, each "key ,"
// then the channel's text as files::fieldText writes it (an ordinary text as given), then the fixed
// comment, each line ended by CR LF.
// channelTexts is indexed by channel.
std::string tableFileText(const std::array<std::string, 4>& channelTexts);

// The channel a table record's key names: "CH0F" to "CH3F", compared exactly (case-sensitive);
// nothing for any other key.
std::optional<int> channelOfKey(std::string_view key);

// The overwrite question asked before a save replaces a file that holds something.
std::string overwriteQuestion(const std::string& fileName);
inline constexpr const char* kOverwriteTitle = "Save frequency table.";

// Shown in T_Message when a table file cannot be opened, read or written.
inline constexpr const char* kTableFileError = "Table File Error!!";

}  // namespace orvane::freq
