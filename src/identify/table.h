#pragma once
// The species table: every species' name and its bud, leaf and fruit cells.
// It is read once from a data file and never changed afterwards, so any
// number of identifications may read one table at the same time.
#include <cstdint>
#include <memory>
#include <vector>

#include <QString>

#include "identify/cell.h"

namespace qid {

// Rows are species 0..species_count (row 0 never filled), columns 0..maximum.
class CellTable {
public:
    void resize(int rows, int columns)
    {
        rows_ = rows;
        columns_ = columns;
        cells_.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns), Cell());
    }
    // The table of these cells, row after row, `columns` to a row.
    void assign(int columns, std::vector<Cell>&& cells)
    {
        columns_ = columns;
        rows_ = columns > 0 ? static_cast<int>(cells.size() / static_cast<std::size_t>(columns)) : 0;
        cells_ = std::move(cells);
        cells_.resize(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_));
    }
    int rows() const { return rows_; }
    int columns() const { return columns_; }
    Cell& at(int row, int column) { return cells_.at(offset(row, column)); }
    const Cell& at(int row, int column) const { return cells_.at(offset(row, column)); }
    // A cell of a species; a column past the table's last reads as empty: a
    // file with fewer columns records nothing there.
    const Cell& cell(int row, int column) const
    {
        static const Cell empty;
        return column < columns_ ? at(row, column) : empty;
    }

private:
    std::size_t offset(int row, int column) const
    {
        if (row < 0 || row >= rows_ || column < 0 || column >= columns_)
            return cells_.size();  // makes at() throw std::out_of_range
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column);
    }
    int rows_ = 0;
    int columns_ = 0;
    std::vector<Cell> cells_;
};

struct MatchRows;

struct SpeciesTable {
    std::int16_t species_count = 0;  // species are numbered 1..species_count
    std::vector<QString> names;      // 0..species_count, 0 unused
    CellTable bud, leaf, fruit;
    // The cells compiled for the search steps, made when the table is read.
    // A table put together otherwise has none: each step compiles its own.
    std::shared_ptr<const MatchRows> match_rows;
};

}  // namespace qid
