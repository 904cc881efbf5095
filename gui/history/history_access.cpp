#include "gui/history/history_access.h"

#include "runtime/controls.h"
#include "runtime/platform.h"
#include "window/control_names.h"

namespace sanxing {

history::HistoryDb* HistoryAccess::database() {
    if (db_) return &*db_;
    if (failure_) return nullptr;
    auto opened = history::HistoryDb::Open(path_);
    if (!opened) {
        failure_ = opened.error();
        platform_.messageBox(*failure_ + "\n开奖历史的功能在本次运行中关闭。", kHistoryCaption, MessageIcon::Error,
                             MessageButtons::Ok);
        return nullptr;
    }
    db_.emplace(std::move(*opened));
    return &*db_;
}

const history::Lottery& ChosenLottery(const Controls& controls) {
    const auto all = history::Lotteries();
    const int index = controls.selectedIndex(ctl::kLottery);
    return index >= 0 && index < static_cast<int>(all.size()) ? all[static_cast<std::size_t>(index)] : all[0];
}

}  // namespace sanxing
