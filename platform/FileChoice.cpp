#include "platform/FileChoice.h"

std::optional<QString> OpenFileName(TDialogs& dialogs, const std::optional<QString>& given,
                                    const TFileDialogRequest& request)
{
    if (given)
        return given;
    if (const auto chosen = dialogs.OpenFile(request))
        return chosen->FileName;
    return std::nullopt;
}

std::optional<QString> SaveFileName(TDialogs& dialogs, const std::optional<QString>& given,
                                    const TFileDialogRequest& request)
{
    if (given)
        return given;
    if (const auto chosen = dialogs.SaveFile(request))
        return chosen->FileName;
    return std::nullopt;
}
