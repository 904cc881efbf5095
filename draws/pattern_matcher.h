#pragma once
// Regular expressions over page texts with 1-based access to matches and groups.
//
// Semantics: letters match either case unless caseSensitive; "^" and "$" also match at
// line feeds when multiline; "." matches any character but a line feed (a carriage
// return included); with global every non-overlapping match is found, numbered from 1 in
// subject order; groups are numbered by their opening parenthesis, nested ones included.
// A match or group index out of range gives the empty text.
//
// Matching is bounded: each attempt by match and depth limits, the whole run by a time
// budget, so that a hostile page cannot hang a job. A run that exceeds a bound fails
// like a bad pattern: Create returns false and the collection is empty.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sanxing {

struct MatchLimits {
    std::uint32_t matchLimit = 1'000'000;  // backtracking steps per attempt
    std::uint32_t depthLimit = 10'000;     // nesting of backtracking frames per attempt
    std::chrono::milliseconds timeBudget{2'000};
};

// One match, while a match visitor runs: group k (0 the whole match) as a view into the
// subject; a group that took part in no match is empty.
class MatchView {
public:
    MatchView(std::string_view subject, const std::size_t* ovector, int groups)
        : subject_(subject), ovector_(ovector), groups_(groups) {}
    std::string_view group(int k) const;
    int groupCount() const { return groups_; }

private:
    std::string_view subject_;
    const std::size_t* ovector_;
    int groups_;
};

struct PatternOptions {
    bool caseSensitive = false;
    bool multiline = true;
    bool global = true;
    bool quotePlaceholder = false;  // "#引号" in the pattern stands for a double quote
};

class PatternMatcher {
public:
    explicit PatternMatcher(MatchLimits limits = {}) : limits_(limits) {}

    // Compiles the pattern and runs it over the subject; false for a bad pattern or a run
    // that exceeded its bounds. Every call replaces the previous results.
    bool Create(std::string_view pattern, std::string_view subject, PatternOptions options = {});

    // Runs the pattern over the subject and hands every match, in subject order, to
    // `visit` without keeping it: memory stays flat however many matches a page holds.
    // False as for Create; matches visited before a run fails have been visited.
    bool ForEachMatch(std::string_view pattern, std::string_view subject,
                      const std::function<void(const MatchView&)>& visit, PatternOptions options = {}) const;

    std::string GetPattern() const { return pattern_; }
    int MatchCount() const { return static_cast<int>(matches_.size()); }
    // Number of groups of match 1; 0 without matches.
    int SubmatchCount() const;

    // Match n (1-based). When outPos is given it receives the match's 0-based byte offset
    // in the subject, or -2 when there is no such match.
    std::string MatchText(int n, int* outPos = nullptr) const;
    // Group k (1-based) of match n (1-based); a group that took part in no match is empty.
    std::string SubmatchText(int n, int k, int* outPos = nullptr) const;

    // The subject with every collected match replaced; "$n"/"$nn" insert group n, "$&"
    // the match, "$`" and "$'" the text before and after it, "$$" a dollar sign.
    // Empty before a successful Create.
    std::string ReplaceAll(std::string_view replacement) const;

private:
    struct Span {
        std::size_t begin = 0, end = 0;
        bool set = false;
    };
    using Match = std::vector<Span>;  // [0] the whole match, [k] group k

    std::string text(const Span* span, int* outPos) const;
    const Span* span(int n, int k) const;
    void appendReplacement(std::string& out, std::string_view replacement, const Match& match) const;

    MatchLimits limits_;
    std::string pattern_;
    std::string subject_;
    std::vector<Match> matches_;
    bool created_ = false;
};

}  // namespace sanxing
