#pragma once
// Small factories for the window's controls: each gets its documented object
// name, caption and range, so later code and tests find it by name.
#include <QString>
#include <QStringList>
#include <initializer_list>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QToolBar;
class QToolButton;
class QWidget;

// A spin edit whose edits apply when it is left or Enter is pressed (its
// editingFinished signal), not at every keystroke.
QSpinBox* MakeSpin(QWidget* parent, const QString& name, int minimum, int maximum, int value);
// A caption label; with a buddy it is named after it (BackWidthSpin -> BackWidthLabel).
QLabel* MakeLabel(QWidget* parent, const QString& caption, QWidget* buddy = nullptr, const QString& name = {});
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption);
QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& caption, bool checked);
QComboBox* MakeCombo(QWidget* parent, const QString& name, const QStringList& items);
// Chooses item `index`, clamped to the items there are.
void SetComboIndex(QComboBox* combo, int index);
// The label whose buddy is the control, if any.
QLabel* LabelOf(const QWidget* control);
// Shows or hides a control with its caption.
void SetShown(QWidget* control, bool shown);
// Enables or disables the captions named, found among `within`'s children.
void EnableLabels(const QWidget* within, std::initializer_list<const char*> names, bool on);
// Adds the action to the toolbar; its button gets the object name given.
QToolButton* AddToolButton(QToolBar* bar, QAction* action, const QString& buttonName);
