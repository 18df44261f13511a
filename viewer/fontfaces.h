#pragma once

namespace ostrel {

// The faces the window asks for by name. They are the Windows faces of the
// game's own viewer; InstallFontSubstitutions() maps each to an installed face
// of the same kind, so the names can stay as they are everywhere else.
inline constexpr char ProportionalGothicFace[] = "ＭＳ Ｐゴシック";
inline constexpr char FixedGothicFace[] = "ＭＳ ゴシック";
inline constexpr char TitleSerifFace[] = "Times New Roman";

// Registers the substitutes of the three faces with QFont. Call once, after
// the application object exists and before the first window is built.
void InstallFontSubstitutions();

} // namespace ostrel
