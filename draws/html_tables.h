#pragma once
// The tables of an HTML text (a results page as a browser copies it) as lines of text,
// for the draw import: read by the same HTML parser as the announcement page (libxml2),
// walked without recursion, so that no markup can exhaust the stack, and bounded.

#include <cstddef>
#include <string>
#include <string_view>

namespace sanxing {

// Larger HTML is not read (a copied results page is far smaller).
inline constexpr std::size_t kMaxTableHtmlBytes = 64u << 20;

// One line per table row, its cells in double quotes (a quote doubled, as in CSV) joined by
// tabs, so that a cell stays one field whatever it holds; white space inside a cell becomes
// one space; scripts, styles and text outside tables are left out. Empty when there is no
// table with text, or the HTML is larger than kMaxTableHtmlBytes.
std::string HtmlTableText(std::string_view html);

}  // namespace sanxing
