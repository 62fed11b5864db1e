#include "tools/ImageList.h"

#include <QFileInfo>
#include <algorithm>

bool IsExtension(const QString& fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toUpper();
    if (!fileName.contains(QLatin1Char('.')))
        return false;
    return ext == QStringLiteral("JPG") || ext == QStringLiteral("JPEG") || ext == QStringLiteral("PNG") ||
           ext == QStringLiteral("BMP");
}

bool TImageList::Add(const QStringList& files)
{
    bool allTaken = true;
    for (const QString& file : files) {
        if (IsExtension(file))
            Items.push_back({file, false});
        else
            allTaken = false;
    }
    return allTaken;
}

bool TImageList::HasSelection() const
{
    return std::any_of(Items.begin(), Items.end(), [](const TItem& item) { return item.Selected; });
}

void TImageList::SetSelected(int index, bool selected)
{
    if (index >= 0 && index < Count())
        Items[size_t(index)].Selected = selected;
}

QString TImageList::Name(int index) const
{
    return QFileInfo(Path(index)).fileName();
}

QStringList TImageList::Paths() const
{
    QStringList paths;
    for (const TItem& item : Items)
        paths << item.Path;
    return paths;
}

TImageList::TButtons TImageList::Buttons() const
{
    TButtons b;
    b.Clear = !Items.empty();
    const bool some = b.Clear && HasSelection();
    b.Start = b.Up = some && !Items.front().Selected;
    b.End = b.Down = some && !Items.back().Selected;
    b.Delete = some;
    return b;
}

bool TImageList::Delete()
{
    if (!HasSelection())
        return false;
    for (int i = Count() - 1; i >= 0; --i)
        if (Items[size_t(i)].Selected)
            Items.erase(Items.begin() + i);
    return true;
}

void TImageList::MoveItem(int from, int to)
{
    TItem item = Items[size_t(from)];
    item.Selected = false; // a moved item loses its selection in the list box
    Items.erase(Items.begin() + from);
    Items.insert(Items.begin() + to, item);
}

bool TImageList::Move(TMoveMode mode)
{
    if (!HasSelection())
        return false;
    const int n = Count();
    std::vector<bool> before;
    for (const TItem& item : Items)
        before.push_back(item.Selected);
    const int k = int(std::count(before.begin(), before.end(), true));

    // Each move clears one selection flag, so every walk ends.
    switch (mode) {
    case qcmStart:
        for (int c = n - 1; c >= 1;) {
            if (Items[size_t(c)].Selected)
                MoveItem(c, 0);
            else
                --c;
        }
        break;
    case qcmUp:
        for (int c = 1; c <= n - 1;) {
            if (Items[size_t(c)].Selected)
                MoveItem(c, c - 1);
            else
                ++c;
        }
        break;
    case qcmDown:
        for (int c = n - 2; c >= 0;) {
            if (Items[size_t(c)].Selected)
                MoveItem(c, c + 1);
            else
                --c;
        }
        break;
    case qcmEnd:
        for (int c = 0; c <= n - 2;) {
            if (Items[size_t(c)].Selected)
                MoveItem(c, n - 1);
            else
                ++c;
        }
        break;
    }

    for (int i = 0; i < n; ++i) {
        bool selected = false;
        switch (mode) {
        case qcmStart: selected = i < k; break;
        case qcmEnd: selected = i >= n - k; break;
        case qcmUp: selected = i < n - 1 && before[size_t(i + 1)]; break;
        case qcmDown: selected = i > 0 && before[size_t(i - 1)]; break;
        }
        Items[size_t(i)].Selected = selected;
    }
    return true;
}
