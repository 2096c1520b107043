#pragma once
// The two shared variables every layer below the window may use: the
// program folder and the one error flag of the page engine, the document,
// the dialogs and the message box.
#include <QString>

namespace qid {

extern QString app_path;  // program folder followed by "/"

// Set by an error message of the page engine or the document, a cancelled
// dialog or the message box's CANCEL; callers test it after such a call.
extern bool page_err;

}  // namespace qid
