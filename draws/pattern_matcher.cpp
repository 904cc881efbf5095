#define PCRE2_CODE_UNIT_WIDTH 8
#include "draws/pattern_matcher.h"

#include <pcre2.h>

#include "net/page_text.h"

namespace sanxing {

namespace {

template <typename T, void (*Free)(T*)>
struct Owned {
    T* p;
    explicit Owned(T* pointer) : p(pointer) {}
    ~Owned() {
        if (p) Free(p);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
};
using Code = Owned<pcre2_code, pcre2_code_free>;
using CompileContext = Owned<pcre2_compile_context, pcre2_compile_context_free>;
using MatchContext = Owned<pcre2_match_context, pcre2_match_context_free>;
using MatchData = Owned<pcre2_match_data, pcre2_match_data_free>;

struct Deadline {
    std::chrono::steady_clock::time_point at;
};

// Called at the start of every match attempt; ends the run once the time budget is spent.
int CheckDeadline(pcre2_callout_block*, void* data) {
    return std::chrono::steady_clock::now() > static_cast<Deadline*>(data)->at ? PCRE2_ERROR_CALLOUT : 0;
}

pcre2_code* Compile(const std::string& pattern, uint32_t flags, pcre2_compile_context* context) {
    int error = 0;
    PCRE2_SIZE offset = 0;
    return pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), flags, &error, &offset, context);
}

// Bytes of the UTF-8 character at `at` (1 for an invalid byte), so that the search after
// an empty match never starts inside a character.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    for (std::size_t i = 1; i < n; ++i) {
        if (at + i >= text.size() || (static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
    }
    return n;
}

bool IsUtfError(int rc) { return rc <= PCRE2_ERROR_UTF8_ERR1 && rc >= PCRE2_ERROR_UTF8_ERR21; }

// Compiles `pattern` and calls `visit(ovector, pairs, groups)` for every match in subject
// order: `pairs` counts the set pairs of the ovector, `groups` the pattern's groups.
// Returns 1 when the run completed, 0 for a bad pattern or a run that exceeded its
// bounds, and -1 when `tolerant` is false and the subject is not valid UTF-8 (found
// before anything is visited).
//
// A valid subject is checked once, on the first call, and not again on the next ones;
// the tolerant mode (invalid bytes match nothing) would check the rest of the subject on
// every call, which makes a page of many matches quadratic.
template <typename Visit>
int RunPattern(const std::string& pattern, std::string_view subject, const MatchLimits& limits,
               const PatternOptions& options, bool tolerant, Visit visit) {
    CompileContext compileContext(pcre2_compile_context_create(nullptr));
    if (!compileContext.p) return 0;
    pcre2_set_newline(compileContext.p, PCRE2_NEWLINE_LF);
    uint32_t flags = PCRE2_UTF | (tolerant ? PCRE2_MATCH_INVALID_UTF : 0);
    if (!options.caseSensitive) flags |= PCRE2_CASELESS;
    if (options.multiline) flags |= PCRE2_MULTILINE;
    Code plain(Compile(pattern, flags, compileContext.p));
    if (!plain.p) return 0;
    // The same pattern behind a callout that runs at every match attempt and watches the
    // time budget. Wrapping in a non-capturing group keeps the group numbers.
    Code watched(Compile("(?C1)(?:" + pattern + ")", flags, compileContext.p));
    const pcre2_code* code = watched.p ? watched.p : plain.p;

    Deadline deadline{std::chrono::steady_clock::now() + limits.timeBudget};
    MatchContext matchContext(pcre2_match_context_create(nullptr));
    MatchData data(pcre2_match_data_create_from_pattern(code, nullptr));
    if (!matchContext.p || !data.p) return 0;
    pcre2_set_match_limit(matchContext.p, limits.matchLimit);
    pcre2_set_depth_limit(matchContext.p, limits.depthLimit);
    pcre2_set_callout(matchContext.p, CheckDeadline, &deadline);

    uint32_t groups = 0;
    pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &groups);
    const auto* bytes = reinterpret_cast<PCRE2_SPTR>(subject.data());
    uint32_t matchFlags = 0;
    std::size_t start = 0;
    while (start <= subject.size()) {
        const int rc = pcre2_match(code, bytes, subject.size(), start, matchFlags, data.p, matchContext.p);
        if (!tolerant) matchFlags = PCRE2_NO_UTF_CHECK;
        if (rc == PCRE2_ERROR_NOMATCH) break;
        if (rc < 0) return IsUtfError(rc) && !tolerant ? -1 : 0;
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data.p);
        visit(ovector, rc, groups);
        if (!options.global) break;
        const std::size_t end = ovector[1];
        start = end > ovector[0] ? end : end < subject.size() ? end + CharacterLength(subject, end) : end + 1;
    }
    return 1;
}

// RunPattern on a valid subject, else in the tolerant mode.
template <typename Visit>
bool RunPatternOnAnyText(const std::string& pattern, std::string_view subject, const MatchLimits& limits,
                         const PatternOptions& options, Visit visit) {
    const int outcome = RunPattern(pattern, subject, limits, options, false, visit);
    if (outcome >= 0) return outcome == 1;
    return RunPattern(pattern, subject, limits, options, true, visit) == 1;
}

}  // namespace

std::string_view MatchView::group(int k) const {
    if (k < 0 || k >= groups_ || ovector_[2 * k] == PCRE2_UNSET) return {};
    return subject_.substr(ovector_[2 * k], ovector_[2 * k + 1] - ovector_[2 * k]);
}

bool PatternMatcher::ForEachMatch(std::string_view pattern, std::string_view subject,
                                  const std::function<void(const MatchView&)>& visit, PatternOptions options) const {
    const std::string text = options.quotePlaceholder ? WithQuotes(pattern) : std::string(pattern);
    return RunPatternOnAnyText(text, subject, limits_, options, [&](const PCRE2_SIZE* ovector, int pairs, uint32_t) {
        visit(MatchView(subject, ovector, pairs));
    });
}

bool PatternMatcher::Create(std::string_view pattern, std::string_view subject, PatternOptions options) {
    matches_.clear();
    created_ = false;
    pattern_ = options.quotePlaceholder ? WithQuotes(pattern) : std::string(pattern);
    subject_ = subject;
    const bool ran = RunPatternOnAnyText(
        pattern_, subject_, limits_, options, [&](const PCRE2_SIZE* ovector, int pairs, uint32_t groups) {
            Match match(groups + 1);
            for (uint32_t k = 0; k <= groups && k < static_cast<uint32_t>(pairs); ++k) {
                if (ovector[2 * k] == PCRE2_UNSET) continue;
                match[k] = {ovector[2 * k], ovector[2 * k + 1], true};
            }
            matches_.push_back(std::move(match));
        });
    if (!ran) {
        matches_.clear();
        return false;
    }
    created_ = true;
    return true;
}

int PatternMatcher::SubmatchCount() const {
    return matches_.empty() ? 0 : static_cast<int>(matches_.front().size()) - 1;
}

const PatternMatcher::Span* PatternMatcher::span(int n, int k) const {
    if (n < 1 || n > MatchCount()) return nullptr;
    const Match& match = matches_[static_cast<std::size_t>(n - 1)];
    if (k < 0 || static_cast<std::size_t>(k) >= match.size()) return nullptr;
    return &match[static_cast<std::size_t>(k)];
}

std::string PatternMatcher::text(const Span* span, int* outPos) const {
    const bool found = span != nullptr && span->set;
    if (outPos) *outPos = found ? static_cast<int>(span->begin) : -2;
    return found ? subject_.substr(span->begin, span->end - span->begin) : std::string();
}

std::string PatternMatcher::MatchText(int n, int* outPos) const { return text(span(n, 0), outPos); }

std::string PatternMatcher::SubmatchText(int n, int k, int* outPos) const {
    return text(k < 1 ? nullptr : span(n, k), outPos);
}

std::string PatternMatcher::ReplaceAll(std::string_view replacement) const {
    if (!created_) return {};
    std::string out;
    std::size_t done = 0;
    for (const Match& match : matches_) {
        out.append(subject_, done, match[0].begin - done);
        appendReplacement(out, replacement, match);
        done = match[0].end;
    }
    out.append(subject_, done);
    return out;
}

void PatternMatcher::appendReplacement(std::string& out, std::string_view replacement, const Match& match) const {
    const auto digit = [&](std::size_t i) {
        return i < replacement.size() && replacement[i] >= '0' && replacement[i] <= '9';
    };
    const auto group = [&](std::size_t k) {
        if (match[k].set) out.append(subject_, match[k].begin, match[k].end - match[k].begin);
    };
    for (std::size_t i = 0; i < replacement.size(); ++i) {
        const char c = replacement[i];
        if (c != '$' || i + 1 >= replacement.size()) {
            out += c;
            continue;
        }
        const char next = replacement[i + 1];
        if (next == '$') {
            out += '$';
        } else if (next == '&') {
            group(0);
        } else if (next == '`') {
            out.append(subject_, 0, match[0].begin);
        } else if (next == '\'') {
            out.append(subject_, match[0].end);
        } else if (digit(i + 1)) {
            // Two digits when they name a group, else one digit when it does.
            const std::size_t one = static_cast<std::size_t>(next - '0');
            const std::size_t two = digit(i + 2) ? one * 10 + static_cast<std::size_t>(replacement[i + 2] - '0') : 0;
            if (two >= 1 && two < match.size()) {
                group(two);
                i += 1;
            } else if (one >= 1 && one < match.size()) {
                group(one);
            } else {
                out += c;
                continue;
            }
        } else {
            out += c;
            continue;
        }
        i += 1;
    }
}

}  // namespace sanxing
