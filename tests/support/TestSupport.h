#pragma once
// Small helpers shared by the test suites.
#include <QString>
#include <string>

// Folder for pictures and files a test writes for a person to look at
// (ZEMBRA_TEST_OUTPUT, else test-output in the build folder). Created on demand.
QString TestOutputDir(const QString& subFolder = {});

// The repository's root folder (ZEMBRA_SOURCE_DIR, else the configured source folder).
QString SourceDir();

// The sample files kept in the repository (tests/data/corpus, see its README).
QString CorpusDir();

// A fresh empty temporary folder that lives until the process ends.
QString TempDir();
