#pragma once
// The Windows font names the program asks for, mapped to the closest fonts
// that the set-up scripts install (fontconfig alone would fall back to a
// generic face for most of them).
namespace qid::platform {

void install_font_substitutes();

}  // namespace qid::platform
