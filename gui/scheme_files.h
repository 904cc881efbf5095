#pragma once
// Scheme files: the condition controls and 组合框_容错 as a JSON object, the same form
// that sanxing-cli --scheme reads.

#include <QString>
#include <nlohmann/json.hpp>

#include "app/scheme.h"
#include "runtime/controls.h"
#include "runtime/result.h"

namespace sanxing {

// Reads and checks the whole file (only a regular file: a FIFO or device is refused
// unopened): the scheme, or the reason it cannot be used (the file cannot be read, is not
// a scheme, names a control that a scheme does not hold or gives a value of the wrong kind).
Result<nlohmann::json> ReadSchemeFile(const Controls& controls, const QString& path);

// Reads and checks the whole file (ReadSchemeFile), then applies it. Nothing changes when
// the file cannot be used; the error names the problem.
Result<void> OpenSchemeFile(Controls& controls, const QString& path);

// Writes the scheme of the current state through the program's save routine (whole or
// not at all); the error names the problem.
Result<void> SaveSchemeFile(const Controls& controls, const QString& path);

}  // namespace sanxing
