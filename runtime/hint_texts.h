#pragma once
// The hint texts that stand in the multi-line condition boxes while they hold no entries.

#include <string_view>

namespace sanxing {

inline constexpr std::string_view kNumbersHint = "号码如下\r\n123\r\n456\r\n789\r\n012\r\n保持每行一排";
inline constexpr std::string_view kConditionsHint =
    "条件如下\r\n01 02 03 04 05 06\r\n07 08 09 00 12 13\r\n55 66 77 88 99 00\r\n保持每行一排";
inline constexpr std::string_view kShapesHint = "条件如下\r\n单单单\r\n双双双\r\n大大大\r\n小小小\r\n保持每行一排";
inline constexpr std::string_view kSegmentHint =
    "如不想多行段组如下：\r\n段组为段组框\r\n123-456-789\r\n123-852-347\r\n如想分别段组如下：\r\n"
    "123-456-789=0-1\r\n123-852-347=0-2";

}  // namespace sanxing
