// Damaged projects against "zembra render": a few hundred seeded mutations of
// a saved project, each rendered in a process of its own under a time and a
// memory limit. Every one must end by itself, with a result or a message.
#include "HeadlessEditor.h"
#include "ProcessSupport.h"

#include "model/FigureFactory.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>
#include <random>

namespace {

// A project of five frames with figures of several kinds and a picture.
QString SaveSeed(const QString& dir)
{
    THeadlessEditor editor;
    TEditorCore& core = editor.core;
    TProjectLife& life = editor.life;
    TDocument& doc = core.Doc;
    int start = 0;
    for (TQFigName kind : {qfRectangle, qfLine, qfBezier, qfText, qfStar, qfPolygon, qfZLine}) {
        const int num = doc.NewFigure(kind, CreateDrawObject(kind), start % 3);
        TDrawObject& obj = *doc.Animation.Figures[size_t(num)].Obj;
        obj.Left = 10 + 7 * start;
        obj.Top = 5 + 3 * start;
        obj.SetWidth(60);
        obj.SetHeight(40);
        obj.Resize();
        doc.Animation.Figures[size_t(num)].All = start % 2 == 0;
        doc.Animation.Figures[size_t(num)].Count = 3;
        doc.StoreNewFigure(num);
        ++start;
    }
    TBitmap picture;
    picture.SetPixelFormat(TPixelFormat::pf24bit);
    TEditorCore::FillBitmap(picture, clLime, 8, 6);
    doc.BMPArr.push_back(picture);
    core.RedrawAnimation();
    const QString path = QDir(dir).filePath(QStringLiteral("m.zembra"));
    EXPECT_TRUE(life.WriteProject(path));
    return path;
}

// Values that damaged files hold: the ends of the range, sign flips, large
// counts, and values just past what the editor produces.
int32_t Suspicious(std::mt19937& rng)
{
    static const int32_t values[] = {INT32_MAX, INT32_MIN,   -1,         0x40000000, 0x7FFFFF00, 100001,
                                     1000000,   -100001,     0x10000,    65535,      2147483,    0};
    std::uniform_int_distribution<size_t> pick(0, std::size(values));
    const size_t i = pick(rng);
    return i < std::size(values) ? values[i] : int32_t(rng());
}

QByteArray Mutate(const QByteArray& good, std::mt19937& rng)
{
    QByteArray data = good;
    std::uniform_int_distribution<int> times(1, 3);
    std::uniform_int_distribution<qsizetype> at(0, data.size() - 4);
    for (int n = times(rng); n > 0; --n) {
        const qsizetype offset = at(rng);
        if (rng() % 4 == 0)
            data[offset] = char(data[offset] ^ char(1 << (rng() % 8)));
        else
            qToLittleEndian(Suspicious(rng), data.data() + offset);
    }
    return data;
}

} // namespace

TEST(ProjectMutation, EveryMutatedProjectEndsWithinTimeAndMemory)
{
    const QString dir = TempDir();
    const QString path = SaveSeed(dir);
    QFile seed(path);
    ASSERT_TRUE(seed.open(QIODevice::ReadOnly));
    const QByteArray good = seed.readAll();
    seed.close();
    const QString out = QDir(dir).filePath(QStringLiteral("out.gif"));
    const QStringList args{QStringLiteral("render"), path, QStringLiteral("--gif"), out};
    ASSERT_EQ(RunChild(ZEMBRA_COMMAND_PROBE, args, 60).Status, 0);

    // Sanitizers run several times slower and keep shadow memory besides.
    const double seconds = kSanitized ? 40 : 15;
    const long peakMiB = kSanitized ? 1536 : 512;
    const int kMutations = kSanitized ? 120 : 250;
    int failed = 0;
    for (int i = 0; i < kMutations; ++i) {
        std::mt19937 rng(7919u * unsigned(i) + 13u);
        const QByteArray damaged = Mutate(good, rng);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damaged);
        file.close();
        const TChildRun run = RunChild(ZEMBRA_COMMAND_PROBE, args, seconds, 1024);
        EXPECT_FALSE(run.TimedOut) << "mutation " << i << " ran past " << seconds << " s";
        EXPECT_EQ(run.Signal, 0) << "mutation " << i;
        EXPECT_TRUE(run.Status == 0 || run.Status == 1) << "mutation " << i << " status " << run.Status;
        EXPECT_LT(run.PeakKiB / 1024, peakMiB) << "mutation " << i;
        failed += run.Status == 1;
    }
    // Most mutations land in values the reader checks.
    EXPECT_GT(failed, kMutations / 4);
}
