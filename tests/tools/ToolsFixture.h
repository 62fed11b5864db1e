#pragma once
// A headless editor with its "Options" page for the tool tests, and helpers
// that write picture files.
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "platform/ImageFiles.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"
#include "tools/ToolHost.h"

#include <QDir>
#include <gtest/gtest.h>

class ToolsFixture : public ::testing::Test {
protected:
    void SetUp() override { core.NewProject(); }

    static TBitmap Solid(int width, int height, TColor color)
    {
        TBitmap b(width, height);
        TEditorCore::FillBitmap(b, color, width, height);
        return b;
    }

    // Writes a solid picture into the folder in the format of the name's extension.
    static QString WritePicture(const QString& folder, const QString& name, int width, int height, TColor color)
    {
        const QString path = QDir(folder).filePath(name);
        const QString ext = name.section(QLatin1Char('.'), -1).toLower();
        const TBitmap b = Solid(width, height, color);
        if (ext == QStringLiteral("png"))
            SavePngFile(b, path);
        else if (ext == QStringLiteral("bmp"))
            SaveBmpFile(b, path);
        else
            SaveJpegFile(b, path, 100);
        return path;
    }

    // Makes the GIF the project's background as the "Options" page does.
    void SetBackGIF(int frames, int width, int height)
    {
        TZGIFImage gif;
        for (int i = 0; i < frames; ++i)
            gif.AddFrame(Solid(width, height, RGB(0, 0, uint8_t(40 * i))));
        core.Doc.Animation.BackGIF = gif;
        page.LoadBackGIF(QString());
        ASSERT_GE(core.Doc.BackNum, 0);
    }

    TToolHost Host() { return TToolHost{&core, &page, nullptr}; }

    TScriptedDialogs dialogs;
    THeadlessProgress progress;
    TEditorCore core{dialogs, progress};
    TOptionsPage page{core};
};
