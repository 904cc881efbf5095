#include "gui/scheme_files.h"

#include "app/scheme.h"
#include "runtime/regular_file.h"
#include "tools/safe_file_write.h"

namespace sanxing {

namespace {

constexpr const char* kTooLarge = "方案文件太大（超过 4 MB），不是方案";

}  // namespace

Result<nlohmann::json> ReadSchemeFile(const Controls& controls, const QString& path) {
    const std::string name = path.toStdString();
    const auto file = ReadRegularFile(name, kMaxSchemeFileBytes);
    if (OverLimit(file, name)) return Failure{kTooLarge};
    if (!file) return Failure{"无法读取方案文件：" + file.error()};

    auto scheme = CheckConditionScheme(controls, *file);
    if (!scheme) return Failure{"方案无法使用：" + scheme.error()};
    return scheme;
}

Result<void> OpenSchemeFile(Controls& controls, const QString& path) {
    const auto scheme = ReadSchemeFile(controls, path);
    if (!scheme) return Failure{scheme.error()};
    ApplyScheme(controls, *scheme);
    return {};
}

Result<void> SaveSchemeFile(const Controls& controls, const QString& path) {
    const std::string text = SchemeOf(controls).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    if (auto written = WriteFileWhole(path.toStdString(), text); !written) {
        return Failure{"方案保存失败：" + written.error()};
    }
    return {};
}

}  // namespace sanxing
