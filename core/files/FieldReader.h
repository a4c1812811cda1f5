#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::files {

// Reads the comma-separated text files of both programs (settings and frequency tables) as a
// stream of fields:
//  - a comma or a line end (CR LF, CR or LF) ends a field;
//  - blanks (spaces, tabs) before a field are skipped; an unquoted field runs to the next comma or
//    line end and loses its trailing blanks;
//  - a field that begins with a double quote runs to the closing double quote, commas and line
//    ends included; what follows the closing quote up to the next comma or line end is dropped;
//  - a comma always opens another field (possibly empty, also at the end of the input); a line end
//    opens one only when more input follows.
// Records are counted in fields, not lines: a line with two fields takes its third from the next.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : m_bytes(bytes) {}

    // The next field, or nothing at the end of the input.
    std::optional<std::string> next();

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
    bool m_pendingField = true;  // the input start, or a comma, opened a field not yet read
};

struct Record {
    std::string key;
    std::string value;
    std::string comment;
};

// The next record of three fields, or nothing when fewer than three fields are left.
std::optional<Record> readRecord(FieldReader& reader);

// Every complete record of the text, in order; a record cut short by the end is not returned.
std::vector<Record> readRecords(std::string_view bytes);

}  // namespace orvane::files
