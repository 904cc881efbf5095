// JSON draw files as lines: which list is the records, how fields are written, and the
// bounds that keep any document linear and shallow.

#include "history/json_draws.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/draw_fields.h"

namespace sanxing::history {
namespace {

struct Read {
    JsonRecords result;
    std::vector<std::string> lines;
};

Read ReadAll(std::string_view text) {
    Read read;
    read.result = ReadJsonRecords(text, [&](std::string_view line) {
        read.lines.emplace_back(line);
        return true;
    });
    return read;
}

std::string Nested(std::size_t depth) { return std::string(depth, '[') + std::string(depth, ']'); }

struct Case {
    const char* name;
    std::string document;
    std::vector<std::string> lines;
};

TEST(JsonDraws, RecordsBecomeLines) {
    const Case cases[] = {
        {"ObjectsWithHeader",
         R"([{"issue":"2024144","n":[8,1,6]},{"n":"0,9,2","issue":2024145}])",
         {R"("issue","n")", R"("2024144","8 1 6")", R"("2024145","0,9,2")"}},
        {"ListsOfFields", R"({"data":[["2024144",8,1,6.5,null,true]]})", {R"("2024144","8","1","6.5","","true")"}},
        {"ZeroPaddedStrings", R"({"data":[{"red":["05","09","05"]}]})", {R"("red")", R"("05 09 05")"}},
        {"NestedFieldsAsCompactJson",
         R"([{"a":{"x":[1,"q\""]},"b":[[1,2],{"k":null}]}])",
         {R"("a","b")", R"("{""x"":[1,""q\""""]}","[1,2] {""k"":null}")"}},
        {"KeysOfLaterRecordsIgnored",
         R"([{"a":1},{"b":{"deep":[1]},"a":2},{}])",
         {R"("a")", R"("1")", R"("2")", R"("")"}},
        {"ScalarItemsAreEmptyLines", R"([[1],"x",[2]])", {R"("1")", "", R"("2")"}},
        {"FirstListOfRecordsInOrder", R"({"meta":[1,[9]],"info":{"rows":[[3]]},"later":[[4]]})", {R"("3")"}},
        {"NotSearchedBelowThreeObjects", R"({"a":{"b":{"c":{"d":[[1]]}}},"e":[[2]]})", {R"("2")"}},
        {"NewlinesInFieldsDropped", R"([["a\nb\r"]])", {R"("ab")"}},
    };
    for (const Case& c : cases) {
        const Read read = ReadAll(c.document);
        EXPECT_EQ(read.result, JsonRecords::Read) << c.name;
        EXPECT_EQ(read.lines, c.lines) << c.name;
    }
}

TEST(JsonDraws, DocumentsWithoutRecordsAreReadAsText) {
    for (const char* text : {"[]", "[1,2]", "{\"a\":1}", "[{\"a\":1}", "{\"a\":[[1]]} x", "not json"}) {
        EXPECT_EQ(ReadAll(text).result, JsonRecords::NotRecords) << text;
    }
}

TEST(JsonDraws, DeepDocumentsAreRefusedWithoutRecursion) {
    EXPECT_EQ(ReadAll(Nested(70000)).result, JsonRecords::TooDeep);
    EXPECT_EQ(ReadAll(Nested(70000).substr(1)).result, JsonRecords::TooDeep);  // not even JSON
    EXPECT_EQ(ReadAll(Nested(62)).result, JsonRecords::Read);
}

TEST(JsonDraws, WideRecordsKeepOneColumnMoreThanALineMayHave) {
    std::string record;
    for (int key = 0; key < 200000; ++key)
        record.append(key ? ",\"k" : "{\"k").append(std::to_string(key)).append("\":1");
    const Read read = ReadAll("[" + record + "}," + record + "}]");
    ASSERT_EQ(read.lines.size(), 3u);
    for (const std::string& line : read.lines) {
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), static_cast<long>(kMaxFields)) << line.substr(0, 40);
    }
}

TEST(JsonDraws, LongFieldsAreCutPastTheLongestLine) {
    std::string many = "[1";
    for (int item = 0; item < 500'000; ++item) many += ",1";
    const Read read = ReadAll("[[\"" + std::string(5'000'000, '7') + "\", " + many + "]]]");
    ASSERT_EQ(read.lines.size(), 1u);
    EXPECT_LT(read.lines[0].size(), 3000u);
}

TEST(JsonDraws, StoppingEndsTheReading) {
    int calls = 0;
    EXPECT_EQ(ReadJsonRecords("[[1],[2],[3]]", [&](std::string_view) { return ++calls < 2; }), JsonRecords::Stopped);
    EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace sanxing::history
