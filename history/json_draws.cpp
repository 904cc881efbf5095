#include "history/json_draws.h"

#include <nlohmann/json.hpp>

namespace sanxing::history {

namespace {

using Json = nlohmann::ordered_json;

bool IsRecord(const Json& value) { return value.is_object() || value.is_array(); }

// The first non-empty list of records, in document order, at most a few levels down.
const Json* FindRecords(const Json& value, int depth = 0) {
    if (value.is_array() && !value.empty() && IsRecord(value.front())) return &value;
    if (!value.is_object() || depth == 3) return nullptr;
    for (const auto& [key, member] : value.items()) {
        if (const Json* found = FindRecords(member, depth + 1)) return found;
    }
    return nullptr;
}

// A scalar as text; a list of scalars as its items one space apart ([8, 1, 6] → "8 1 6").
std::string FieldText(const Json& value) {
    if (value.is_string()) return value.get<std::string>();
    if (value.is_null()) return {};
    if (value.is_array()) {
        std::string joined;
        for (const Json& item : value) {
            if (!joined.empty()) joined += ' ';
            joined += item.is_string() ? item.get<std::string>() : item.dump();
        }
        return joined;
    }
    return value.dump();
}

// One CSV field: quoted, so commas inside it stay in it.
void AppendField(std::string& line, const std::string& text) {
    if (!line.empty()) line += ',';
    line += '"';
    for (const char c : text) {
        if (c == '"') line += '"';
        if (c != '\n' && c != '\r') line += c;
    }
    line += '"';
}

}  // namespace

bool LooksLikeJson(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && (text[start] == '[' || text[start] == '{');
}

std::optional<std::string> JsonRecordsAsLines(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const Json document = Json::parse(text, nullptr, false);
    if (document.is_discarded()) return std::nullopt;
    const Json* records = FindRecords(document);
    if (records == nullptr) return std::nullopt;
    std::string lines;
    std::string line;
    if (records->front().is_object()) {
        for (const auto& [key, value] : records->front().items()) AppendField(line, key);
        lines += line + '\n';
    }
    for (const Json& record : *records) {
        line.clear();
        if (record.is_object()) {
            for (const auto& [key, value] : records->front().items()) {
                const auto field = record.find(key);
                AppendField(line, field == record.end() ? std::string() : FieldText(*field));
            }
        } else if (record.is_array()) {
            for (const Json& value : record) AppendField(line, FieldText(value));
        }
        lines += line + '\n';
    }
    return lines;
}

}  // namespace sanxing::history
