#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane::files {

// The lines joined, each followed by CR LF, as the settings, table and log files are written.
std::string crlfLines(const std::vector<std::string>& lines);

// The value as one field of the settings and table files, such that FieldReader gives it back and
// no value can run into the fields after it:
//  - an ordinary value (no comma, CR, LF or leading double quote, no blank at either end) is
//    written as it is; a double quote inside it is fine;
//  - a value holding a comma, CR or LF, or with a blank (space or tab) at either end, goes between
//    double quotes and reads back exactly, as long as it holds no double quote.
// The format cannot hold a double quote inside quotes, nor one that begins an unquoted field. Such
// a value is written in the closest form the format holds, which differs from it only by dropped
// double quotes: the double quotes it begins with are dropped, and when the value (before or
// after that) needs quotes, all of its double quotes are dropped and it is quoted.
std::string fieldText(std::string_view value);

}  // namespace orvane::files
