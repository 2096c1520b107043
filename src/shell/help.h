#pragma once
// Help: HTML pages in the "Help" folder of the program folder, shown in the
// user's browser. The frame page hlp.htm shows source.htm beside the topic
// pages; before it is opened, the navigation page the user asked for
// (contents, index or search) is copied over source.htm.
#include <QString>

namespace qid {

// Copies the navigation page topic (a full path; "" for none) over
// source.htm, then opens page in the browser. Anything that fails is shown
// in the program's message box under "BROWSER ERROR".
void show_help(const QString& page, const QString& topic);

// Copies topic over source.htm in the program's Help folder or, when that
// folder cannot be written (an installed program's folder usually cannot),
// in a per-user copy of the help pages, made anew whenever one of its pages
// differs from the program's in size or date, is missing, or is one the
// program no longer has. Returns the folder whose pages are to be opened, or
// "" when nothing could be copied (reported).
QString copy_topic(const QString& topic);

// The Help menu's Contents, Index and Find.
void hlp_cont_Click();
void hlp_index_Click();
void hlp_find_Click();

}  // namespace qid
