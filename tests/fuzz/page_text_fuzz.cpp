// Page text routines against plain references. Pieces: a text, a left and a right
// marker; the first byte of the text also gives the start position and the case rule.

#include "fuzz_input.h"
#include "net/page_text.h"
#include "runtime/gbk.h"

using namespace sanxing;

namespace {

std::string QuotesFor(std::string_view marker) {
    std::string out;
    for (std::size_t at = 0; at < marker.size();) {
        if (marker.substr(at).starts_with("#引号")) {
            out += '"';
            at += std::string_view("#引号").size();
        } else {
            out += marker[at++];
        }
    }
    return out;
}

// Searches lower-cased copies (when case is ignored) with std::string::find.
std::string ReferenceBetween(std::string_view text, std::string_view left, std::string_view right, std::size_t start,
                             bool caseSensitive) {
    const std::string haystack = caseSensitive ? std::string(text) : fuzz::LowerAscii(text);
    const std::string l = caseSensitive ? QuotesFor(left) : fuzz::LowerAscii(QuotesFor(left));
    const std::string r = caseSensitive ? QuotesFor(right) : fuzz::LowerAscii(QuotesFor(right));
    const std::size_t leftAt = haystack.find(l, start == 0 ? 0 : start - 1);
    if (leftAt == std::string::npos) return {};
    const std::size_t end = haystack.find(r, leftAt + l.size());
    if (end == std::string::npos) return {};
    return std::string(text.substr(leftAt + l.size(), end - leftAt - l.size()));
}

bool ValidUtf8(std::string_view text) { return RepairUtf8(text) == text; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto pieces = fuzz::Pieces(fuzz::Bytes(data, size), 3);
    const std::string_view text = pieces[0], left = pieces[1], right = pieces[2];
    const std::size_t start = text.empty() ? 1 : static_cast<unsigned char>(text[0]) % 64;
    const bool caseSensitive = !text.empty() && (text[0] & 1);

    fuzz::Check(TextBetween(text, left, right, start, caseSensitive) ==
                    ReferenceBetween(text, left, right, start, caseSensitive),
                "TextBetween equals the plain search");
    for (const PageEncoding encoding : {PageEncoding::Gbk, PageEncoding::Utf8}) {
        fuzz::Check(ValidUtf8(PageText(text, encoding)), "page text is valid UTF-8");
    }
    const std::string repaired = RepairUtf8(text);
    fuzz::Check(RepairUtf8(repaired) == repaired, "repaired text needs no repair");
    const std::string trimmed = Trim(repaired);
    fuzz::Check(Trim(trimmed) == trimmed && !trimmed.starts_with(' ') && !trimmed.ends_with(' '), "trim");
    fuzz::Check(RemoveSpaces(repaired).find(' ') == std::string::npos, "no space is left");
    fuzz::Check(ValidUtf8(LastGbkBytes(repaired, start)), "last bytes are valid UTF-8");
    fuzz::Check(ValidUtf8(GbkBytesAt(repaired, {1, start, 300})), "bytes at positions are valid UTF-8");
    return 0;
}
