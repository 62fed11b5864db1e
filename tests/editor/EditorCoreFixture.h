#pragma once
// A headless editor for tests: scripted dialogs, a windowless progress, a new
// project, and helpers to build background GIFs and to place figures.
#include "editor/core/EditorCore.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

class EditorCoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        core.DefaultParam.BackColor = kFill;
        core.NewProject();
    }

    // A figure of the kind with its box at (left, top), width x height.
    TDrawObject* AddFigure(int left, int top, int width = 40, int height = 40, TQFigName kind = qfRectangle)
    {
        core.DefaultParam.Left = left;
        core.DefaultParam.Top = top;
        core.DefaultParam.Width = width;
        core.DefaultParam.Height = height;
        EXPECT_TRUE(core.QNewFigure(kind));
        return core.DrObj();
    }

    // A solid-coloured frame of the given size at (left, top).
    static TBitmap Solid(int width, int height, TColor color)
    {
        TBitmap b(width, height);
        TEditorCore::FillBitmap(b, color, width, height);
        return b;
    }

    // Makes the GIF the project's background and composes it.
    void SetBackGIF(const TZGIFImage& gif)
    {
        core.Doc.Animation.BackGIF = gif;
        core.Progress().SetApply(true);
        core.Doc.BackNum = core.AddBMPArr(core.Doc.Animation.BackGIF);
        core.Progress().SetApply(false);
    }

    // The centre pixel of a figure's box in a rendered frame.
    static TPoint BoxCentre(const TDrawObject& obj)
    {
        return {obj.Left + obj.Coord + obj.Width() / 2, obj.Top + obj.Coord + obj.Height() / 2};
    }

    TColor FramePixel(int frame, TPoint p)
    {
        return core.Animation().Frames(frame).Bitmap().Pixel(p.X, p.Y);
    }

    static constexpr TColor kFill = 0x0000FF; // red figures

    TScriptedDialogs dialogs;
    THeadlessProgress progress;
    TEditorCore core{dialogs, progress};
};
