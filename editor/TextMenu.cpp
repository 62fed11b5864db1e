#include "editor/TextMenu.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextCursor>

namespace {

enum { miCopy, miCut, miPaste, miDelete, miSelectAll };

QString ClipboardText()
{
    return QGuiApplication::clipboard()->text();
}

// The line edit inside a spin box (the box's text and selection).
QLineEdit* EditOf(QAbstractSpinBox* spin)
{
    return spin->findChild<QLineEdit*>();
}

} // namespace

TTextMenu::TTextMenu(QWidget* window, std::function<void()> after)
    : QObject(window)
    , Window(window)
    , After(std::move(after))
{
}

bool TTextMenu::CanPasteIntoSpin(const QString& text, int minimum, int maximum)
{
    // A 32-bit integer, as the box holds.
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        return false;
    if (minimum != 0 && value < minimum)
        return false;
    if (maximum != 0 && value > maximum)
        return false;
    return true;
}

TTextMenuStates TTextMenu::SpinStates(bool hasSelection, const QString& text, const QString& clipboard, int minimum,
                                      int maximum)
{
    TTextMenuStates s;
    s.Copy = hasSelection;
    s.Cut = false; // a spin box is only cleared by typing
    s.Paste = !clipboard.isEmpty() && CanPasteIntoSpin(clipboard, minimum, maximum);
    s.SelectAll = !text.isEmpty();
    return s;
}

TTextMenuStates TTextMenu::MemoStates(bool hasSelection, const QString& text, const QString& clipboard)
{
    TTextMenuStates s;
    s.Copy = hasSelection;
    s.Cut = hasSelection;
    s.Paste = !clipboard.isEmpty();
    s.SelectAll = !text.isEmpty();
    return s;
}

QMenu* TTextMenu::Build(const TTextMenuStates& states, const std::function<void(int item)>& act)
{
    auto* menu = new QMenu(Window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto add = [&](const QString& caption, int item, bool enabled) {
        QAction* action = menu->addAction(caption);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, act, item] {
            act(item);
            if (After)
                After();
        });
    };
    add(QStringLiteral("Copy"), miCopy, states.Copy);
    add(QStringLiteral("Cut"), miCut, states.Cut);
    add(QStringLiteral("Paste"), miPaste, states.Paste);
    add(QStringLiteral("Delete"), miDelete, states.Cut);
    add(QStringLiteral("&Select All"), miSelectAll, states.SelectAll);
    return menu;
}

QMenu* TTextMenu::MenuFor(QAbstractSpinBox* spin)
{
    QLineEdit* edit = EditOf(spin);
    auto* box = qobject_cast<QSpinBox*>(spin);
    const TTextMenuStates states = SpinStates(edit && edit->hasSelectedText(), spin->text(), ClipboardText(),
                                              box ? box->minimum() : 0, box ? box->maximum() : 0);
    return Build(states, [spin, edit, box](int item) {
        switch (item) {
        case miCopy:
            if (edit)
                edit->copy();
            break;
        case miPaste: {
            bool ok = false;
            const int value = ClipboardText().trimmed().toInt(&ok);
            if (ok && box)
                box->setValue(value);
            break;
        }
        case miSelectAll:
            spin->selectAll();
            break;
        default:
            break;
        }
    });
}

QMenu* TTextMenu::MenuFor(QPlainTextEdit* memo)
{
    const TTextMenuStates states =
        MemoStates(memo->textCursor().hasSelection(), memo->toPlainText(), ClipboardText());
    return Build(states, [memo](int item) {
        switch (item) {
        case miCopy:
            memo->copy();
            break;
        case miCut:
            memo->cut();
            break;
        case miPaste:
            memo->paste();
            break;
        case miDelete:
            memo->textCursor().removeSelectedText();
            break;
        case miSelectAll:
            memo->selectAll();
            break;
        default:
            break;
        }
    });
}

void TTextMenu::Attach(QAbstractSpinBox* spin)
{
    // The box's own line edit passes the request on to the box.
    if (QLineEdit* edit = EditOf(spin))
        edit->setContextMenuPolicy(Qt::NoContextMenu);
    spin->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(spin, &QWidget::customContextMenuRequested, this, [this, spin](const QPoint& pos) {
        if (After)
            After();
        MenuFor(spin)->popup(spin->mapToGlobal(pos));
    });
}

void TTextMenu::Attach(QPlainTextEdit* memo)
{
    memo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(memo, &QWidget::customContextMenuRequested, this, [this, memo](const QPoint& pos) {
        if (After)
            After();
        MenuFor(memo)->popup(memo->viewport()->mapToGlobal(pos));
    });
}
