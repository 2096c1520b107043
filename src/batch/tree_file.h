#pragma once
// The trees of a batch as they stand in their file, before their cells are
// understood: CSV as spreadsheets save it (a header row naming the columns),
// a JSON array of objects, or JSON Lines (one object per line).
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qid::batch {

// One cell of a tree: the column it is in, and its text.
struct TreeCell {
    QString column;  // as the file names it; empty for a CSV cell beyond the header
    QString text;
};

// One tree as read. `row` is where it stands: the CSV record (the header is
// row 1), the position of the object in a JSON array, or the line of JSON Lines.
struct TreeRecord {
    int row = 0;
    std::vector<TreeCell> cells;
    QStringList problems;  // what made some of it unreadable
};

struct TreeFile {
    std::vector<TreeRecord> records;
    QString error;  // when not empty, the file could not be read at all
};

// Reads the trees of a file's bytes: JSON when the text starts with "[" or
// "{", else CSV. UTF-8 (a byte-order mark is skipped), or Windows-1252 when
// the bytes are not UTF-8. Records without any text are not trees and are left out.
TreeFile read_tree_file(const QByteArray& bytes);

// The records of CSV text: fields separated by commas, records by CR LF, LF
// or CR; a field in double quotes may hold commas, line ends and doubled
// quotes. Every record, with its row number; an unclosed quote is a problem
// of the record it starts in.
struct CsvRecord {
    int row = 0;
    QStringList fields;
    bool unclosed = false;
};
std::vector<CsvRecord> read_csv(const QString& text);

}  // namespace qid::batch
