#pragma once
// Today's date, from one place: the rules that refuse a draw dated after tomorrow or an
// issue of a year still to come read it here, and tests fix the day they run on.

#include <chrono>

namespace sanxing {

using TodayFunction = std::chrono::sys_days (*)();

// Today's date (UTC) by the system clock, or by the function installed below.
std::chrono::sys_days Today();

// Makes `today` the source of Today(); nullptr goes back to the system clock. Gives the
// function it replaces.
TodayFunction SetTodayFunction(TodayFunction today);

}  // namespace sanxing
