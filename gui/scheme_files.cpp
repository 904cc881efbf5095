#include "gui/scheme_files.h"

#include <QFile>
#include <QSaveFile>

#include "app/scheme.h"

namespace sanxing {

namespace {

// A problem with the system's reason after it in parentheses.
Failure Because(const char* problem, const QString& reason) { return {problem + ("（" + reason.toStdString() + "）")}; }

// A scheme holds the condition controls and 组合框_容错, nothing of the base set, the
// result, the A/B boxes or the draw list.
Result<void> CheckSchemeControls(const Controls& controls, const nlohmann::json& scheme) {
    const nlohmann::json allowed = SchemeOf(controls);
    for (const auto& [name, value] : scheme.items()) {
        if (!allowed.contains(name)) return Failure{"控件“" + name + "”不属于方案"};
    }
    return {};
}

}  // namespace

Result<void> OpenSchemeFile(Controls& controls, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return Because("无法读取方案文件", file.errorString());
    if (file.size() > kMaxSchemeFileBytes) return Failure{"方案文件太大（超过 4 MB），不是方案"};
    const QByteArray bytes = file.read(kMaxSchemeFileBytes + 1);
    if (file.error() != QFileDevice::NoError) return Because("无法读取方案文件", file.errorString());
    if (bytes.size() > kMaxSchemeFileBytes) return Failure{"方案文件太大（超过 4 MB），不是方案"};

    const auto scheme =
        CheckScheme(controls, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!scheme) return Failure{"方案无法使用：" + scheme.error()};
    if (auto held = CheckSchemeControls(controls, *scheme); !held) return Failure{"方案无法使用：" + held.error()};
    ApplyScheme(controls, *scheme);
    return {};
}

Result<void> SaveSchemeFile(const Controls& controls, const QString& path) {
    const std::string text = SchemeOf(controls).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return Because("方案保存失败", file.errorString());
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        const QString error = file.errorString();
        file.cancelWriting();
        return Because("方案保存失败", error);
    }
    if (!file.commit()) return Because("方案保存失败", file.errorString());
    return {};
}

}  // namespace sanxing
