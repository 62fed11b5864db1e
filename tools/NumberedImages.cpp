#include "tools/NumberedImages.h"

#include "tools/ImageList.h"

#include <QDir>
#include <QDirIterator>
#include <algorithm>
#include <vector>

std::optional<int> NameNumber(const QString& fileName)
{
    QString digits;
    for (const QChar ch : fileName)
        if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9'))
            digits += ch;
    if (digits.isEmpty())
        return std::nullopt;
    bool ok = false;
    const int value = digits.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

namespace {

// Before each step: the gauge is filled every hundredth step; false once the
// user has cancelled.
bool Step(TProgress& progress, int count)
{
    if (count % 100 == 0)
        progress.SetProgress(100);
    return progress.IsApply();
}

} // namespace

std::optional<QStringList> LoadNumberedImages(const QString& folder, TProgress& progress,
                                              const TGIFFromImagesMessages& msg)
{
    struct TEntry {
        QString Name;
        int Number = 0;
    };
    std::vector<TEntry> entries;

    progress.ApplyStart(100, msg.QLoadingFolder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
    int count = 0;
    while (it.hasNext()) {
        if (!Step(progress, count++)) {
            progress.Close();
            return std::nullopt;
        }
        it.next();
        const QString name = it.fileName();
        if (!IsExtension(name))
            continue;
        if (const auto number = NameNumber(name))
            entries.push_back({name, *number});
    }
    progress.Close();

    // Equal numbers keep the listing's order; the gauge shows the sorting step.
    progress.ApplyStart(100, msg.QSorting);
    if (!Step(progress, 0)) {
        progress.Close();
        return std::nullopt;
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TEntry& a, const TEntry& b) { return a.Number < b.Number; });
    progress.Close();

    QStringList names;
    for (const TEntry& entry : entries)
        names << entry.Name;
    return names;
}
