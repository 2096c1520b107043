#pragma once
// Whether a font family is really installed, as opposed to being replaced by
// the system's generic fallback.
#include <QString>

namespace qid {

// True when the family is installed under that name or is mapped by the
// font configuration to a substitute of its own (Arial to Liberation Sans).
// A name that only reaches a generic fallback (the default sans serif, serif,
// monospace, cursive or fantasy face) counts as not installed.
bool font_installed(const QString& family);

}  // namespace qid
