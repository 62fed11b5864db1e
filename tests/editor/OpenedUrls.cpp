#include "tests/editor/OpenedUrls.h"

#include <QDesktopServices>

TOpenedUrls::TOpenedUrls()
{
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open");
}

TOpenedUrls::~TOpenedUrls()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}
