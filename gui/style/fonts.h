#pragma once
// The window's font: 宋体 where the machine has it, else a font that has the Chinese
// characters the captions use.

#include <QFont>
#include <QStringList>

namespace sanxing {

inline constexpr int kWindowFontPointSize = 9;

// Picks the family from `families` (as QFontDatabase lists them) and, for the fallback,
// from `chineseFamilies` (those that cover simplified Chinese). Empty when neither helps.
QString ChooseWindowFontFamily(const QStringList& families, const QStringList& chineseFamilies);

// The window font on this machine.
QFont WindowFont();

// Without a font for Chinese every caption is a row of empty boxes: the warning to show
// at start, naming the package to install (in English too, which such a machine can
// show). Nothing when `chineseFamilies` (those covering simplified Chinese) has one.
QString MissingChineseFontWarning(const QStringList& chineseFamilies);

// The warning for this machine's fonts.
QString MissingChineseFontWarning();

}  // namespace sanxing
