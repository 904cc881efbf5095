// sanxing-cli's history options: --history, --lottery, --import-draws, --import-columns,
// --replace-conflicts, --export-draws.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli_run.h"
#include "runtime/temp_folder.h"

namespace sanxing {
namespace {

class CliHistory : public ::testing::Test {
protected:
    TempFolder folder;
    std::string db = folder.file("h.sqlite");
    std::string write(const std::string& name, const std::string& text) {
        WriteBytes(folder.file(name), text);
        return folder.file(name);
    }
};

TEST_F(CliHistory, ImportPrintsItsReportAsJson) {
    const std::string first = write("a.txt", "2024001 123\n");
    const std::string second = write("b.txt", "期号,号码\r\n2024001,999\r\n2024002 1 2 3\r\n2024003 12\r\n");
    const CliRun run =
        RunArgs({"--history", db, "--lottery", "福彩3D", "--import-draws", first, "--import-draws", second, "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto report = nlohmann::json::parse(run.out)["import"];
    EXPECT_EQ(report["columns"], "期号=1,号码=2");
    EXPECT_EQ(report["stored"], 1);
    EXPECT_EQ(report["present"], 0);
    EXPECT_EQ(report["conflicts"],
              nlohmann::json::parse(R"([{"line": 2, "issue": "2024001", "stored": "123", "file": "999"}])"));
    ASSERT_EQ(report["rejected"].size(), 1u);
    EXPECT_EQ(report["rejected"][0]["line"], 4);
    EXPECT_NE(run.err.find("检测到的列：期号=1,号码=2"), std::string::npos) << run.err;
}

// --import-columns and --replace-conflicts hold for the imports after them: the second
// import reads the third column and takes the file's numbers, listing each one replaced.
TEST_F(CliHistory, ColumnsAndReplacementHoldForTheImportsAfterThem) {
    const std::string file = write("d.txt", "2024001,101,816\n2024002,102,092\n");
    const CliRun run = RunArgs({"--history", db, "--lottery", "福彩3D", "--import-draws", file, "--import-columns",
                                "期号=1,号码=3", "--replace-conflicts", "--import-draws", file});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("替换 第1行 期号 2024001：101 改为 816"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("以文件为准替换 2 期"), std::string::npos) << run.out;
    const CliRun bad = RunArgs({"--lottery", "重庆时时彩", "--import-columns", "期号=1,号码=2-4"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("号码有 5 位"), std::string::npos) << bad.err;
    EXPECT_EQ(RunArgs({"--import-columns", "号码=2"}).code, 2);
}

// The program reads standard input for --import-draws -.
TEST_F(CliHistory, ImportReadsStandardInput) {
    const std::string command = std::string(SANXING_CLI_PATH) + " --history " + db +
                                " --lottery 排列三 --import-draws - --json < " +
                                write("in.txt", "26216,2026-08-14,9,5,3\n26215,2026-08-13,0,7,0\n");
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[4096];
    while (std::size_t got = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, got);
    ASSERT_EQ(pclose(pipe), 0) << out;
    EXPECT_EQ(nlohmann::json::parse(out)["import"]["stored"], 2) << out;
}

// Each choice holds for the steps after it: the second import goes to 排列三, the export
// reads the second database.
TEST_F(CliHistory, ChoicesHoldForTheStepsAfterThem) {
    const std::string file = write("d.txt", "2024001 123\n2024002 456\n");
    const std::string other = folder.file("other.sqlite");
    const std::string csv = folder.file("out.csv");
    const CliRun run =
        RunArgs({"--history", db, "--lottery", "福彩3D", "--import-draws", file, "--lottery", "排列三",
                 "--import-draws", file, "--history", other, "--import-draws", file, "--export-draws", csv});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(ReadBytes(csv), "\xEF\xBB\xBF期号,号码,开奖日期\n2024001,123,\n2024002,456,\n");
    EXPECT_NE(run.out.find("导入 " + file + " 到排列三：新存入 2 期"), std::string::npos) << run.out;
    const CliRun again = RunArgs({"--history", db, "--lottery", "排列三", "--import-draws", file});
    EXPECT_NE(again.out.find("新存入 0 期，已有 2 期"), std::string::npos) << again.out;
}

TEST_F(CliHistory, RefusesMissingChoicesAndBrokenFiles) {
    const std::string file = write("d.txt", "2024001 123\n");
    EXPECT_EQ(RunArgs({"--history", db, "--import-draws", file}).code, 2);
    EXPECT_EQ(RunArgs({"--lottery", "双色球"}).code, 2);
    const std::string garbage = write("garbage.sqlite", std::string(4096, 'g'));
    const CliRun broken = RunArgs({"--history", garbage, "--lottery", "福彩3D", "--import-draws", file});
    EXPECT_EQ(broken.code, 1);
    EXPECT_NE(broken.err.find(garbage), std::string::npos) << broken.err;
    EXPECT_EQ(ReadBytes(garbage), std::string(4096, 'g'));
    const CliRun folderImport = RunArgs({"--history", db, "--lottery", "福彩3D", "--import-draws", folder.path()});
    EXPECT_EQ(folderImport.code, 1);
    EXPECT_NE(folderImport.err.find("文件夹"), std::string::npos) << folderImport.err;
    EXPECT_FALSE(std::filesystem::exists(db));  // a refused import leaves no database behind
    // Nor one whose file was read and refused, nor the folders made for it.
    const std::string binary = write("binary.bin", std::string("\x01\x02\x03 2024001 123\n", 16));
    const std::string nested = folder.file("new/deeper/h.sqlite");
    EXPECT_EQ(RunArgs({"--history", nested, "--lottery", "福彩3D", "--import-draws", binary}).code, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.file("new")));
}

// The user's own history gets the shipped draws on first use; a named one only when asked.
TEST_F(CliHistory, ShippedDrawsGoToTheUsersOwnHistoryOnly) {
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string before = saved ? saved : "";
    ::setenv("XDG_DATA_HOME", folder.path().c_str(), 1);
    const CliRun own = RunArgs({"--lottery", "福彩3D", "--trend", "--json"});
    saved ? ::setenv("XDG_DATA_HOME", before.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
    ASSERT_EQ(own.code, 0) << own.err;
    EXPECT_EQ(nlohmann::json::parse(own.out)["trend"]["count"], 8374);

    EXPECT_EQ(RunArgs({"--history", db, "--lottery", "福彩3D", "--trend"}).code, 1);
    const CliRun asked = RunArgs({"--history", db, "--add-shipped-draws", "--lottery", "排列三", "--trend", "--json"});
    ASSERT_EQ(asked.code, 0) << asked.err;
    EXPECT_EQ(nlohmann::json::parse(asked.out)["trend"]["count"], 7691);
}

// With --json every result is kept in order under "steps"; the top-level keys keep the last.
TEST_F(CliHistory, JsonListsEveryStepInOrder) {
    const std::string file = write("d.txt", "2024001 123\n2024002 456\n");
    const CliRun run = RunArgs({"--history", db, "--lottery", "福彩3D", "--import-draws", file, "--backtest",
                                "--import-draws", file, "--last", "1", "--backtest", "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto out = nlohmann::json::parse(run.out);
    std::vector<std::string> steps;
    for (const auto& step : out["steps"]) steps.push_back(step["step"]);
    EXPECT_EQ(steps, (std::vector<std::string>{"import", "backtest", "import", "backtest"}));
    EXPECT_EQ(out["steps"][1]["count"], 2);
    EXPECT_EQ(out["backtest"]["count"], 1);
    EXPECT_EQ(out["import"]["present"], 2);
}

}  // namespace
}  // namespace sanxing
