#pragma once
// The few process-wide values that live outside the controls, from start to exit.

#include <string>

namespace sanxing {

struct SessionState {
    std::string saveDirectory;          // remembered after each confirmed save
    std::string lastOpenPath;           // offered by the next open dialog
    std::string lastDrawNumber;         // newest draw number an update reported
    std::string handledDrawNumber;      // newest draw number already announced and verified
    std::string goodTolerance = "0-0";  // the last range 容错 held that a user can mean
};

}  // namespace sanxing
