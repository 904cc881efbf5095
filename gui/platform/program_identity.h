#pragma once
// What the program tells Qt and the desktop about itself: its version (printed by
// --version, shown in the 关于 box), the desktop entry its windows belong to, and the
// icon every window wears.

#include <QIcon>

namespace sanxing {

// The program's icon at 48, 128 and 256 px, built into the program.
QIcon ProgramIcon();

// Call once the QApplication exists.
void SetProgramIdentity();

}  // namespace sanxing
