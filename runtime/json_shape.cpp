#include "runtime/json_shape.h"

#include <string>
#include <vector>

namespace sanxing {

std::string JsonTooDeepReason() { return "JSON 嵌套太深（超过 " + std::to_string(kMaxJsonDepth) + " 层）"; }

Result<void> CheckJsonShape(std::string_view text, std::size_t maxMembers) {
    struct Level {
        bool object;
        std::size_t members;
    };
    std::vector<Level> levels;
    bool inString = false;
    bool escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        switch (c) {
            case '"': inString = true; break;
            case '[':
            case '{':
                if (levels.size() == kMaxJsonDepth) return Failure{JsonTooDeepReason()};
                levels.push_back({c == '{', 0});
                break;
            case ']':
            case '}':
                if (!levels.empty()) levels.pop_back();
                break;
            case ':':
                if (!levels.empty() && levels.back().object && ++levels.back().members > maxMembers) {
                    return Failure{"JSON 对象的键太多（超过 " + std::to_string(maxMembers) + " 个）"};
                }
                break;
            default: break;
        }
    }
    return {};
}

}  // namespace sanxing
