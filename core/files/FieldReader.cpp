#include "core/files/FieldReader.h"

#include <utility>

namespace orvane::files {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool endsField(char c) {
    return c == ',' || isLineEnd(c);
}

}  // namespace

std::optional<std::string> FieldReader::next() {
    // An empty input holds no field at all; otherwise its start opens the first one.
    if (!m_pendingField || m_bytes.empty()) return std::nullopt;

    const std::size_t size = m_bytes.size();
    while (m_pos < size && isBlank(m_bytes[m_pos]))
        ++m_pos;

    std::string field;
    if (m_pos < size && m_bytes[m_pos] == '"') {
        const std::size_t start = m_pos + 1;
        const std::size_t close = m_bytes.find('"', start);
        if (close == std::string_view::npos) {
            // An unterminated quote takes the rest of the input; nothing can follow it.
            field.assign(m_bytes.substr(start));
            m_pos = size;
            m_pendingField = false;
            return field;
        }
        field.assign(m_bytes.substr(start, close - start));
        // Whatever follows the closing quote up to the end of the field is dropped.
        m_pos = close + 1;
        while (m_pos < size && !endsField(m_bytes[m_pos]))
            ++m_pos;
    } else {
        const std::size_t start = m_pos;
        while (m_pos < size && !endsField(m_bytes[m_pos]))
            ++m_pos;
        std::size_t end = m_pos;
        while (end > start && isBlank(m_bytes[end - 1]))
            --end;
        field.assign(m_bytes.substr(start, end - start));
    }

    // Consume the separator: a comma always opens another field, a line end (CR LF, CR or LF)
    // only when more input follows it, and the end of the input opens none.
    if (m_pos >= size) {
        m_pendingField = false;
    } else if (m_bytes[m_pos] == ',') {
        ++m_pos;
        m_pendingField = true;
    } else {
        if (m_bytes[m_pos] == '\r' && m_pos + 1 < size && m_bytes[m_pos + 1] == '\n') ++m_pos;
        ++m_pos;
        m_pendingField = m_pos < size;
    }
    return field;
}

std::optional<Record> readRecord(FieldReader& reader) {
    auto key = reader.next();
    if (!key) return std::nullopt;
    auto value = reader.next();
    if (!value) return std::nullopt;
    auto comment = reader.next();
    if (!comment) return std::nullopt;
    return Record{std::move(*key), std::move(*value), std::move(*comment)};
}

std::vector<Record> readRecords(std::string_view bytes) {
    std::vector<Record> records;
    FieldReader reader(bytes);
    while (auto record = readRecord(reader))
        records.push_back(std::move(*record));
    return records;
}

}  // namespace orvane::files
