#pragma once
// The announcement page as a small, flat piece of HTML that any view lays out in
// moments. A real HTML parser (libxml2) reads whatever the host sends (broken markup,
// tables or lists thousands deep, megabytes of it); what is kept is its text in
// paragraphs, headings (h3), bold, italic, underline and links, never nested deeper than
// a paragraph with one run of formatting. Tables become one paragraph per row, list items
// paragraphs led by a bullet and indented by their depth (at most four steps). Scripts,
// styles, images and forms are left out; links keep only http, https, mailto and
// relative targets. The text is cut after kMaxSafeTextBytes or kMaxSafeBlocks paragraphs,
// with a mark that it was.
//
// This runs on the worker thread: the UI thread only lays out the result.

#include <cstddef>
#include <string>
#include <string_view>

namespace sanxing {

inline constexpr std::size_t kMaxSafeTextBytes = 64 * 1024;
inline constexpr std::size_t kMaxSafeBlocks = 2'000;

std::string SafeAnnouncementHtml(std::string_view html);

}  // namespace sanxing
