#include "editor/QtDialogs.h"

#include "platform/KnownFolders.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <algorithm>

namespace {
// Narrowest message box, and the room its title bar's buttons take.
constexpr int kMinMessageWidth = 260;
constexpr int kTitleBarButtons = 120;
} // namespace

namespace {

// A box with a short text is so narrow that the window manager cuts its
// title; it is kept wide enough for the title and the title bar's buttons.
void KeepTitleWhole(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const int titleWidth = box.fontMetrics().horizontalAdvance(box.windowTitle());
    const int width = std::max(kMinMessageWidth, 2 * titleWidth + kTitleBarButtons);
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

} // namespace

void TQtDialogs::ShowMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, fParent);
    KeepTitleWhole(box);
    box.exec();
}

bool TQtDialogs::AskYesNo(const QString& text)
{
    QMessageBox box(QMessageBox::Question, QuestionTitle, text, QMessageBox::Yes | QMessageBox::No, fParent);
    box.setDefaultButton(QMessageBox::Yes);
    KeepTitleWhole(box);
    return box.exec() == QMessageBox::Yes;
}

QString TQtDialogs::StartFolder(const QString& filter) const
{
    const QString last = fLastFolders.value(filter);
    if (!last.isEmpty() && QDir(last).exists())
        return last;
    return GetKnownFolderPath(TKnownFolder::Pictures);
}

std::optional<TFileDialogResult> TQtDialogs::RunFileDialog(const TFileDialogRequest& request, bool save)
{
    QFileDialog dialog(fParent, request.Title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : (request.MultiSelect ? QFileDialog::ExistingFiles
                                                     : request.MustExist ? QFileDialog::ExistingFile
                                                                         : QFileDialog::AnyFile));
    const QStringList filters = ToQtFilters(request.Filter);
    dialog.setNameFilters(filters);
    if (request.FilterIndex >= 0 && request.FilterIndex < filters.size())
        dialog.selectNameFilter(filters[request.FilterIndex]);
    dialog.setDirectory(request.InitialDir.isEmpty() ? StartFolder(request.Filter) : request.InitialDir);
    if (!request.FileName.isEmpty())
        dialog.selectFile(request.FileName);
    dialog.setDefaultSuffix(request.DefaultExt);
    if (save && !request.OverwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.DefaultExtByFilter.empty()) {
        auto extensions = request.DefaultExtByFilter;
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters, extensions](const QString& filter) {
            const qsizetype index = filters.indexOf(filter);
            if (index >= 0 && size_t(index) < extensions.size())
                dialog.setDefaultSuffix(extensions[size_t(index)]);
        });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    TFileDialogResult result{dialog.selectedFiles().first(), int(filters.indexOf(dialog.selectedNameFilter())), {}};
    fLastFolders.insert(request.Filter, QFileInfo(result.FileName).absolutePath());
    if (request.MultiSelect)
        result.FileNames = dialog.selectedFiles();
    return result;
}

std::optional<TFileDialogResult> TQtDialogs::OpenFile(const TFileDialogRequest& request)
{
    return RunFileDialog(request, false);
}

std::optional<TFileDialogResult> TQtDialogs::SaveFile(const TFileDialogRequest& request)
{
    return RunFileDialog(request, true);
}

bool TQtDialogs::ChooseFont(TFont& font)
{
    QFont initial(font.Name, font.Size);
    initial.setBold(font.Style & fsBold);
    initial.setItalic(font.Style & fsItalic);
    initial.setUnderline(font.Style & fsUnderline);
    initial.setStrikeOut(font.Style & fsStrikeOut);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, fParent);
    if (!ok)
        return false;
    font.Name = chosen.family();
    if (chosen.pointSize() > 0)
        font.Size = chosen.pointSize();
    TFontStyles style = 0;
    if (chosen.bold())
        style |= fsBold;
    if (chosen.italic())
        style |= fsItalic;
    if (chosen.underline())
        style |= fsUnderline;
    if (chosen.strikeOut())
        style |= fsStrikeOut;
    font.Style = style;
    return true;
}

std::optional<TColor> TQtDialogs::ChooseColor(std::span<const TColor> palette, TColor current)
{
    if (fColorPicker)
        return fColorPicker(palette, current);
    const QColor chosen = QColorDialog::getColor(ToQColor(current), fParent);
    if (!chosen.isValid())
        return std::nullopt;
    const TColor color = QRgbToColor(chosen.rgb());
    if (palette.empty())
        return color;
    return palette[size_t(NearestPaletteIndex(palette.data(), int(palette.size()), color))];
}
