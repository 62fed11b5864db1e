#include "tests/support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <vector>

QString TestOutputDir(const QString& subFolder)
{
    QString base = qEnvironmentVariable("ZEMBRA_TEST_OUTPUT");
    if (base.isEmpty())
        base = QStringLiteral(ZEMBRA_DEFAULT_TEST_OUTPUT);
    const QString path = subFolder.isEmpty() ? base : base + "/" + subFolder;
    QDir().mkpath(path);
    return path;
}

QString SourceDir()
{
    const QString dir = qEnvironmentVariable("ZEMBRA_SOURCE_DIR");
    return dir.isEmpty() ? QStringLiteral(ZEMBRA_DEFAULT_SOURCE_DIR) : dir;
}

QString CorpusDir()
{
    return SourceDir() + "/tests/data/corpus";
}

QString TempDir()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    dirs.push_back(std::make_unique<QTemporaryDir>());
    return dirs.back()->path();
}
