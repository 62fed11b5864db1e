#pragma once
// The dialogs seam answered by the user through Qt's message boxes and file,
// font and colour dialogs, parented to a window.
#include "platform/Dialogs.h"

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>

class TQtDialogs final : public TDialogs {
public:
    // A palette colour picker (the colour-selection window); when none is set,
    // Qt's colour dialog is used and its choice snapped to the nearest entry.
    using TColorPicker = std::function<std::optional<TColor>(std::span<const TColor> palette, TColor current)>;

    explicit TQtDialogs(QWidget* parent = nullptr) : fParent(parent) {}

    void SetParent(QWidget* parent) { fParent = parent; }
    void SetColorPicker(TColorPicker picker) { fColorPicker = std::move(picker); }

    void ShowMessage(const QString& text) override;
    bool AskYesNo(const QString& text) override;
    std::optional<TFileDialogResult> OpenFile(const TFileDialogRequest& request) override;
    std::optional<TFileDialogResult> SaveFile(const TFileDialogRequest& request) override;
    bool ChooseFont(TFont& font) override;
    std::optional<TColor> ChooseColor(std::span<const TColor> palette, TColor current) override;

    // The folder a file dialog opens in when its caller names none: the one
    // last used for the same kind of file (the same filter), else Pictures.
    QString StartFolder(const QString& filter) const;

private:
    std::optional<TFileDialogResult> RunFileDialog(const TFileDialogRequest& request, bool save);

    QPointer<QWidget> fParent;
    TColorPicker fColorPicker;
    QHash<QString, QString> fLastFolders; // filter -> folder of the last file chosen
};
