#pragma once
// TProjectFile: writes a project to its ".zembra" file and companion folder,
// and reads it back into a document.
//
// The companion folder sits beside the project file and is named after it: the
// file name up to its first "." followed by "Files" (demo.zembra -> demoFiles,
// my.anim.zembra -> myFiles). It holds the project's pictures as ordinary files:
// BackGIF.gif, BackBMP.bmp, Buffer.gif, Anim.gif, Bitmap/ImageN.bmp,
// GIF/ImageN.gif, Buffer/Bitmap/ImageK.bmp and Buffer/GIF/ImageK.gif.
//
// Saving replaces the old files only when everything was written, as one
// transaction: a failed, cancelled or killed save leaves the previous project
// as it was, or (killed after its point of no return) is completed when the
// project is next opened or saved. Pictures an earlier save left beyond the
// present counts go. A save is refused when the companion folder is also that
// of another project file beside it ("clip.v2.zembra" and "clip.zembra" both
// use "clipFiles"): it would change that project's pictures. Reading accepts files
// without a header and every format version up to the current one (4); every
// count and length in the file is checked against what remains of it.
#include "gif/ZGIFImage.h"
#include "model/EditorView.h"

#include <QString>
#include <functional>

class TDocument;
class TDrawObject;
class TProgress;

class TProjectFile {
public:
    // `animation` is the rendered animation (stored as Anim.gif); `progress`
    // shows "Saving Project" / "Opening Project" and carries the cancel flag.
    TProjectFile(TDocument& doc, TZGIFImage& animation, TProgress& progress);

    // Called for each drawing object rebuilt by Read before its focus is set
    // (the editor attaches it to the canvas). Without it the object is made
    // selectable and selected.
    std::function<void(TDrawObject&)> DrawObjLoaded;
    // Number of compressors the AVI window lists; a stored compressor index
    // must be below it to be applied.
    int CompressorCount = 2;
    // The editor's state stored beside the project: Write stores it, Read
    // fills it with what the file holds.
    TEditorView View;

    // Both return success. The caller shows "The project is not saved!" or
    // "The project does not open!"; ErrorText() says why, for diagnostics.
    // Read expects a cleared document (ClearProject); after a failure what was
    // read stays in it and the caller starts a new project.
    bool Write(const QString& path);
    bool Read(const QString& path);
    const QString& ErrorText() const { return fError; }
    // Why a save was refused, in words for the user (empty for failures the
    // documented message covers alone).
    const QString& Notice() const { return fNotice; }

    // The companion folder of a project file.
    static QString CompanionFolder(const QString& projectPath);
    // The journal of an unfinished save, beside the project file.
    static QString JournalPath(const QString& projectPath);
    // Another project file beside `projectPath` with the same companion
    // folder; empty when there is none.
    static QString FolderSharedWith(const QString& projectPath);
    // Completes or clears an interrupted save of the project; false when it
    // cannot be completed.
    static bool Recover(const QString& projectPath, QString& error);

    // The current format version.
    static constexpr int32_t kVersion = 4;
    // Project files larger than this are refused without reading them.
    static constexpr qint64 kMaxFileSize = qint64(256) << 20;

private:
    class TWriter;
    class TReader;

    TDocument& fDoc;
    TZGIFImage& fAnimation;
    TProgress& fProgress;
    QString fError;
    QString fNotice;
};
