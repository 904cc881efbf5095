#include "tools/base_set_files.h"

#include <filesystem>
#include <limits>

#include "numbers/set_text.h"
#include "runtime/gbk.h"
#include "runtime/home_folder.h"
#include "runtime/text.h"
#include "tools/base_file_scan.h"
#include "tools/safe_file_write.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

constexpr std::string_view kOpenTitle = "打开大底文件";
constexpr std::string_view kSaveTitle = "保存大底文件";
constexpr std::string_view kSaveFailed = "保存失败：";
constexpr int kDrawsPerDay = 120;

std::string NewestPeriod(const Controls& controls) {
    const ReportRows& rows = controls.rows(ctl::kDrawList);
    if (rows.empty() || rows.front().empty()) return {};
    return rows.front().front();
}

// The period as a number: its leading decimal digits, 0 when it starts otherwise.
long long PeriodValue(std::string_view period) {
    if (period.empty() || period.front() < '0' || period.front() > '9') return 0;
    return LeadingInteger(period);
}

// Decimal text with at least three digits (leading zeros); a negative value keeps its sign.
std::string ThreeDigits(long long value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

// ".txt" is appended unless the path holds it somewhere (case-sensitive).
std::string WithTxtExtension(std::string path) {
    if (path.find(".txt") == std::string::npos) path += ".txt";
    return path;
}

}  // namespace

std::string OfferedFileName(std::string_view newestPeriod) {
    long long value = PeriodValue(newestPeriod);
    if (value < std::numeric_limits<long long>::max()) ++value;
    std::string next = std::to_string(value);
    const std::string_view lastThree = std::string_view(next).substr(next.size() < 3 ? 0 : next.size() - 3);
    if (lastThree > "120") {
        // After the day's last draw: the date part (first six digits) goes up by one as a
        // plain number, and the draw index starts again.
        const long long date = LeadingInteger(std::string_view(next).substr(0, 6)) + 1;
        next = std::to_string(date) + ThreeDigits(LeadingInteger(lastThree) - kDrawsPerDay);
    }
    return next + "期大底结果";
}

std::string SavedFileText(std::string_view result) {
    return std::string(result) + "\r\n\r\n保存：总注数：" + CountCaption(CountSetText(result));
}

void OpenBaseFile(Controls& controls, Platform& platform, SessionState& session) {
    FileDialogRequest request;
    request.title = kOpenTitle;
    request.filter = kBaseFileFilter;
    // The folder of the last base file opened, else the home folder.
    request.directory = session.lastOpenPath.empty()
                            ? HomeFolder()
                            : std::filesystem::path(session.lastOpenPath).parent_path().string();
    request.fileName = session.lastOpenPath;
    const std::optional<std::string> chosen = platform.openFileDialog(request);
    if (!chosen) return;
    session.lastOpenPath = *chosen;

    const std::optional<NumberSet> numbers = ReadBaseFile(*chosen);
    if (!numbers) return;
    controls.setText(ctl::kBaseSet, numbers->toText());
    controls.setText(ctl::kBaseCount, CountCaption(numbers->count(), "注!"));
}

void SaveResultFile(Controls& controls, Platform& platform, SessionState& session) {
    FileDialogRequest request;
    request.title = kSaveTitle;
    request.filter = kBaseFileFilter;
    request.directory = session.saveDirectory.empty() ? HomeFolder() : session.saveDirectory;
    request.fileName = OfferedFileName(NewestPeriod(controls));
    const std::optional<std::string> chosen = platform.saveFileDialog(request);
    if (!chosen) return;

    const std::string bytes = Utf8ToGbk(SavedFileText(controls.text(ctl::kResult)));
    if (const auto written = WriteFileWhole(WithTxtExtension(*chosen), bytes); !written) {
        platform.reportFailure(std::string(kSaveFailed) + written.error(), std::string(kSaveTitle));
        return;
    }
    session.saveDirectory = std::filesystem::path(*chosen).parent_path().string();
}

}  // namespace sanxing
