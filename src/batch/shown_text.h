#pragma once
// Texts from a file of trees as the tool's messages and its table show them:
// one visible line each, however long or odd the text.
#include <QString>
#include <QStringView>

namespace qid::batch {

// The text with every character a terminal would not show as itself escaped:
// NUL as \0, tab, CR and LF as \t, \r and \n, other control characters as
// \xHH or \uHHHH, line and paragraph separators as \u2028 and \u2029, and a
// half of a surrogate pair standing alone as \uD800 and the like.
QString escaped(QStringView text);

// At most 40 characters of the text, escaped, with "…" where it was cut.
QString cut(QStringView text);

// A cell as a message quotes it: cut, in double quotes.
QString quoted(QStringView text);

}  // namespace qid::batch
