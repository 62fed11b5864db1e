#include "platform/ScriptedDialogs.h"

void TScriptedDialogs::QueueFile(std::optional<QString> fileName, int filterIndex)
{
    TFileAnswer answer;
    answer.Cancel = !fileName;
    answer.Result.FileName = fileName.value_or(QString());
    answer.Result.FilterIndex = filterIndex;
    fFiles.push_back(answer);
}

QStringList TScriptedDialogs::TextsOf(TKind kind) const
{
    QStringList texts;
    for (const TAsked& asked : fAsked)
        if (asked.Kind == kind)
            texts << asked.Text;
    return texts;
}

QStringList TScriptedDialogs::Messages() const
{
    return TextsOf(TKind::Message);
}

QStringList TScriptedDialogs::Questions() const
{
    return TextsOf(TKind::Question);
}

TScriptedDialogs::TAsked& TScriptedDialogs::Record(TKind kind, const QString& text)
{
    TAsked asked;
    asked.Kind = kind;
    asked.Text = text;
    fAsked.push_back(asked);
    return fAsked.back();
}

void TScriptedDialogs::ShowMessage(const QString& text)
{
    Record(TKind::Message, text);
}

bool TScriptedDialogs::AskYesNo(const QString& text)
{
    Record(TKind::Question, text);
    if (fYesNo.empty())
        return false;
    const bool yes = fYesNo.front();
    fYesNo.pop_front();
    return yes;
}

std::optional<TFileDialogResult> TScriptedDialogs::NextFile()
{
    if (fFiles.empty())
        return std::nullopt;
    const TFileAnswer answer = fFiles.front();
    fFiles.pop_front();
    if (answer.Cancel)
        return std::nullopt;
    return answer.Result;
}

std::optional<TFileDialogResult> TScriptedDialogs::OpenFile(const TFileDialogRequest& request)
{
    Record(TKind::OpenFile, request.Title).File = request;
    return NextFile();
}

std::optional<TFileDialogResult> TScriptedDialogs::SaveFile(const TFileDialogRequest& request)
{
    Record(TKind::SaveFile, request.Title).File = request;
    auto answer = NextFile();
    // A name without extension gets the default one, as the real dialog adds it.
    if (answer && !request.DefaultExt.isEmpty() && !answer->FileName.section(QLatin1Char('/'), -1).contains(QLatin1Char('.')))
        answer->FileName += QLatin1Char('.') + request.DefaultExt;
    return answer;
}

bool TScriptedDialogs::ChooseFont(TFont& font)
{
    Record(TKind::Font, {}).Font = font;
    if (fFonts.empty() || !fFonts.front()) {
        if (!fFonts.empty())
            fFonts.pop_front();
        return false;
    }
    font = *fFonts.front();
    fFonts.pop_front();
    return true;
}

std::optional<TColor> TScriptedDialogs::ChooseColor(std::span<const TColor>, TColor current)
{
    Record(TKind::Color, {}).Color = current;
    if (fColors.empty())
        return std::nullopt;
    auto answer = fColors.front();
    fColors.pop_front();
    return answer;
}
