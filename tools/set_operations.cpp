#include "tools/set_operations.h"

#include <string_view>
#include <unordered_map>

#include "numbers/set_text.h"
#include "runtime/split.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

constexpr std::string_view kSetSuffix = "注";
constexpr std::string_view kABSuffix = "注！";

void Show(Controls& controls, std::string_view box, std::string_view label, const NumberSet& set,
          std::string_view suffix) {
    controls.setText(box, set.toText());
    controls.setText(label, CountCaption(set.count(), suffix));
}

void Rewrite(Controls& controls, std::string_view box, std::string_view label) {
    const std::string& text = controls.text(box);
    if (text.empty()) return;  // an empty box and its caption stay as they are
    Show(controls, box, label, NumberSet::Containing(text), kSetSuffix);
}

void Complement(Controls& controls, std::string_view box, std::string_view label) {
    Show(controls, box, label, NumberSet::Containing(controls.text(box)).complement(), kSetSuffix);
}

template <typename Combine>
void CombineAB(Controls& controls, Combine combine) {
    const std::string& a = controls.text(ctl::kSetA);
    const std::string& b = controls.text(ctl::kSetB);
    if (a.empty() || b.empty()) return;
    Show(controls, ctl::kResult, ctl::kResultCount, combine(NumberSet::Containing(a), NumberSet::Containing(b)),
         kABSuffix);
}

// Answers "does `text` contain this token?" for many tokens of another box. Three-digit
// tokens, nearly all of them, are answered from the numbers in the text; other tokens
// are searched once each and remembered, so a long box of repeats stays fast.
class ContainmentTest {
public:
    explicit ContainmentTest(std::string_view text) : text_(text), numbers_(NumberSet::Containing(text)) {}

    bool operator()(std::string_view token) {
        if (const std::optional<int> n = NumberValue(token)) return numbers_.contains(*n);
        const auto [it, added] = searched_.try_emplace(token, false);
        if (added) it->second = TextContains(text_, token);
        return it->second;
    }

private:
    std::string_view text_;
    NumberSet numbers_;
    std::unordered_map<std::string_view, bool> searched_;
};

void Subtract(Controls& controls, std::string_view from, std::string_view taken) {
    const std::string& kept = controls.text(from);
    const std::string& removed = controls.text(taken);
    std::string output;
    if (!kept.empty() && !removed.empty()) {
        ContainmentTest contains(removed);
        ForEachToken(kept, " ", [&](std::string_view token) {
            if (!contains(token)) output.append(token).push_back(' ');
        });
        controls.setText(ctl::kResult, output);
    }
    // The caption is set also when a box was empty: it then reads 0 while the result
    // box keeps its text.
    controls.setText(ctl::kResultCount, CountCaption(CountSetText(output), kABSuffix));
}

}  // namespace

void RewriteBaseSet(Controls& controls) { Rewrite(controls, ctl::kBaseSet, ctl::kBaseCount); }

void RewriteJunkBase(Controls& controls) { Rewrite(controls, ctl::kJunkBase, ctl::kJunkBaseCount); }

void MoveResultToBase(Controls& controls) {
    controls.setText(ctl::kBaseSet, controls.text(ctl::kResult));
    RewriteBaseSet(controls);
}

void ComplementBaseSet(Controls& controls) { Complement(controls, ctl::kBaseSet, ctl::kBaseCount); }

void ComplementResult(Controls& controls) { Complement(controls, ctl::kResult, ctl::kResultCount); }

void UniteAB(Controls& controls) {
    CombineAB(controls, [](const NumberSet& a, const NumberSet& b) { return a | b; });
}

void IntersectAB(Controls& controls) {
    CombineAB(controls, [](const NumberSet& a, const NumberSet& b) { return a & b; });
}

void SubtractBFromA(Controls& controls) { Subtract(controls, ctl::kSetA, ctl::kSetB); }

void SubtractAFromB(Controls& controls) { Subtract(controls, ctl::kSetB, ctl::kSetA); }

void ClearAB(Controls& controls) {
    controls.setText(ctl::kSetA, "");
    controls.setText(ctl::kSetB, "");
}

}  // namespace sanxing
