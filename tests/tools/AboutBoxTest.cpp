// "About Zembra" names the program, its version, its licence and the
// libraries it runs on with their versions.
#include "platform/BuildInfo.h"
#include "tools/AboutBox.h"

#include <QLabel>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

TEST(AboutBoxTest, ShowsVersionLicenceAndLibraries)
{
    TAboutBox box(nullptr);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About Zembra"));
    auto text = [&](const char* name) {
        auto* label = box.findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_NE(label, nullptr) << name;
        return label ? label->text() : QString();
    };
    EXPECT_EQ(text("ProductName"), QStringLiteral("Zembra"));
    EXPECT_EQ(text("VersionLabel"), QStringLiteral("Version " ZEMBRA_VERSION));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$")).match(text("VersionLabel")).hasMatch());
    EXPECT_TRUE(text("LicenceLabel").contains(QStringLiteral("GPL-3.0-or-later")));

    const QString libraries = text("LibrariesLabel");
    EXPECT_TRUE(libraries.contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion()))) << libraries.toStdString();
    EXPECT_TRUE(libraries.contains(QStringLiteral("libpng ") + QString::fromLatin1(png_get_libpng_ver(nullptr))));
    EXPECT_TRUE(libraries.contains(QStringLiteral("zlib ") + QString::fromLatin1(zlibVersion())));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("libjpeg-turbo \\d+\\.\\d+\\.\\d+")).match(libraries).hasMatch())
        << libraries.toStdString();
}
