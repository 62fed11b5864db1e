#include "platform/ScreenCastPortal.h"

#include "platform/ScreenGrab.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDBusVariant>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTimer>
#include <fcntl.h>

namespace {

const QString Desktop = QStringLiteral("org.freedesktop.portal.Desktop");
const QString DesktopPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString ScreenCast = QStringLiteral("org.freedesktop.portal.ScreenCast");
const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString SessionInterface = QStringLiteral("org.freedesktop.portal.Session");
constexpr int CallTimeout = 25000; // for the calls themselves, which return at once

constexpr uint32_t Monitor = 1;
constexpr uint32_t Window = 2;

[[noreturn]] void Fail(const QString& message)
{
    throw EScreenGrabError(message);
}

// An (ii) tuple of a stream's properties.
bool ReadPair(const QVariant& value, int& a, int& b)
{
    if (!value.canConvert<QDBusArgument>())
        return false;
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentType() != QDBusArgument::StructureType)
        return false;
    argument.beginStructure();
    argument >> a >> b;
    argument.endStructure();
    return true;
}

} // namespace

std::vector<TScreenCastStream> ParseScreenCastStreams(const QDBusArgument& streams)
{
    std::vector<TScreenCastStream> result;
    if (streams.currentType() != QDBusArgument::ArrayType || streams.currentSignature() != QStringLiteral("a(ua{sv})"))
        return result;
    streams.beginArray();
    while (!streams.atEnd()) {
        TScreenCastStream stream;
        QVariantMap properties;
        streams.beginStructure();
        streams >> stream.NodeId >> properties;
        streams.endStructure();
        int a = 0;
        int b = 0;
        if (ReadPair(properties.value(QStringLiteral("position")), a, b))
            stream.Position = QPoint(a, b);
        if (ReadPair(properties.value(QStringLiteral("size")), a, b) && a > 0 && b > 0)
            stream.Size = QSize(a, b);
        stream.SourceType = properties.value(QStringLiteral("source_type")).toUInt();
        result.push_back(stream);
    }
    streams.endArray();
    return result;
}

QString PortalRequestPath(const QString& uniqueName, const QString& token)
{
    QString sender = uniqueName;
    if (sender.startsWith(QLatin1Char(':')))
        sender.remove(0, 1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

QString PortalResponseMessage(uint32_t response)
{
    if (response == 0)
        return {};
    return response == 1 ? QPortalRefused : QPortalFailed;
}

QString TScreenCastPortal::NewToken()
{
    // Unique on the connection across portal objects: the desktop keeps the
    // objects of a failed session for a while and refuses their paths again.
    return QStringLiteral("zembra_%1_%2").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')).arg(++Tokens);
}

TScreenCastPortal::TScreenCastPortal(QDBusConnection bus, int answerTimeout)
    : Bus(std::move(bus)), AnswerTimeout(answerTimeout)
{
}

TScreenCastPortal::~TScreenCastPortal()
{
    CloseSession();
}

uint32_t TScreenCastPortal::Property(const QString& name, uint32_t fallback) const
{
    QDBusMessage call = QDBusMessage::createMethodCall(Desktop, DesktopPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                       QStringLiteral("Get"));
    call << ScreenCast << name;
    const QDBusMessage reply = Bus.call(call, QDBus::Block, CallTimeout);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return fallback;
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toUInt();
}

std::vector<TScreenCastStream> TScreenCastPortal::Start()
{
    if (!Bus.isConnected())
        Fail(QNoPortal);
    // A desktop without the portal, or with a portal that cannot cast, answers
    // no version.
    if (Property(QStringLiteral("version"), 0) == 0)
        Fail(QNoPortal);
    const uint32_t available = Property(QStringLiteral("AvailableSourceTypes"), Monitor);
    const uint32_t types = (available & (Monitor | Window)) ? (available & (Monitor | Window)) : Monitor;

    const QString sessionToken = NewToken();
    const QVariantMap created =
        Request(QStringLiteral("CreateSession"), {}, {{QStringLiteral("session_handle_token"), sessionToken}}, CallTimeout);
    // The interface says string; some portals send an object path.
    const QVariant handle = created.value(QStringLiteral("session_handle"));
    SessionPath = handle.userType() == qMetaTypeId<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path()
                                                                       : handle.toString();
    if (SessionPath.isEmpty())
        Fail(QPortalFailed);
    Bus.connect(Desktop, SessionPath, SessionInterface, QStringLiteral("Closed"), this,
                SLOT(SessionClosed(QVariantMap)));
    const QDBusObjectPath session(SessionPath);

    Request(QStringLiteral("SelectSources"), {QVariant::fromValue(session)},
            {{QStringLiteral("types"), types}, {QStringLiteral("multiple"), false}}, CallTimeout);
    const QVariantMap started =
        Request(QStringLiteral("Start"), {QVariant::fromValue(session), QString()}, {}, AnswerTimeout);
    const QVariant streams = started.value(QStringLiteral("streams"));
    std::vector<TScreenCastStream> result;
    if (streams.canConvert<QDBusArgument>())
        result = ParseScreenCastStreams(streams.value<QDBusArgument>());
    if (result.empty())
        Fail(QPortalRefused); // the user shared nothing
    return result;
}

int TScreenCastPortal::OpenPipeWireRemote()
{
    if (SessionPath.isEmpty() || FClosed)
        Fail(QPortalFailed);
    QDBusMessage call = QDBusMessage::createMethodCall(Desktop, DesktopPath, ScreenCast, QStringLiteral("OpenPipeWireRemote"));
    call << QVariant::fromValue(QDBusObjectPath(SessionPath)) << QVariantMap();
    const QDBusMessage reply = Bus.call(call, QDBus::Block, CallTimeout);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        Fail(QPortalFailed);
    const auto descriptor = reply.arguments().constFirst().value<QDBusUnixFileDescriptor>();
    if (!descriptor.isValid())
        Fail(QPortalFailed);
    const int fd = fcntl(descriptor.fileDescriptor(), F_DUPFD_CLOEXEC, 3);
    if (fd < 0)
        Fail(QPortalFailed);
    return fd;
}

QVariantMap TScreenCastPortal::Request(const QString& method, QVariantList args, QVariantMap options, int timeout)
{
    const QString token = NewToken();
    options.insert(QStringLiteral("handle_token"), token);
    QString path = PortalRequestPath(Bus.baseService(), token);
    // Listening before the call: the answer may come before the call returns.
    FAnswered = false;
    Bus.connect(Desktop, path, RequestInterface, QStringLiteral("Response"), this, SLOT(Response(uint, QVariantMap)));

    QDBusMessage call = QDBusMessage::createMethodCall(Desktop, DesktopPath, ScreenCast, method);
    args.append(options);
    call.setArguments(args);
    const QDBusMessage reply = Bus.call(call, QDBus::Block, CallTimeout);
    const auto stopListening = [&] {
        Bus.disconnect(Desktop, path, RequestInterface, QStringLiteral("Response"), this,
                       SLOT(Response(uint, QVariantMap)));
    };
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        stopListening();
        const QString error = reply.errorName();
        Fail(error == QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown")
                     || error == QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod")
                     || error == QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface")
                 ? QNoPortal
                 : QPortalFailed);
    }
    // Portals older than handle tokens choose their own path.
    const QString answered = reply.arguments().constFirst().value<QDBusObjectPath>().path();
    if (!answered.isEmpty() && answered != path && !FAnswered) {
        stopListening();
        path = answered;
        Bus.connect(Desktop, path, RequestInterface, QStringLiteral("Response"), this,
                    SLOT(Response(uint, QVariantMap)));
    }
    if (!FAnswered && !FClosed) {
        QEventLoop wait;
        QTimer::singleShot(timeout, &wait, &QEventLoop::quit);
        FWait = &wait;
        wait.exec();
        FWait = nullptr;
    }
    stopListening();
    if (!FAnswered) {
        Bus.send(QDBusMessage::createMethodCall(Desktop, path, RequestInterface, QStringLiteral("Close")));
        Fail(FClosed ? QPortalRefused : QPortalTimeout);
    }
    if (FResponse != 0)
        Fail(PortalResponseMessage(FResponse));
    return FResults;
}

void TScreenCastPortal::Response(uint response, const QVariantMap& results)
{
    FAnswered = true;
    FResponse = response;
    FResults = results;
    if (FWait)
        FWait->quit();
}

void TScreenCastPortal::SessionClosed(const QVariantMap&)
{
    FClosed = true;
    if (FWait)
        FWait->quit();
}

void TScreenCastPortal::CloseSession()
{
    if (SessionPath.isEmpty() || FClosed)
        return;
    Bus.send(QDBusMessage::createMethodCall(Desktop, SessionPath, SessionInterface, QStringLiteral("Close")));
    FClosed = true;
}
