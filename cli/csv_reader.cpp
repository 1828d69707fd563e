#include "csv_reader.h"

namespace wegator::cli {

bool CsvReader::Refill() {
    if (!started_) {
        // The first three bytes, however the blocks come, for the byte-order mark.
        started_ = true;
        carried_.clear();
        while (carried_.size() < 3 && !ended_) {
            const std::string_view more = source_();
            ended_ = more.empty();
            carried_ += more;
        }
        if (carried_.compare(0, 3, "\xEF\xBB\xBF") == 0) carried_.erase(0, 3);
        block_ = carried_;
        position_ = 0;
        if (!block_.empty()) return true;
    }
    if (ended_) return false;
    block_ = source_();
    position_ = 0;
    ended_ = block_.empty();
    return !ended_;
}

int CsvReader::PeekSecond() {
    if (Peek() < 0) return -1;
    if (position_ + 1 < block_.size()) return static_cast<unsigned char>(block_[position_ + 1]);
    // The second character lies in the next block: keep the first one aside.
    carried_.assign(1, block_[position_]);
    if (!Refill()) {
        block_ = carried_;
        position_ = 0;
        return -1;
    }
    const int second = static_cast<unsigned char>(block_[0]);
    // Continue from the kept character, then the new block.
    carried_ += block_;
    block_ = carried_;
    position_ = 0;
    return second;
}

bool CsvReader::AtLineEnd() {
    const int c = Peek();
    if (c == '\n') {
        ++position_;
    } else if (c == '\r') {
        const bool crlf = PeekSecond() == '\n';
        position_ += crlf ? 2 : 1;
    } else {
        return false;
    }
    ++line_;
    return true;
}

bool CsvReader::Next(CsvRecord& record) {
    record.cells.clear();
    // Skip empty lines; the record starts where a character is.
    for (;;) {
        if (Peek() < 0) return false;
        record.line = line_;
        if (!AtLineEnd()) break;
    }
    std::string cell;
    for (;;) {
        const int c = Peek();
        if (c < 0 || AtLineEnd()) break;
        if (c == ',') {
            record.cells.push_back(std::move(cell));
            cell.clear();
            ++position_;
        } else if (c == '"' && cell.empty()) {
            const int quoteLine = line_;
            ++position_;
            for (;;) {
                const int q = Peek();
                if (q < 0) throw CsvError("line " + std::to_string(quoteLine) + ": a quoted cell is not closed");
                if (q == '"') {
                    if (PeekSecond() == '"') {
                        cell += '"';
                        position_ += 2;
                        continue;
                    }
                    ++position_;
                    break;
                }
                if (q == '\n' || (q == '\r' && PeekSecond() != '\n')) ++line_;
                cell += static_cast<char>(q);
                ++position_;
            }
            const int after = Peek();
            if (after >= 0 && after != ',' && after != '\n' && after != '\r') {
                throw CsvError("line " + std::to_string(line_) + ": text after the closing quote of a cell");
            }
        } else {
            cell += static_cast<char>(c);
            ++position_;
        }
    }
    record.cells.push_back(std::move(cell));
    return true;
}

std::vector<CsvRecord> ParseCsv(std::string_view text) {
    bool given = false;
    CsvReader reader([&]() -> std::string_view {
        if (given) return {};
        given = true;
        return text;
    });
    std::vector<CsvRecord> records;
    for (CsvRecord record; reader.Next(record);) records.push_back(record);
    return records;
}

}  // namespace wegator::cli
