#pragma once
// The texts the editor shows, assigned once at start-up; every message comes
// from these fields, so the window and the headless commands say the same.
#include <QString>

struct TMessages {
    QString QBadFormat = QStringLiteral("Invalid file format!");
    QString QLoading = QStringLiteral("Loading");
    QString QFrames = QStringLiteral("Frames");
    QString QGIFNot = QStringLiteral("GIF not working!");
    QString QFrames1 = QStringLiteral("frame(s)");
    QString QAfter = QStringLiteral("After redrawing, operations with frames will disappear.");
    QString QRedraw = QStringLiteral("Redraw frames to change animation?");
    QString QRAM = QStringLiteral("Not enough RAM!");
    QString QHelp = QStringLiteral("Help file not found!");
    QString QFrameRedraw = QStringLiteral("Frame Redrawing");
    QString QLoadFrames = QStringLiteral("Loading Frames");
    QString QNotSaved = QStringLiteral("The project is not saved!");
    QString QSaveChanges = QStringLiteral("Save changes to the project?");
    QString NoImg = QStringLiteral("No");
    QString QFrameNumber = QStringLiteral("#");
    QString QMS = QStringLiteral("ms");
    QString QLoadNew = QStringLiteral("Loading a New GIF");
    QString QLoadOld = QStringLiteral("Loading an Old GIF");
    QString QGIFwont = QStringLiteral("GIF won't load!");
    QString QAddFrames = QStringLiteral("Adding Frames");
    QString QDelFrames = QStringLiteral("Deleting Frames");
    QString QPrNotOpen = QStringLiteral("The project does not open!");
    QString QPrNotSaved = QStringLiteral("The project is not saved!");
    QString QSaveImage = QStringLiteral("Saving an Image");
    QString QDummyText = QStringLiteral("Text");
    QString QOpenProj = QStringLiteral("Opening Project");
    QString QSaveProj = QStringLiteral("Saving Project");
};

// Texts of the GIF-from-images window.
struct TGIFFromImagesMessages {
    QString QStep = QStringLiteral("GIF From Images - Step #");
    QString QChooseImages = QStringLiteral("Choose images!");
    QString QOnlyImages = QStringLiteral("Only JPG, JPEG, PNG and BMP are added!");
    QString QAddImages = QStringLiteral("Add images!");
    QString QCreatingGIF = QStringLiteral("Creating GIF");
    QString QNew = QStringLiteral("New");
    QString QOld = QStringLiteral("Old");
    QString QSetFolder = QStringLiteral("Set a folder!");
    QString QLoadingFolder = QStringLiteral("Loading Images From Folder");
    QString QSorting = QStringLiteral("Image Sorting");
};

// Texts of the frame-extraction window.
struct TExtractMessages {
    QString QQuality = QStringLiteral("Quality");
    QString QSetFolder = QStringLiteral("Set a folder!");
    QString QExtraction = QStringLiteral("Frame Extraction");
};

// Texts of the Save-AVI window.
struct TToAVIMessages {
    QString QNo = QStringLiteral("No");
    QString QSetAVI = QStringLiteral("Set AVI!");
    QString QSavingAVI = QStringLiteral("Saving AVI");
};

// Texts of the folder window.
struct TFolderMessages {
    QString QSetNewFolder = QStringLiteral("Set a new folder!");
    QString QNotCreated = QStringLiteral("The folder is not created!");
};

// Shown by a second copy of the program, which then ends.
inline const QString QAlreadyRunning = QStringLiteral("Программа уже запущена!");
