#include "platform/Dialogs.h"

#include <QRegularExpression>

std::vector<TFilterPair> ParseFileFilter(const QString& filter)
{
    std::vector<TFilterPair> pairs;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        TFilterPair pair;
        pair.Description = parts[i].trimmed();
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString p = pattern.trimmed();
            if (!p.isEmpty())
                pair.Patterns << p;
        }
        pairs.push_back(pair);
    }
    return pairs;
}

QStringList ToQtFilters(const QString& filter)
{
    // Qt reads the patterns from the last parentheses of each entry, separated by spaces.
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList result;
    for (const TFilterPair& pair : ParseFileFilter(filter)) {
        QString description = pair.Description;
        description.remove(trailingPatterns);
        QStringList patterns;
        for (const QString& p : pair.Patterns)
            patterns << (p == QLatin1String("*.*") ? QStringLiteral("*") : p);
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        result << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}
