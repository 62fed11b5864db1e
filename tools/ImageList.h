#pragma once
// TImageList: the list of images on the wizard's "Images" page, without the
// widget. It keeps the full paths in the order the frames will take, which of
// them are selected, and the list commands (add, delete, clear, move the
// selection to the start, up, down or to the end).
#include <QString>
#include <QStringList>
#include <vector>

// The move modes of the list.
enum TMoveMode { qcmStart, qcmUp, qcmDown, qcmEnd };

// True for the picture files the wizard takes: .jpg, .jpeg, .png, .bmp (any case).
bool IsExtension(const QString& fileName);

class TImageList {
public:
    struct TItem {
        QString Path;
        bool Selected = false;
    };

    // Which list buttons can act.
    struct TButtons {
        bool Clear = false;
        bool Start = false;
        bool Up = false;
        bool Down = false;
        bool End = false;
        bool Delete = false;
        friend bool operator==(const TButtons&, const TButtons&) = default;
    };

    // Appends the accepted files in order; false when a file was refused.
    bool Add(const QStringList& files);
    // Deletes the selected items; false when nothing is selected.
    bool Delete();
    void Clear() { Items.clear(); }
    // Moves the selected items; false when nothing is selected.
    bool Move(TMoveMode mode);

    int Count() const { return int(Items.size()); }
    bool HasSelection() const;
    void SetSelected(int index, bool selected);
    bool Selected(int index) const { return Items.at(size_t(index)).Selected; }
    QString Path(int index) const { return Items.at(size_t(index)).Path; }
    // The bare file name the list box shows.
    QString Name(int index) const;
    QStringList Paths() const;
    TButtons Buttons() const;

private:
    void MoveItem(int from, int to);

    std::vector<TItem> Items;
};
