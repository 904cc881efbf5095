#include "runtime/platform.h"

namespace sanxing {

const char* IconName(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None: return "none";
        case MessageIcon::Information: return "information";
        case MessageIcon::Error: return "error";
        case MessageIcon::Question: return "question";
        case MessageIcon::Warning: return "warning";
    }
    return "none";
}

const char* AnswerName(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Ok: return "ok";
        case MessageAnswer::Yes: return "yes";
        case MessageAnswer::No: return "no";
    }
    return "ok";
}

}  // namespace sanxing
