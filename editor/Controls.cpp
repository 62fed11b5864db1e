#include "editor/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <algorithm>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

QSpinBox* MakeSpin(QWidget* parent, const QString& name, int minimum, int maximum, int value)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    spin->setKeyboardTracking(false);
    spin->setAccelerated(true);
    return spin;
}

QLabel* MakeLabel(QWidget* parent, const QString& caption, QWidget* buddy, const QString& name)
{
    auto* label = new QLabel(caption, parent);
    if (!name.isEmpty()) {
        label->setObjectName(name);
    } else if (buddy) {
        QString base = buddy->objectName();
        for (const char* suffix : {"Spin", "Combo", "List", "Memo", "Check"}) {
            if (base.endsWith(QLatin1String(suffix))) {
                base.chop(qsizetype(qstrlen(suffix)));
                break;
            }
        }
        label->setObjectName(base + QStringLiteral("Label"));
    }
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& caption, bool checked)
{
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(name);
    check->setChecked(checked);
    return check;
}

QComboBox* MakeCombo(QWidget* parent, const QString& name, const QStringList& items)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setCurrentIndex(0);
    return combo;
}

void SetComboIndex(QComboBox* combo, int index)
{
    combo->setCurrentIndex(std::clamp(index, 0, combo->count() - 1));
}

QLabel* LabelOf(const QWidget* control)
{
    for (QLabel* label : control->parentWidget()->findChildren<QLabel*>())
        if (label->buddy() == control)
            return label;
    return nullptr;
}

void SetShown(QWidget* control, bool shown)
{
    control->setVisible(shown);
    if (QLabel* label = LabelOf(control))
        label->setVisible(shown);
}

void EnableLabels(const QWidget* within, std::initializer_list<const char*> names, bool on)
{
    for (const char* name : names)
        if (QLabel* found = within->findChild<QLabel*>(QLatin1String(name)))
            found->setEnabled(on);
}

QToolButton* AddToolButton(QToolBar* bar, QAction* action, const QString& buttonName)
{
    bar->addAction(action);
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    if (button)
        button->setObjectName(buttonName);
    return button;
}
