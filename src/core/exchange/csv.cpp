#include "core/exchange/csv.h"

#include "core/classfile/fileerror.h"

namespace tallyro {

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string csvRecord(const std::vector<std::string>& fields) {
    std::string record;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            record += ',';
        record += csvField(fields[i]);
    }
    record += "\r\n";
    return record;
}

std::vector<CsvRecord> parseCsv(std::string_view text) {
    std::vector<CsvRecord> records;
    size_t pos = 0;
    int line = 1;
    // A CR LF pair is one line end; a lone CR or LF is one too.
    auto lineEndAt = [&](size_t at) -> size_t {
        if (text[at] == '\r')
            return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
        return text[at] == '\n' ? 1 : 0;
    };
    while (pos < text.size()) {
        CsvRecord record;
        record.line = line;
        std::string field;
        bool recordEnded = false;
        while (!recordEnded) {
            if (pos < text.size() && text[pos] == '"') {
                int opened = line;
                ++pos;
                for (;;) {
                    if (pos >= text.size())
                        throw FileError("Line " + std::to_string(opened) +
                                        ": a quoted field is never closed.");
                    if (text[pos] == '"') {
                        if (pos + 1 < text.size() && text[pos + 1] == '"') {
                            field += '"';
                            pos += 2;
                            continue;
                        }
                        ++pos;
                        break;
                    }
                    if (size_t end = lineEndAt(pos)) {
                        field.append(text.substr(pos, end));
                        pos += end;
                        ++line;
                        continue;
                    }
                    field += text[pos++];
                }
            }
            // The unquoted part of a field, or what follows a closing quote.
            while (pos < text.size() && text[pos] != ',' && lineEndAt(pos) == 0)
                field += text[pos++];
            record.fields.push_back(std::move(field));
            field.clear();
            if (pos >= text.size()) {
                recordEnded = true;
            } else if (text[pos] == ',') {
                ++pos;
            } else {
                pos += lineEndAt(pos);
                ++line;
                recordEnded = true;
            }
        }
        records.push_back(std::move(record));
    }
    return records;
}

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kSpace = " \t\r\n\v\f";
    size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(kSpace);
    return text.substr(first, last - first + 1);
}

} // namespace tallyro
