#include "app/qt/scheme_files.h"

#include <QFile>
#include <QSaveFile>

#include "app/scheme.h"

namespace sanxing {

namespace {

// A problem with the system's reason after it in parentheses.
std::string Because(const char* problem, const QString& reason) {
    return problem + ("（" + reason.toStdString() + "）");
}

// A scheme holds the condition controls and 组合框_容错, nothing of the base set, the
// result, the A/B boxes or the draw list.
std::optional<std::string> CheckSchemeControls(const Controls& controls, const nlohmann::json& scheme) {
    const nlohmann::json allowed = SchemeOf(controls);
    for (const auto& [name, value] : scheme.items()) {
        if (!allowed.contains(name)) return "控件“" + name + "”不属于方案";
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> OpenSchemeFile(Controls& controls, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return Because("无法读取方案文件", file.errorString());
    if (file.size() > kMaxSchemeFileBytes) return std::string("方案文件太大（超过 4 MB），不是方案");
    const QByteArray bytes = file.read(kMaxSchemeFileBytes + 1);
    if (file.error() != QFileDevice::NoError) return Because("无法读取方案文件", file.errorString());
    if (bytes.size() > kMaxSchemeFileBytes) return std::string("方案文件太大（超过 4 MB），不是方案");

    nlohmann::json scheme;
    std::optional<std::string> problem =
        CheckScheme(controls, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), scheme);
    if (!problem) problem = CheckSchemeControls(controls, scheme);
    if (problem) return "方案无法使用：" + *problem;
    ApplyScheme(controls, scheme);
    return std::nullopt;
}

std::optional<std::string> SaveSchemeFile(const Controls& controls, const QString& path) {
    const std::string text = SchemeOf(controls).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return Because("方案保存失败", file.errorString());
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        const QString error = file.errorString();
        file.cancelWriting();
        return Because("方案保存失败", error);
    }
    if (!file.commit()) return Because("方案保存失败", file.errorString());
    return std::nullopt;
}

}  // namespace sanxing
