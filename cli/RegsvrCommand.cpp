#include "cli/RegsvrCommand.h"

#include "cli/Usage.h"

#include "com/ComTypes.h"
#include "com/ServerRegistry.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <dlfcn.h>

namespace {

int Fail(const QString& message)
{
    std::fputs(message.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
    return 1;
}

} // namespace

int RunRegsvrCommand(const QStringList& args)
{
    bool unregister = false;
    QString library;
    for (const QString& arg : args) {
        if (arg == QStringLiteral("-u") || arg == QStringLiteral("/u"))
            unregister = true;
        else if (library.isEmpty() && !arg.startsWith(QLatin1Char('-')))
            library = arg;
        else if (LooksLikeOption(arg))
            return ReportUnknownOption(QStringLiteral("regsvr"), arg, CommandSynopsis(TCommand::Regsvr));
        else
            return Fail(QStringLiteral("unexpected argument %1\n%2").arg(arg, CommandSynopsis(TCommand::Regsvr)));
    }
    if (library.isEmpty())
        return Fail(CommandSynopsis(TCommand::Regsvr));

    // A bare name would be searched for on the library path: take it as a file.
    const QByteArray path = QFile::encodeName(QFileInfo(library).absoluteFilePath());
    void* handle = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return Fail(QStringLiteral("LoadLibrary(\"%1\") failed: %2").arg(library, QString::fromLocal8Bit(dlerror())));
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto function = reinterpret_cast<LPFNREGISTERSERVER>(dlsym(handle, entry));
    if (!function) {
        dlclose(handle);
        return Fail(QStringLiteral("%1 was loaded, but the %2 entry point was not found.")
                        .arg(library, QString::fromLatin1(entry)));
    }
    const HRESULT hr = function();
    dlclose(handle);
    const QString registry = QString::fromStdString(com::TServerRegistry::DefaultFileName().string());
    if (FAILED(hr))
        return Fail(QStringLiteral("%1 in %2 failed with code 0x%3 (registration file %4).")
                        .arg(QString::fromLatin1(entry), library)
                        .arg(uint32_t(hr), 8, 16, QLatin1Char('0'))
                        .arg(registry));
    std::printf("%s in %s succeeded (registration file %s).\n", entry, library.toUtf8().constData(),
                registry.toUtf8().constData());
    return 0;
}
