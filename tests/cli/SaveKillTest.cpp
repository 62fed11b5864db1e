// A save over an existing project that is killed at any file operation, or
// runs out of disk, leaves exactly the old project or exactly the new one.
#include "HeadlessEditor.h"
#include "ProcessSupport.h"

#include "tests/support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <cerrno>
#include <cstring>
#include <map>
#include <sys/mount.h>

namespace {

using TTree = std::map<QString, QByteArray>;

// Every file under `dir` by its relative path.
TTree Snapshot(const QString& dir)
{
    TTree tree;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        tree[QDir(dir).relativeFilePath(path)] = file.readAll();
    }
    return tree;
}

void CopyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const auto& [name, data] : Snapshot(from)) {
        const QString path = QDir(to).filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
}

TBitmap Filled(TColor color, int width, int height)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    TEditorCore::FillBitmap(bitmap, color, width, height);
    return bitmap;
}

// A project with a background GIF of `frames` frames and `pictures` pictures.
void SaveProject(const QString& path, TColor color, int frames, int pictures, int side)
{
    THeadlessEditor editor;
    TEditorCore& core = editor.core;
    TProjectLife& life = editor.life;
    TOptionsPage& page = editor.page;
    TZGIFImage gif;
    for (int i = 0; i < frames; ++i)
        gif.Frames(gif.AddFrame(Filled(color + RGB(0, uint8_t(40 * i), 0), side, side))).SetAnimateInterval(100);
    const QString gifPath = path + QStringLiteral(".source.gif");
    gif.SaveToFile(gifPath);
    page.GIFOpenButtonClick(gifPath);
    QFile::remove(gifPath);
    for (int i = 0; i < pictures; ++i)
        core.Doc.BMPArr.push_back(Filled(color + RGB(0, 0, uint8_t(30 * i)), side / 2 + i, side / 2));
    ASSERT_TRUE(life.WriteProject(path));
}

struct TSaveCase {
    QString Dir = TempDir();
    QString Old = Dir + QStringLiteral("/old");   // p.zembra as it was
    QString Source = Dir + QStringLiteral("/b.zembra");
    TTree OldTree;
    TTree NewTree;

    explicit TSaveCase(int newSide = 40, int newPictures = 1)
    {
        QDir().mkpath(Old);
        SaveProject(Old + QStringLiteral("/p.zembra"), RGB(200, 0, 0), 3, 3, 40);
        SaveProject(Source, RGB(0, 0, 200), 2, newPictures, newSide);
        OldTree = Snapshot(Old);
        const QString reference = Dir + QStringLiteral("/reference");
        CopyTree(Old, reference);
        EXPECT_EQ(Save(reference).Status, 0);
        NewTree = Snapshot(reference);
        EXPECT_NE(OldTree, NewTree);
    }
    QStringList SaveArgs(const QString& target) const
    {
        return {QStringLiteral("render"), Source, QStringLiteral("--save-project"), target + QStringLiteral("/p.zembra")};
    }
    TChildRun Save(const QString& target) const { return RunChild(ZEMBRA_COMMAND_PROBE, SaveArgs(target), 60); }
    // Opens the project there (finishing or clearing an interrupted save).
    bool Opens(const QString& target) const
    {
        return RunChild(ZEMBRA_COMMAND_PROBE, {QStringLiteral("render"), target + QStringLiteral("/p.zembra")}, 60)
                   .Status == 0;
    }
};

// The numbers of the calls of each traced system call that touch `dir`.
std::map<QString, std::vector<int>> FileCalls(const QString& log, const QString& dir)
{
    std::map<QString, std::vector<int>> calls;
    std::map<QString, int> counts;
    QFile file(log);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    static const QRegularExpression call(QStringLiteral("^(?:\\d+ +)?(\\w+)\\((.*)$"));
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const auto match = call.match(QString::fromUtf8(raw));
        if (!match.hasMatch())
            continue;
        const QString name = match.captured(1);
        const int n = ++counts[name];
        if (match.captured(2).contains(dir))
            calls[name].push_back(n);
    }
    return calls;
}

} // namespace

TEST(SaveKill, KilledAtAnyFileOperationTheProjectIsOldOrNew)
{
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty())
        GTEST_SKIP() << "strace is not installed (scripts/install-deps.sh installs it)";
    TSaveCase c;
    // The leak checker of sanitizer builds cannot run under strace.
    const QByteArray asanOptions = qgetenv("ASAN_OPTIONS");
    qputenv("ASAN_OPTIONS", asanOptions + ":detect_leaks=0");
    struct TRestore {
        QByteArray Value;
        ~TRestore() { qputenv("ASAN_OPTIONS", Value); }
    } restore{asanOptions};
    // Temporary files are made unnamed and linked into the folder when written.
    const QString syscalls = QStringLiteral("link,linkat,rename,renameat,renameat2,write,unlink,unlinkat");

    // Which calls of the save touch the project's folder.
    const QString counted = c.Dir + QStringLiteral("/counted");
    CopyTree(c.Old, counted);
    const QString log = c.Dir + QStringLiteral("/strace.log");
    QStringList args{QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-y"), QStringLiteral("-e"),
                     QStringLiteral("trace=") + syscalls, QStringLiteral("-o"), log, ZEMBRA_COMMAND_PROBE};
    ASSERT_EQ(RunChild(strace, args + c.SaveArgs(counted), 120).Status, 0);
    const auto calls = FileCalls(log, counted);
    int kills = 0;
    for (const char* name : {"link", "linkat", "rename", "renameat", "renameat2", "unlink", "unlinkat"})
        kills += calls.count(name) ? int(calls.at(name).size()) : 0;
    ASSERT_GE(kills, 5) << "the save renames and removes files";
    ASSERT_GE(calls.count("write") ? calls.at("write").size() : 0u, 5u);

    int runs = 0;
    for (const auto& [name, numbers] : calls) {
        for (int n : numbers) {
            const QString target = c.Dir + QStringLiteral("/kill-%1-%2").arg(name).arg(n);
            CopyTree(c.Old, target);
            const QStringList kill{QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-o"),
                                   QStringLiteral("/dev/null"), QStringLiteral("-e"),
                                   QStringLiteral("inject=%1:signal=SIGKILL:when=%2").arg(name).arg(n),
                                   ZEMBRA_COMMAND_PROBE};
            const TChildRun killed = RunChild(strace, kill + c.SaveArgs(target), 60);
            EXPECT_NE(killed.Status, 0) << name.toStdString() << " " << n;
            EXPECT_TRUE(c.Opens(target)) << name.toStdString() << " " << n;
            const TTree after = Snapshot(target);
            EXPECT_TRUE(after == c.OldTree || after == c.NewTree)
                << "killed at " << name.toStdString() << " call " << n << ": neither the old nor the new project";
            ++runs;
            QDir(target).removeRecursively();
        }
    }
    EXPECT_GE(runs, 10);
    RecordProperty("kills", runs);
}

TEST(SaveKill, AFullDiskKeepsTheOldProjectAndFails)
{
    // A save of a much larger project into a small file system that holds the old one.
    TSaveCase c(400, 4);
    const QString disk = c.Dir + QStringLiteral("/disk");
    QDir().mkpath(disk);
    if (::mount("tmpfs", disk.toLocal8Bit().constData(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): " << std::strerror(errno);
    struct TUnmount {
        QByteArray Path;
        ~TUnmount() { ::umount(Path.constData()); }
    } unmount{disk.toLocal8Bit()};
    CopyTree(c.Old, disk);
    QProcess save;
    save.start(ZEMBRA_COMMAND_PROBE, c.SaveArgs(disk));
    ASSERT_TRUE(save.waitForFinished(60000));
    // The message is the last line (Qt may warn before it).
    const QString err = QString::fromUtf8(save.readAllStandardError()).trimmed().split(QLatin1Char('\n')).last();
    EXPECT_EQ(save.exitCode(), 1);
    EXPECT_EQ(err, QStringLiteral("The project is not saved!"));
    EXPECT_TRUE(Snapshot(disk) == c.OldTree) << "the old project changed, or leftovers stayed";
    EXPECT_TRUE(c.Opens(disk));
}
