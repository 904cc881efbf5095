#include "runtime/home_folder.h"

#include <cstdlib>

namespace sanxing {

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    return home == nullptr ? std::string() : std::string(home);
}

}  // namespace sanxing
