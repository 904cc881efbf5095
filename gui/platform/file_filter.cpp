#include "gui/platform/file_filter.h"

#include <QStringList>

namespace sanxing {

namespace {

// Qt reads the patterns from the last parentheses of a filter, so a label that already
// shows them ("文本文件(*.txt)") loses that part and gets the real list appended.
QString LabelWithoutPatterns(QString label) {
    label = label.trimmed();
    if (label.endsWith(QLatin1Char(')'))) {
        const qsizetype open = label.lastIndexOf(QLatin1Char('('));
        if (open > 0) label = label.left(open).trimmed();
    }
    return label;
}

QString Patterns(const QString& patterns) {
    QStringList list;
    for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!pattern.trimmed().isEmpty()) list << pattern.trimmed();
    }
    return list.isEmpty() ? QStringLiteral("*") : list.join(QLatin1Char(' '));
}

}  // namespace

QString QtNameFilters(std::string_view filter) {
    const QStringList parts =
        QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString label = LabelWithoutPatterns(parts[i]);
        const QString patterns = Patterns(i + 1 < parts.size() ? parts[i + 1] : QString());
        if (label.isEmpty() && patterns == QLatin1String("*") && i + 1 >= parts.size()) continue;
        filters << (label.isEmpty() ? patterns : label) + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace sanxing
