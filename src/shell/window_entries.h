#pragma once
// The window's species table and observations: the table loaded from
// data_file with the choice lists filled, and the observations read from the
// controls before a search.

namespace qid {

// Reads data_file into the window's species table and fills the seven choice
// lists through the control table (slots left empty are skipped). A file that
// cannot be read is reported in a message box naming the file, the line and
// what was expected; the table is then left empty and false returned.
bool load_species();

// Copies the observations from the controls into the observation set and
// empties the selection table.
void read_entries();

}  // namespace qid
