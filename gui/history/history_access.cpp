#include "gui/history/history_access.h"

#include "runtime/controls.h"
#include "runtime/platform.h"
#include "window/control_names.h"

namespace sanxing {

history::HistoryDb* HistoryAccess::database() {
    if (db_) return db_.get();
    if (failure_) return nullptr;
    auto opened = history::HistoryDb::shared(path_);
    if (!opened) {
        failure_ = opened.error();
        platform_.messageBox(*failure_ + "\n开奖历史的功能在本次运行中关闭。", kHistoryCaption, MessageIcon::Error,
                             MessageButtons::Ok);
        return nullptr;
    }
    db_ = std::move(*opened);
    if (db_->readOnly()) {
        platform_.messageBox(history::ReadOnlyNotice(path_), kHistoryCaption, MessageIcon::Information,
                             MessageButtons::Ok);
    }
    return db_.get();
}

history::HistoryDb* HistoryAccess::writable() {
    const bool wasOpen = db_ != nullptr;
    history::HistoryDb* db = database();
    if (!db || !db->readOnly()) return db;
    if (wasOpen) {
        platform_.messageBox(history::ReadOnlyNotice(path_), kHistoryCaption, MessageIcon::Information,
                             MessageButtons::Ok);
    }
    return nullptr;
}

}  // namespace sanxing
