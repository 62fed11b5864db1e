// "zembra regsvr [-u] LIBRARY": the per-user registration it writes is what
// creating the control by its class identifier reads.
#include "aviwriter/control/ZembraAviWriterApi.h"
#include "cli/RegsvrCommand.h"
#include "com/Guid.h"
#include "com/InprocServer.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(RegsvrCommand, RegistersAndUnregistersTheControlForThisUser)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const QString config = TempDir();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    const QString library = QStringLiteral(ZEMBRA_AVIWRITER_LIBRARY);
    const std::string section = "CLSID " + com::GuidToString(CLSID_ZembraAviWriter);
    const std::string file = QDir(config).filePath(QStringLiteral("Zembra/ComServers.ini")).toStdString();

    testing::internal::CaptureStdout();
    EXPECT_EQ(RunRegsvrCommand({library}), 0);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("succeeded"), std::string::npos);
    const auto registered = com::TServerRegistry(file).Value(section, "InprocServer32");
    ASSERT_TRUE(registered.has_value());
    EXPECT_EQ(QString::fromStdString(*registered), QFileInfo(library).canonicalFilePath());
    // Created from the registered library (none lies beside the test program).
    EXPECT_NO_THROW(com::TInprocServer::Load(CLSID_ZembraAviWriter, "libZembraAviWriter.so")
                        .CreateInstance<IZembraAviWriter>(IID_IZembraAviWriter));

    testing::internal::CaptureStdout();
    EXPECT_EQ(RunRegsvrCommand({QStringLiteral("-u"), library}), 0);
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(com::TServerRegistry(file).Value(section, "InprocServer32").has_value());
    EXPECT_THROW(com::TInprocServer::Load(CLSID_ZembraAviWriter, "libZembraAviWriter.so"), com::EComError);

    testing::internal::CaptureStderr();
    EXPECT_EQ(RunRegsvrCommand({QDir(config).filePath(QStringLiteral("missing.so"))}), 1);
    EXPECT_EQ(RunRegsvrCommand({}), 1);
    testing::internal::GetCapturedStderr();
    qputenv("XDG_CONFIG_HOME", saved);
}
