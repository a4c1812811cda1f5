// Feeds arbitrary bytes to the field reader and checks the properties that hold for every input.
#include "core/files/FieldReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    std::vector<std::string> fields;
    orvane::files::FieldReader reader(input);
    while (auto field = reader.next())
        fields.push_back(std::move(*field));
    // Once the end is reported it stays reported.
    require(!reader.next());

    // Every field after the first is opened by a comma or a line end.
    const auto separators = static_cast<std::size_t>(
        std::count_if(input.begin(), input.end(), [](char c) { return c == ',' || c == '\r' || c == '\n'; }));
    require(fields.size() <= separators + 1);
    require(input.empty() == fields.empty());

    // Fields are pieces of the input: their bytes never add up to more than it holds.
    std::size_t fieldBytes = 0;
    for (const auto& f : fields)
        fieldBytes += f.size();
    require(fieldBytes <= input.size());

    // A field that does not begin with a quote carries no separator and no blank at either end.
    // (Only checkable where the input holds no quote at all.)
    if (input.find('"') == std::string_view::npos) {
        for (const auto& f : fields) {
            require(f.find_first_of(",\r\n") == std::string::npos);
            require(f.empty() ||
                    (f.front() != ' ' && f.front() != '\t' && f.back() != ' ' && f.back() != '\t'));
        }
    }

    // Records are the fields taken three at a time; a cut-short record is dropped.
    const auto records = orvane::files::readRecords(input);
    require(records.size() == fields.size() / 3);
    for (std::size_t i = 0; i < records.size(); ++i) {
        require(records[i].key == fields[3 * i]);
        require(records[i].value == fields[3 * i + 1]);
        require(records[i].comment == fields[3 * i + 2]);
    }
    return 0;
}
