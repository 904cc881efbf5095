#include "app/scheme.h"

#include "runtime/json_shape.h"
#include "runtime/text.h"
#include "window/control_names.h"
#include "window/control_table.h"

namespace sanxing {

namespace {

bool OnConditionPage(const Controls& controls, const ControlRow& spec) {
    for (std::string parent = spec.parent; !parent.empty(); parent = controls.spec(parent).parent) {
        if (parent == ctl::kConditionPages) return true;
    }
    return false;
}

bool HoldsState(ControlKind kind) {
    return kind == ControlKind::CheckBox || kind == ControlKind::EditBox || kind == ControlKind::ComboBox;
}

}  // namespace

Result<void> CheckControlValue(const Controls& controls, std::string_view name, const nlohmann::json& value) {
    if (!controls.has(name)) return Failure{"没有名为“" + std::string(name) + "”的控件"};
    const ControlRow& spec = controls.spec(name);
    const std::string where = "控件“" + spec.name + "”";
    switch (spec.kind) {
        case ControlKind::CheckBox:
            if (value.is_boolean()) return {};
            return Failure{where + "只接受 true 或 false"};
        case ControlKind::EditBox:
        case ControlKind::Label:
            if (value.is_string()) return {};
            return Failure{where + "只接受文本"};
        case ControlKind::ComboBox:
            if (value.is_string()) return {};
            if (value.is_number_integer()) {
                const long long index = value.get<long long>();
                if (index >= 0 && index < static_cast<long long>(spec.items.size())) return {};
                return Failure{where + "没有第 " + std::to_string(index) + " 项（从 0 数起）"};
            }
            return Failure{where + "只接受文本或项的序号"};
        default: return Failure{where + "没有可以设置的值"};
    }
}

void SetControlValue(Controls& controls, std::string_view name, const nlohmann::json& value) {
    const ControlRow& spec = controls.spec(name);
    if (spec.kind == ControlKind::CheckBox) {
        controls.setTicked(name, value.get<bool>());
        return;
    }
    if (spec.kind == ControlKind::ComboBox && value.is_number_integer()) {
        controls.select(name, value.get<int>());
        return;
    }
    std::string text = value.get<std::string>();
    if (spec.multiLine) text = ToCrLf(text);
    if (spec.kind == ControlKind::ComboBox) {
        for (std::size_t i = 0; i < spec.items.size(); ++i) {
            if (spec.items[i] == text) {
                controls.select(name, static_cast<int>(i));
                return;
            }
        }
        controls.select(name, -1);
    }
    controls.setText(name, std::move(text));
}

Result<nlohmann::json> CheckScheme(const Controls& controls, std::string_view schemeText) {
    if (auto shape = CheckJsonShape(schemeText); !shape) return Failure{shape.error()};
    nlohmann::json scheme = nlohmann::json::parse(schemeText, nullptr, false);
    if (scheme.is_discarded()) return Failure{"文件内容不是有效的 JSON"};
    if (!scheme.is_object()) return Failure{"文件内容不是 JSON 对象（{…}）"};
    for (const auto& [name, value] : scheme.items()) {
        if (auto fits = CheckControlValue(controls, name, value); !fits) return Failure{fits.error()};
    }
    return scheme;
}

Result<nlohmann::json> CheckConditionScheme(const Controls& controls, std::string_view schemeText) {
    auto scheme = CheckScheme(controls, schemeText);
    if (!scheme) return scheme;
    const nlohmann::json allowed = SchemeOf(controls);
    for (const auto& [name, value] : scheme->items()) {
        if (!allowed.contains(name)) return Failure{"控件“" + name + "”不属于方案"};
    }
    return scheme;
}

void ApplyScheme(Controls& controls, const nlohmann::json& scheme) {
    for (const auto& [name, value] : scheme.items()) SetControlValue(controls, name, value);
}

nlohmann::json SchemeOf(const Controls& controls) {
    nlohmann::json scheme = nlohmann::json::object();
    for (const ControlRow& spec : ControlTable()) {
        if (!HoldsState(spec.kind)) continue;
        if (spec.name != ctl::kTolerance && !OnConditionPage(controls, spec)) continue;
        if (spec.kind == ControlKind::CheckBox) {
            scheme[spec.name] = controls.ticked(spec.name);
        } else {
            scheme[spec.name] = controls.text(spec.name);
        }
    }
    return scheme;
}

}  // namespace sanxing
