#pragma once
// The one seam through which the program asks the user anything: message boxes,
// the Yes/No questions, file, font and colour dialogs. The window uses a Qt
// implementation (editor/QtDialogs.h); tests answer by script (ScriptedDialogs.h).
#include "platform/Canvas.h"
#include "platform/Color.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <vector>

// Title of every question box.
inline const QString QuestionTitle = QStringLiteral("Zembra");

struct TFileDialogRequest {
    QString Title;
    // Filter in the Windows form, pairs of description and patterns:
    // "Projects (*.zembra)|*.zembra|All Files (*.*)|*.*".
    QString Filter;
    int FilterIndex = 0;   // 0-based: the filter chosen when the dialog opens
    QString InitialDir;    // empty: the dialog's own choice
    QString FileName;      // proposed name
    QString DefaultExt;    // without the dot; added to a name typed without extension
    // When not empty, choosing filter i makes DefaultExtByFilter[i] the default
    // extension (an index past the list leaves it as it is).
    std::vector<QString> DefaultExtByFilter;
    bool MustExist = false;       // open: the folder and the file must exist
    bool OverwritePrompt = false; // save: ask before replacing a file
    bool MultiSelect = false;     // open: several existing files may be chosen
};

struct TFileDialogResult {
    QString FileName;
    int FilterIndex = 0; // 0-based index of the filter chosen last
    QStringList FileNames; // every file chosen, when several may be (else empty)
};

class TDialogs {
public:
    virtual ~TDialogs() = default;

    // A plain message box with an OK button.
    virtual void ShowMessage(const QString& text) = 0;
    // A question box with the question icon, "Yes" and "No", titled "Zembra"; true for Yes.
    virtual bool AskYesNo(const QString& text) = 0;
    // File dialogs; nothing when the user cancels.
    virtual std::optional<TFileDialogResult> OpenFile(const TFileDialogRequest& request) = 0;
    virtual std::optional<TFileDialogResult> SaveFile(const TFileDialogRequest& request) = 0;
    // Font dialog preloaded with the font (name, size, colour, style); true on OK,
    // and the font then holds the choice.
    virtual bool ChooseFont(TFont& font) = 0;
    // Colour choice among the entries of a palette, the entry of the current colour
    // preselected; nothing when cancelled.
    virtual std::optional<TColor> ChooseColor(std::span<const TColor> palette, TColor current) = 0;
};

struct TFilterPair {
    QString Description; // "Projects (*.zembra)"
    QStringList Patterns; // "*.zembra"
};

// Splits a Windows filter string into its pairs; a trailing odd description is
// ignored. Patterns are separated by ';' (spaces around them dropped).
std::vector<TFilterPair> ParseFileFilter(const QString& filter);

// The same filter as Qt file dialogs take, one entry per pair:
// "Graphic Files (*.jpg; *.png)|*.jpg;*.png" gives "Graphic Files (*.jpg *.png)".
// The Windows "*.*" means every file and becomes "*".
QStringList ToQtFilters(const QString& filter);
