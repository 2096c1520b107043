#pragma once
// Start-up and shut-down of the program, and the layout of the main window.
#include <QString>

namespace qid {

class QID_main;
// Fills the shared state, builds the control table, loads the species table
// and lays the window out. False when the program cannot start; the reason
// has been reported to the user.
bool start_up(QID_main& window);

class PPpages;

// The document of report pages bound to the preview window, made when first
// needed as start-up would have made it.
PPpages& document();

// ", " followed by the executable's last-modified date as dd/mm/yyyy.
QString file_date();

// Releases the shared objects and closes every open window, the most recently
// opened first and the main window last.
void shut_down();

// Arranges the main window on its design surface and makes the default selections.
// False when a picture it needs cannot be loaded (reported).
bool set_layout();

// "File '<path>' doesn't exist." in a critical message box.
void report_missing_file(const QString& path);

}  // namespace qid
