#include "evaluation_output.h"

#include <algorithm>
#include <ostream>

#include "csv_reader.h"
#include "options.h"

namespace wegator::cli {

namespace {

// Header cell → field index; blanks around a name, ASCII case and "_" for "-" do not matter.
std::vector<int> BatchColumns(const Command& command, const CsvRecord& header) {
    const auto& names = command.FieldNames();
    std::string valid;
    for (const auto& n : names) valid += (valid.empty() ? "" : ", ") + n;
    std::vector<int> columns;
    for (const std::string& cell : header.cells) {
        std::string name = TrimBlanks(cell);
        for (char& c : name) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (c == '_') c = '-';
        }
        const auto found = std::find(names.begin(), names.end(), name);
        if (found == names.end()) {
            throw UsageError("batch file, line " + std::to_string(header.line) + ": unknown column " +
                             MessageQuoted(cell) + "; the columns are " + valid);
        }
        const int field = static_cast<int>(found - names.begin());
        if (std::find(columns.begin(), columns.end(), field) != columns.end()) {
            throw UsageError("batch file, line " + std::to_string(header.line) + ": column " + MessageQuoted(name) +
                             " appears twice");
        }
        columns.push_back(field);
    }
    return columns;
}

// The edits of one batch record; with `check`, throws UsageError for a cell
// that cannot go into its field.
std::vector<Edit> RowEdits(const Command& command, const std::vector<int>& columns, const CsvRecord& record,
                           bool check) {
    if (record.cells.size() > columns.size()) {
        throw UsageError("batch file, line " + std::to_string(record.line) + ": " +
                         std::to_string(record.cells.size()) + " cells, but the header names " +
                         std::to_string(columns.size()) + " columns");
    }
    std::vector<Edit> edits;
    // The place a message names, put together once per row: the first
    // reading checks every cell of what may be millions.
    std::string where;
    std::size_t placeLength = 0;
    if (check) {
        where = "batch file, line " + std::to_string(record.line) + ", column ";
        placeLength = where.size();
    }
    for (std::size_t c = 0; c < record.cells.size(); ++c) {
        Edit edit{columns[c], TrimBlanks(record.cells[c])};
        if (edit.text.empty() && !command.EmptyCellIsTyped(edit.field)) continue;
        if (check) {
            where.resize(placeLength);
            where += command.FieldNames()[static_cast<std::size_t>(edit.field)];
            command.CheckEdit(edit, where);
        }
        edits.push_back(std::move(edit));
    }
    return edits;
}

// One pass over the batch file: its columns, then `row` for every record
// after the header. Only the first pass needs to check the cells.
template <typename Row>
void ReadBatch(const Command& command, TwoPassInput& input, bool check, Row row) {
    CsvReader reader([&input] { return input.NextBlock(); });
    CsvRecord record;
    try {
        if (!reader.Next(record)) throw UsageError("the batch file has no header line");
        const std::vector<int> columns = BatchColumns(command, record);
        while (reader.Next(record)) row(record, RowEdits(command, columns, record, check));
    } catch (const CsvError& e) {
        throw UsageError(std::string("batch file, ") + e.what());
    }
}

}  // namespace

// Messages go to standard error on one line each.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

void ReportMessages(std::ostream& err, const Evaluation& evaluation, const std::string& prefix) {
    for (const auto& shown : evaluation.messages) {
        err << "wegator-cli: " << prefix << "message " << shown.messageId << ": " << OneLine(shown.text) << '\n';
    }
    for (const auto& failure : evaluation.failures) err << "wegator-cli: " << prefix << OneLine(failure) << '\n';
}

void WriteJson(JsonWriter& json, const Command& command, const Evaluation& evaluation, int line) {
    json.BeginObject();
    if (line > 0) {
        json.Key("line");
        json.Integer(line);
    }
    json.Member("command", command.Name());
    json.Key("ok");
    json.Bool(evaluation.messages.empty());
    json.Key("message_id");
    if (evaluation.messages.empty()) {
        json.Null();
    } else {
        json.Integer(evaluation.messages.front().messageId);
    }
    json.Key("message");
    if (evaluation.messages.empty()) {
        json.Null();
    } else {
        json.String(evaluation.messages.front().text);
    }
    json.Key("messages");
    json.BeginArray();
    for (const auto& shown : evaluation.messages) {
        json.BeginObject();
        json.Key("id");
        json.Integer(shown.messageId);
        json.Member("kind", shown.warning ? "warning" : "message");
        json.Member("text", shown.text);
        json.EndObject();
    }
    json.EndArray();
    evaluation.WriteJsonMembers(json);
    json.EndObject();
}

std::vector<std::string> CsvHeader(const Command& command) {
    auto header = command.CsvHeader();
    header.insert(header.end(), {"message_id", "message"});
    const auto trailer = command.CsvTrailer();
    header.insert(header.end(), trailer.begin(), trailer.end());
    return header;
}

std::vector<std::string> CsvCells(const Evaluation& evaluation) {
    auto cells = evaluation.CsvCells();
    if (evaluation.messages.empty()) {
        cells.insert(cells.end(), {"", ""});
    } else {
        const auto& first = evaluation.messages.front();
        cells.insert(cells.end(), {std::to_string(first.messageId), first.text});
    }
    const auto trailer = evaluation.CsvTrailerCells();
    cells.insert(cells.end(), trailer.begin(), trailer.end());
    return cells;
}

bool RunBatchRows(const Command& command, TwoPassInput& input, bool json, std::ostream& out, std::ostream& err) {
    ReadBatch(command, input, true, [](const CsvRecord&, const std::vector<Edit>&) {});
    input.Rewind();

    bool allSucceeded = true;
    JsonWriter writer(out);
    if (json) {
        writer.BeginArray();
    } else {
        WriteCsvRow(out, CsvHeader(command));
    }
    ReadBatch(command, input, false, [&](const CsvRecord& record, const std::vector<Edit>& edits) {
        const auto evaluation = command.Evaluate(edits);
        if (json) {
            WriteJson(writer, command, *evaluation, record.line);
        } else {
            WriteCsvRow(out, CsvCells(*evaluation));
        }
        ReportMessages(err, *evaluation, "line " + std::to_string(record.line) + ": ");
        allSucceeded = allSucceeded && evaluation->Succeeded();
    });
    if (json) {
        writer.EndArray();
        out << '\n';
    }
    return allSucceeded;
}

}  // namespace wegator::cli
