#pragma once
// The text context menu of the main window's spin boxes and of the text memo:
// Copy, Cut, Paste, Delete and "&Select All", acting on the box that opened it.
#include <QObject>
#include <QString>
#include <functional>

class QAbstractSpinBox;
class QMenu;
class QPlainTextEdit;
class QWidget;

// Which items the menu offers for a box.
struct TTextMenuStates {
    bool Copy = false;
    bool Cut = false;    // also Delete
    bool Paste = false;
    bool SelectAll = false;
};

class TTextMenu : public QObject {
    Q_OBJECT
public:
    // after: run when an item was chosen (the window refreshes its commands).
    TTextMenu(QWidget* window, std::function<void()> after);

    // Gives the box the menu.
    void Attach(QAbstractSpinBox* spin);
    void Attach(QPlainTextEdit* memo);

    // The clipboard text may be pasted into a spin box with this range: an
    // integer, not below a non-zero minimum and not above a non-zero maximum.
    static bool CanPasteIntoSpin(const QString& text, int minimum, int maximum);
    // The states for a spin box (selected text, the box's text, the range).
    static TTextMenuStates SpinStates(bool hasSelection, const QString& text, const QString& clipboard, int minimum,
                                      int maximum);
    static TTextMenuStates MemoStates(bool hasSelection, const QString& text, const QString& clipboard);

    // The menu with its items enabled for the box, as it pops up.
    QMenu* MenuFor(QAbstractSpinBox* spin);
    QMenu* MenuFor(QPlainTextEdit* memo);

private:
    QMenu* Build(const TTextMenuStates& states, const std::function<void(int item)>& act);

    QWidget* Window;
    std::function<void()> After;
};
