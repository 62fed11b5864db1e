#pragma once
// Dialogs answered by script, for tests and headless runs: the test queues the
// answers, and every box that was asked for is recorded. With no answer queued a
// question is answered "No" and every dialog is cancelled.
#include "platform/Dialogs.h"

#include <deque>

class TScriptedDialogs final : public TDialogs {
public:
    enum class TKind { Message, Question, OpenFile, SaveFile, Font, Color };

    struct TAsked {
        TKind Kind = TKind::Message;
        QString Text;               // message or question text
        TFileDialogRequest File;    // for the file dialogs
        TFont Font;                 // the font offered to the font dialog
        TColor Color = clNone;      // the colour offered to the colour choice
    };

    // Answers, taken in the order queued, each by the dialog of its kind.
    void QueueYesNo(bool yes) { fYesNo.push_back(yes); }
    void QueueFile(std::optional<QString> fileName, int filterIndex = 0);
    void QueueFont(std::optional<TFont> font) { fFonts.push_back(std::move(font)); }
    void QueueColor(std::optional<TColor> color) { fColors.push_back(color); }

    const std::vector<TAsked>& Asked() const { return fAsked; }
    // Texts of the message boxes shown, in order.
    QStringList Messages() const;
    // Texts of the questions asked, in order.
    QStringList Questions() const;
    void ClearAsked() { fAsked.clear(); }

    void ShowMessage(const QString& text) override;
    bool AskYesNo(const QString& text) override;
    std::optional<TFileDialogResult> OpenFile(const TFileDialogRequest& request) override;
    std::optional<TFileDialogResult> SaveFile(const TFileDialogRequest& request) override;
    bool ChooseFont(TFont& font) override;
    std::optional<TColor> ChooseColor(std::span<const TColor> palette, TColor current) override;

private:
    TAsked& Record(TKind kind, const QString& text);
    std::optional<TFileDialogResult> NextFile();
    QStringList TextsOf(TKind kind) const;

    std::vector<TAsked> fAsked;
    std::deque<bool> fYesNo;
    struct TFileAnswer {
        bool Cancel = true;
        TFileDialogResult Result;
    };
    std::deque<TFileAnswer> fFiles;
    std::deque<std::optional<TFont>> fFonts;
    std::deque<std::optional<TColor>> fColors;
};
