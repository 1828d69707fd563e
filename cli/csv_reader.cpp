#include "csv_reader.h"

namespace wegator::cli {

std::vector<CsvRecord> ParseCsv(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string cell;
    int line = 1;
    bool inRecord = false;  // some character of the current record has been read
    std::size_t i = 0;

    const auto endCell = [&] {
        record.cells.push_back(std::move(cell));
        cell.clear();
    };
    const auto endRecord = [&] {
        if (inRecord) {
            endCell();
            records.push_back(std::move(record));
        }
        record = CsvRecord{};
        inRecord = false;
    };
    // Consumes a line end at i (LF, CR or CRLF), if there is one.
    const auto atLineEnd = [&]() -> bool {
        if (text[i] == '\n') {
            ++i;
        } else if (text[i] == '\r') {
            ++i;
            if (i < text.size() && text[i] == '\n') ++i;
        } else {
            return false;
        }
        ++line;
        return true;
    };

    while (i < text.size()) {
        if (!inRecord) {
            record.line = line;
            if (atLineEnd()) continue;  // an empty line
            inRecord = true;
        }
        if (atLineEnd()) {
            endRecord();
            continue;
        }
        const char c = text[i];
        if (c == ',') {
            endCell();
            ++i;
        } else if (c == '"' && cell.empty()) {
            const int quoteLine = line;
            ++i;
            for (;;) {
                if (i >= text.size()) {
                    throw CsvError("line " + std::to_string(quoteLine) + ": a quoted cell is not closed");
                }
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        cell += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (text[i] == '\n' || (text[i] == '\r' && !(i + 1 < text.size() && text[i + 1] == '\n'))) ++line;
                cell += text[i++];
            }
            if (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r') {
                throw CsvError("line " + std::to_string(line) + ": text after the closing quote of a cell");
            }
        } else {
            cell += c;
            ++i;
        }
    }
    endRecord();
    return records;
}

}  // namespace wegator::cli
