// The main window: its documented controls, start-up state, caption, help, the
// default-properties panel and the settings it restores and writes back.
#include "editor/ImagePanel.h"
#include "editor/MainForm.h"
#include "tests/editor/MainFormFixture.h"
#include "tests/editor/OpenedUrls.h"
#include "editor/SkyStyle.h"
#include "editor/core/Caption.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QUrl>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class MainFormTest : public MainFormFixture {
protected:
    // The caption label of a control (the label whose buddy it is).
    QString CaptionOf(QWidget* control)
    {
        for (QLabel* label : form->findChildren<QLabel*>())
            if (label->buddy() == control)
                return label->text();
        return {};
    }

    QString SettingsFile() const { return documents + QStringLiteral("/Zembra/settings.dat"); }
};

QStringList TabTitles(QTabWidget* tabs)
{
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    return titles;
}

} // namespace

TEST_F(MainFormTest, HasItsPagesAndTheSevenPropertyPages)
{
    Create();
    EXPECT_EQ(TabTitles(Find<QTabWidget>(QStringLiteral("PageControl"))),
              (QStringList{"Editing", "Options", "Preview"}));
    EXPECT_EQ(TabTitles(Find<QTabWidget>(QStringLiteral("DrawObjectControl"))),
              (QStringList{"Animation", "Image", "Coordinates", "Rotation", "Color and Border", "Text", "Line"}));
    for (const char* name : {"FramePanel", "FramesImage", "FramesScrollBar", "OtherFramesScrollPanel",
                             "DrawObjectScroll", "GIFAnimatorPanel", "GIFImage", "PictureImage", "BackColorShape",
                             "FramesChangesList", "PointsGrid", "TextMemo", "DrawObjectImage", "FigureColorShape",
                             "ShadowColorShape", "BorderColorShape"})
        Find<QWidget>(QString::fromLatin1(name));
}

TEST_F(MainFormTest, AllSevenPageTabsFitAtTheStartSize)
{
    CreateAndShow();
    auto* pages = Find<QTabWidget>(QStringLiteral("DrawObjectControl"));
    ASSERT_EQ(pages->count(), 7);
    // The whole row of tabs fits the panel the window opens with: no scrolling.
    EXPECT_LE(pages->tabBar()->sizeHint().width(), Find<QScrollArea>(QStringLiteral("DrawObjectScroll"))->viewport()->width());
}

TEST_F(MainFormTest, CommandsCarryTheirCaptions)
{
    Create();
    const std::vector<std::pair<const char*, const char*>> buttons{
        {"PointButton", "Point"}, {"LineButton", "Line"}, {"LLineButton", "L-Line"}, {"ZLineButton", "Z-Line"},
        {"BezierButton", "Bezier Figure"}, {"RectangleButton", "Rectangle"}, {"DiamondButton", "Rhombus"},
        {"EllipseButton", "Ellipse"}, {"StarButton", "Star"}, {"PolygonButton", "Polygon"},
        {"ArrowButton", "Arrow"}, {"TextButton", "Plain Text"}, {"TextBezierButton", "Bezier Text"},
        {"PictureButton", "Image"},
        {"NewProjectButton", "New Project"}, {"OpenProjectButton", "Open Project"},
        {"SaveProjectButton", "Save Project"}, {"SaveAsProjectButton", "Save Project As"},
        {"OpenGIFButton", "Open GIF"}, {"SaveGIFButton", "Save GIF"}, {"SaveAVIButton", "Save AVI"},
        {"GIFFromImagesButton", "GIF from Images"}, {"ScreenRecordButton", "Screen Record"},
        {"ExtractFramesButton", "Extract Frames"}, {"HelpButton", "Help"},
        {"BackButton", "Send to Back"}, {"FrontButton", "Bring to Front"}, {"ParamButton", "Default Properties"},
        {"ResetButton", "Reset Properties"},
        {"AddFrameButton", "Add Frame"}, {"DuplicateFrameButton", "Duplicate Frame"},
        {"SaveFrameButton", "Save Frame"}, {"RedrawButton", "Redraw Frames"}, {"MoveLeftButton", "Move Left"},
        {"MoveRightButton", "Move Right"}, {"CopyFrameButton", "Copy"}, {"DeleteFigureButton", "Delete"},
        {"GIFOpenButton", "Open"}, {"GIFDeleteButton", "Delete"}, {"PictureOpenButton", "Open"},
        {"PictureDeleteButton", "Delete"}, {"BackColorButton", "..."},
        {"ProportionalCheck", "Maintain Aspect Ratio"}, {"BackTransparentCheck", "Transparent"},
        {"InfinityCheck", "Infinitely"}, {"PlayButton", "Play"}, {"StopButton", "Stop"}, {"StartButton", "Start"},
        {"PreviousButton", "Previous"}, {"NextButton", "Next"}, {"EndButton", "End"},
        {"AllFramesCheck", "In All Frames"}, {"DeleteChangesButton", "Delete Changes"},
        {"ImageTransparentCheck", "Transparent Background"}, {"PointsCopyButton", "Copy"},
        {"PointsPasteButton", "Paste"}, {"CenterCheck", "Shape Center"}, {"CenterButton", "..."},
        {"FontButton", "Font"}, {"AutoCenterCheck", "Autocenter"}, {"LineCheck", "Line"}};
    for (const auto& [name, caption] : buttons) {
        if (auto* button = Find<QAbstractButton>(QString::fromLatin1(name))) {
            EXPECT_EQ(button->text(), QString::fromLatin1(caption)) << name;
        }
    }

    const std::vector<std::pair<const char*, QKeySequence>> shortcuts{
        {"SaveAct", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"HelpAct", QKeySequence(Qt::Key_F1)},
        {"CopyFrameAct", QKeySequence(Qt::ALT | Qt::Key_C)},
        {"CutFrameAct", QKeySequence(Qt::ALT | Qt::Key_X)},
        {"PasteFrameAct", QKeySequence(Qt::ALT | Qt::Key_V)},
        {"DeleteFrameAct", QKeySequence(Qt::ALT | Qt::Key_Delete)},
        {"CopyFigureAct", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C)},
        {"CutFigureAct", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_X)},
        {"PasteFigureAct", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_V)},
        {"DeleteFigureAct", QKeySequence(Qt::CTRL | Qt::Key_Delete)}};
    for (const auto& [name, keys] : shortcuts) {
        if (auto* action = Find<QAction>(QString::fromLatin1(name))) {
            EXPECT_EQ(action->shortcut(), keys) << name;
        }
    }
}

TEST_F(MainFormTest, SpinEditsHaveTheirCaptionsRangesAndDefaults)
{
    Create();
    struct TSpin {
        const char* Name;
        const char* Caption;
        int Min, Max, Value;
    };
    const std::vector<TSpin> spins{
        {"BackWidthSpin", "Width", 1, 10000, 200}, {"BackHeightSpin", "Height", 1, 10000, 200},
        {"FrameDelaySpin", "Default Frame Duration", 10, 1000000, 50}, {"TimesSpin", "Repeat", 1, 1000, 1},
        {"CurrentFrameDelaySpin", "Current Frame Duration", 10, 1000000, 50},
        {"StartFrameSpin", "Start Frame", 1, 100000, 1}, {"FramesCountSpin", "Number of Frames", 1, 100000, 1},
        {"LeftSpin", "Left", -10000, 10000, 0}, {"TopSpin", "Top", -10000, 10000, 0},
        {"WidthSpin", "Width", -10000, 10000, 0}, {"HeightSpin", "Height", -10000, 10000, 0},
        {"PointsCountSpin", "Amount", 0, 10000, 0}, {"AngleSpin", "Angle", -3600, 3600, 0},
        {"XSpin", "X", 0, 10000, 0}, {"YSpin", "Y", 0, 10000, 0},
        {"BorderWidthSpin", "Border Thickness", 0, 100, 1}, {"ShadowWidthSpin", "Shadow Thickness", 0, 100, 1},
        {"PaddingSpin", "Margin", 0, 1000, 0}, {"GoSpin", "Go to Frame #", 0, 0, 0}};
    for (const TSpin& s : spins) {
        auto* spin = Find<QSpinBox>(QString::fromLatin1(s.Name));
        if (!spin)
            continue;
        EXPECT_EQ(spin->minimum(), s.Min) << s.Name;
        EXPECT_EQ(spin->maximum(), s.Max) << s.Name;
        EXPECT_EQ(spin->value(), s.Value) << s.Name;
        EXPECT_EQ(CaptionOf(spin), QString::fromLatin1(s.Caption)) << s.Name;
        EXPECT_FALSE(spin->keyboardTracking()) << s.Name; // edits apply on leaving or Enter
    }
    auto* pointSpin = Find<QSpinBox>(QStringLiteral("PointSpin"));
    EXPECT_EQ(pointSpin->minimum(), -10000);
    EXPECT_EQ(pointSpin->maximum(), 10000);

    auto items = [](QComboBox* combo) {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i)
            list << combo->itemText(i);
        return list;
    };
    EXPECT_EQ(items(Find<QComboBox>(QStringLiteral("OutlineCombo"))), (QStringList{"No", "Transparent", "Colored"}));
    EXPECT_EQ(items(Find<QComboBox>(QStringLiteral("SpeechCombo"))),
              (QStringList{"No", "Top Left", "Top Right", "Bottom Left", "Bottom Right"}));
    EXPECT_EQ(items(Find<QComboBox>(QStringLiteral("OrientationCombo"))), (QStringList{"Horizontal", "Vertical"}));
}

TEST_F(MainFormTest, FirstShowingMakesANewProject)
{
    CreateAndShow();
    EXPECT_TRUE(form->Started());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Zembra 1 frame(s) X:0 Y:0"));
    EXPECT_EQ(form->ZembraFolder(), documents + QStringLiteral("/Zembra"));
    EXPECT_TRUE(QDir(form->ZembraFolder()).exists());
    EXPECT_TRUE(form->ProjectFile().isEmpty());
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(form->Defaults(), TDefaultParam{});
    EXPECT_FALSE(Find<QWidget>(QStringLiteral("DrawObjectControl"))->isVisible());
    EXPECT_EQ(Find<QWidget>(QStringLiteral("FramePanel"))->size(), QSize(200, 200));
    EXPECT_EQ(Find<QWidget>(QStringLiteral("FramePanel"))->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(Find<QTabWidget>(QStringLiteral("PageControl"))->currentIndex(), 0);
    EXPECT_TRUE(dialogs.Asked().empty());

    // The empty background boxes show the "No" placeholder: white, with black text in the middle.
    for (const char* box : {"GIFImage", "PictureImage"}) {
        const TBitmap& picture = Find<TImagePanel>(QString::fromLatin1(box))->Picture();
        ASSERT_EQ(picture.Width(), 140) << box;
        ASSERT_EQ(picture.Height(), 118) << box;
        EXPECT_EQ(picture.Pixel(0, 0), clWhite);
        EXPECT_EQ(picture.Pixel(139, 117), clWhite);
        int black = 0, blackOutside = 0;
        for (int y = 0; y < 118; ++y)
            for (int x = 0; x < 140; ++x)
                if (picture.Pixel(x, y) == clBlack)
                    ++(x > 50 && x < 90 && y > 40 && y < 78 ? black : blackOutside);
        EXPECT_GT(black, 20) << box;
        EXPECT_EQ(blackOutside, 0) << box;
    }
}

TEST(Caption, NamesTheProjectFileWithoutItsFolder)
{
    EXPECT_EQ(MainCaption(QStringLiteral("/home/u/Documents/Zembra/demo.zembra"), 12, QStringLiteral("frame(s)"), 0, 0),
              QStringLiteral("Zembra - [demo.zembra] 12 frame(s) X:0 Y:0"));
    EXPECT_EQ(MainCaption({}, 1, QStringLiteral("frame(s)"), 37, -2), QStringLiteral("Zembra 1 frame(s) X:37 Y:-2"));
}

TEST_F(MainFormTest, HelpSaysSoWhenTheHelpFileIsMissing)
{
    Create();
    form->SetProgramFolder(TempDir());
    form->HelpExecute();
    EXPECT_EQ(dialogs.Messages(), QStringList{QStringLiteral("Help file not found!")});
    EXPECT_TRUE(form->HelpFile().endsWith(QStringLiteral("/Zembra.chm")));
}

TEST_F(MainFormTest, HelpOpensTheHelpFileBesideTheProgram)
{
    const QString folder = TempDir();
    QFile help(folder + QStringLiteral("/Zembra.chm"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    QList<QUrl> opened;
    {
        const TOpenedUrls urls;
        Create();
        form->SetProgramFolder(folder);
        Find<QAction>(QStringLiteral("HelpAct"))->trigger();
        opened = urls.Urls;
    }
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(folder + QStringLiteral("/Zembra.chm"))});
    EXPECT_TRUE(dialogs.Asked().empty());
}

TEST_F(MainFormTest, DefaultPropertiesShowTheDefaultsAndResetRestoresThem)
{
    TDefaultParam stored;
    stored.Left = 33;
    stored.Angle = 45;
    stored.Center = false;
    stored.TextValue = QStringLiteral("Hello");
    stored.TextFill = 2;
    stored.TextSpeech = 99; // out of the list: shown as the nearest item
    ASSERT_TRUE(QDir().mkpath(documents + QStringLiteral("/Zembra")));
    ASSERT_TRUE(SaveSettingsFile(SettingsFile(), TWindowSettings{0, 50, 60, 1000, 700, 280, 120, {}}, stored));
    CreateAndShow();
    ASSERT_EQ(form->Defaults(), stored);

    Find<QAction>(QStringLiteral("ParamAct"))->trigger();
    auto* pages = Find<QTabWidget>(QStringLiteral("DrawObjectControl"));
    EXPECT_TRUE(pages->isVisible());
    QStringList shown;
    for (int i = 0; i < pages->count(); ++i)
        shown << pages->tabText(i);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Image"), QStringLiteral("Coordinates"), QStringLiteral("Rotation"),
                                  QStringLiteral("Color and Border"), QStringLiteral("Text"), QStringLiteral("Line")}));
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("CoordinatesSheet"));
    EXPECT_FALSE(Find<QAction>(QStringLiteral("ParamAct"))->isEnabled());
    EXPECT_EQ(Find<QSpinBox>(QStringLiteral("LeftSpin"))->value(), 33);
    EXPECT_EQ(Find<QSpinBox>(QStringLiteral("AngleSpin"))->value(), 45);
    EXPECT_FALSE(Find<QCheckBox>(QStringLiteral("CenterCheck"))->isChecked());
    EXPECT_TRUE(Find<QSpinBox>(QStringLiteral("XSpin"))->isEnabled());
    EXPECT_EQ(Find<QPlainTextEdit>(QStringLiteral("TextMemo"))->toPlainText(), QStringLiteral("Hello"));
    EXPECT_EQ(Find<QComboBox>(QStringLiteral("OutlineCombo"))->currentIndex(), 2);
    EXPECT_EQ(Find<QComboBox>(QStringLiteral("SpeechCombo"))->currentIndex(), 4);
    EXPECT_FALSE(Find<QWidget>(QStringLiteral("NodesGroup"))->isVisible());
    EXPECT_FALSE(Find<QWidget>(QStringLiteral("CenterButton"))->isVisible());

    Find<QAction>(QStringLiteral("ResetAct"))->trigger();
    EXPECT_EQ(form->Defaults(), TDefaultParam{});
    EXPECT_EQ(Find<QSpinBox>(QStringLiteral("LeftSpin"))->value(), 4);
    EXPECT_EQ(Find<QSpinBox>(QStringLiteral("WidthSpin"))->value(), 100);
}

TEST_F(MainFormTest, RestoresWindowAndPanelsFromTheSettingsAndWritesThemBack)
{
    const TWindowSettings stored{0, 30, 40, 1000, 720, 260, 110, {}};
    TDefaultParam defaults;
    defaults.BorderWidth = 9;
    ASSERT_TRUE(QDir().mkpath(documents + QStringLiteral("/Zembra")));
    ASSERT_TRUE(SaveSettingsFile(SettingsFile(), stored, defaults));

    CreateAndShow();
    EXPECT_EQ(form->pos(), QPoint(30, 40));
    EXPECT_EQ(form->size(), QSize(1000, 720));
    EXPECT_EQ(Find<QWidget>(QStringLiteral("DrawObjectScroll"))->width(), 260);
    EXPECT_EQ(Find<QWidget>(QStringLiteral("FramesImage"))->height(), 110);
    EXPECT_EQ(form->Defaults().BorderWidth, 9);

    form->close();
    TWindowSettings written;
    TDefaultParam writtenDefaults;
    ASSERT_TRUE(LoadSettingsFile(SettingsFile(), written, writtenDefaults));
    EXPECT_EQ(written, stored);
    EXPECT_EQ(writtenDefaults, defaults);
}

TEST_F(MainFormTest, ShortOrDamagedSettingsKeepTheDesignedWindow)
{
    ASSERT_TRUE(QDir().mkpath(documents + QStringLiteral("/Zembra")));
    QByteArray full;
    {
        QBuffer buffer(&full);
        buffer.open(QIODevice::WriteOnly);
        TDefaultParam defaults;
        defaults.Padding = 21;
        WriteSettings(buffer, TWindowSettings{0, 5, 5, 640, 480, 200, 90, QStringLiteral("/nowhere/p.zembra")}, defaults);
    }
    QFile file(SettingsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(full.left(full.size() - 1)); // the last byte missing
    file.close();

    CreateAndShow();
    EXPECT_EQ(form->size(), QSize(TMainForm::DesignWidth, TMainForm::DesignHeight));
    EXPECT_EQ(form->Defaults().Padding, 21); // read before the end: kept
    EXPECT_TRUE(form->ProjectFile().isEmpty());
    EXPECT_TRUE(dialogs.Asked().empty());
}

TEST_F(MainFormTest, ALastProjectThatCannotBeOpenedGivesANewProjectSilently)
{
    ASSERT_TRUE(QDir().mkpath(documents + QStringLiteral("/Zembra")));
    ASSERT_TRUE(SaveSettingsFile(SettingsFile(), TWindowSettings{0, 5, 5, 900, 600, 200, 90, QStringLiteral("/nowhere/p.zembra")},
                                 TDefaultParam{}));
    CreateAndShow();
    EXPECT_TRUE(form->ProjectFile().isEmpty());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Zembra 1 frame(s) X:0 Y:0"));
    EXPECT_TRUE(dialogs.Asked().empty());
}

TEST_F(MainFormTest, ClosingAsksOnceToSaveChangesAndWritesTheSettingsEitherWay)
{
    CreateAndShow();
    form->close(); // unmodified: no question
    EXPECT_TRUE(dialogs.Questions().isEmpty());
    EXPECT_TRUE(QFile::exists(SettingsFile()));
    QFile::remove(SettingsFile());

    CreateAndShow();
    form->SetModifyTrue();
    dialogs.QueueYesNo(false);
    form->close();
    EXPECT_EQ(dialogs.Questions(), QStringList{QStringLiteral("Save changes to the project?")});
    EXPECT_TRUE(QFile::exists(SettingsFile()));
    QFile::remove(SettingsFile());

    // "Yes" on a project never saved asks where to save it (cancelled here).
    dialogs.ClearAsked();
    CreateAndShow();
    form->SetModifyTrue();
    dialogs.QueueYesNo(true);
    form->close();
    ASSERT_EQ(dialogs.Asked().size(), 2u);
    EXPECT_EQ(dialogs.Asked()[1].Kind, TScriptedDialogs::TKind::SaveFile);
    EXPECT_EQ(dialogs.Asked()[1].File.Filter, QStringLiteral("Projects (*.zembra)|*.zembra|All Files (*.*)|*.*"));
    EXPECT_EQ(dialogs.Asked()[1].File.InitialDir, documents + QStringLiteral("/Zembra"));
    EXPECT_TRUE(QFile::exists(SettingsFile()));
}

TEST_F(MainFormTest, WithoutADocumentsFolderNothingIsReadOrWritten)
{
    documents = TempDir() + QStringLiteral("/file-not-folder");
    QFile blocker(documents);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // Documents is a file: no settings folder can exist
    blocker.close();
    CreateAndShow();
    EXPECT_TRUE(form->Started());
    form->close();
    EXPECT_FALSE(QFile::exists(SettingsFile()));
}

TEST_F(MainFormTest, PagesLookRight)
{
    const QString styleBefore = qApp->styleSheet();
    ApplySkyStyle(*qApp);
    CreateAndShow();
    const QString out = TestOutputDir(QStringLiteral("editor"));
    auto* pages = Find<QTabWidget>(QStringLiteral("PageControl"));
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QCoreApplication::processEvents();
        form->grab().save(out + QStringLiteral("/main-page-%1.png").arg(i));
    }
    pages->setCurrentIndex(0);
    Find<QAction>(QStringLiteral("ParamAct"))->trigger();
    auto* panel = Find<QTabWidget>(QStringLiteral("DrawObjectControl"));
    for (int i = 1; i < panel->count(); ++i) {
        panel->setCurrentIndex(i);
        QCoreApplication::processEvents();
        form->grab().save(out + QStringLiteral("/property-page-%1.png").arg(i));
    }
    EXPECT_TRUE(QFile::exists(out + QStringLiteral("/main-page-0.png")));
    qApp->setStyleSheet(styleBefore);
}

