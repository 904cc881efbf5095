#pragma once
// The choices at the top of the back-test and trend dialogs: lottery, range of draws
// (newest N, all, or an issue range) and which three digits of a five-digit number are
// analysed. Three-digit lotteries use the whole number, so the position is off for them.

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysed_draw.h"
#include "analysis/draw_range.h"
#include "history/lotteries.h"
#include "runtime/result.h"

class QComboBox;
class QLineEdit;

namespace sanxing {

class RangeBar final : public QWidget {
    Q_OBJECT
public:
    // `newestCounts`: the sizes offered as 最新 N 期, followed by 全部 and 期号范围.
    RangeBar(const std::vector<int>& newestCounts, QWidget* parent = nullptr);

    void setLottery(int kindIndex);
    void setPosition(analysis::Position position);
    // Lottery and position as the window has them; the range stays.
    void follow(const analysis::AnalysisChoice& choice);
    void setNewest(int count);  // a count the bar offers
    void setAll();
    void setIssues(const QString& from, const QString& to);

    // The choices, or the Chinese reason why an issue typed as a range end is none of the
    // lottery's; the ends in the lottery's stored form.
    Result<analysis::AnalysisChoice> selection() const;
    // The draws of `lottery` changed (an import, a replacement, a delete): when the bar
    // shows that lottery, its dialog is told as for a changed choice.
    void historyChanged(const history::Lottery& lottery);

signals:
    // Any choice changed; `selection` is what selection() now gives.
    void changed(const sanxing::Result<sanxing::analysis::AnalysisChoice>& selection);

private:
    void updateEnabled();
    analysis::RangeChoice::Kind rangeKind() const;

    QComboBox* lottery_;
    QComboBox* range_;
    QLineEdit* from_;
    QLineEdit* to_;
    QComboBox* position_;
};

}  // namespace sanxing
