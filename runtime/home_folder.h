#pragma once
// The user's home folder: where the file dialogs start before any folder is remembered,
// never the program's own folder (a system folder once installed).

#include <string>

namespace sanxing {

// $HOME; empty when it is not set (the dialog then picks its own start).
std::string HomeFolder();

}  // namespace sanxing
