#pragma once
// The trees of a batch as they stand in their file, before their cells are
// understood, read one at a time: CSV as spreadsheets save it (a header row
// naming the columns), a JSON array of objects, or JSON objects one after
// another (JSON Lines, or over several lines each as jq prints them).
#include <memory>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "batch/text_source.h"

namespace qid::batch {

// A record or text longer than this is no part of a tree but, most likely, a
// quote left open; holding it all would take memory without end.
inline constexpr qsizetype longest_record = 16 * 1024 * 1024;

// One cell of a tree: the column it is in, and its text.
struct TreeCell {
    QString column;                  // as the file names it; empty for a CSV cell beyond the header
    QString text;
    std::optional<double> number{};  // the value of a JSON number (infinite beyond a double's range)
    bool repeated = false;           // a JSON key its object already gave
};

// One tree as read. `row` is where it stands: the CSV record (the header is
// row 1), the place of the object in a JSON array, or the line a JSON object
// of a stream starts on.
struct TreeRecord {
    int row = 0;
    std::vector<TreeCell> cells;
    QStringList problems;  // what made some of it unreadable
};

// One record of CSV text: fields separated by commas, records by CR LF, LF
// or CR; a field in double quotes may hold commas, line ends and doubled
// quotes. An unclosed quote runs to the end of the text.
struct CsvRecord {
    int row = 0;
    QStringList fields;
    bool unclosed = false;
};

class CsvReader {
public:
    // Records from the next character of `text` on, which is in row `row`.
    explicit CsvReader(TextSource& text, int row = 1) : text_(text), row_(row) {}
    // The next record; false at the end, or when a record is too long to be
    // a row of trees (error() says so).
    bool next(CsvRecord& record);
    const QString& error() const { return error_; }

private:
    TextSource& text_;
    int row_;
    QString error_;
};

class JsonTrees;

class TreeStream {
public:
    enum class Form { empty, csv, json_array, json_objects };

    // The trees of `text`: JSON when its first character other than a blank
    // or a line end is "[" or "{", else CSV, whose header is read at once.
    explicit TreeStream(TextSource& text);
    ~TreeStream();

    Form form() const { return form_; }
    // The column names of a CSV header.
    const QStringList& header() const { return header_; }

    // The next tree; records without any text are no trees and are passed
    // over. False at the end, or when the file cannot be read on.
    bool next(TreeRecord& tree);
    // Why the file could not be read (on): its place and what was wrong there.
    QString error() const;

private:
    bool next_csv(TreeRecord& tree);

    TextSource& text_;
    Form form_ = Form::empty;
    std::optional<CsvReader> csv_;
    std::unique_ptr<JsonTrees> json_;
    QStringList header_;
    QString error_;
};

}  // namespace qid::batch
