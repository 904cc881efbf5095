#pragma once
// A system error (errno) as the user reads it: Chinese first, the system's English text
// after it in parentheses, e.g. "磁盘空间不足（No space left on device）". Every message
// that carries a system reason builds it here.

#include <string>

namespace sanxing {

// The common errno values in Chinese; any other as "系统错误 N" (with the English text
// in parentheses when the system knows the number).
std::string SystemErrorText(int error);

}  // namespace sanxing
