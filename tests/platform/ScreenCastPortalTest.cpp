// The screen-cast portal client against a portal of the test's own on a
// private D-Bus daemon: the request and response exchange, the streams of
// Start's answer, refusal, a missing portal, a portal that never answers and a
// session the desktop closes.
#include "platform/ScreenCastPortal.h"
#include "platform/ScreenGrab.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <unistd.h>

struct TFakePair {
    int A = 0;
    int B = 0;
};
struct TFakeStream {
    uint NodeId = 0;
    QVariantMap Properties;
};
Q_DECLARE_METATYPE(TFakePair)
Q_DECLARE_METATYPE(TFakeStream)

QDBusArgument& operator<<(QDBusArgument& out, const TFakePair& pair)
{
    out.beginStructure();
    out << pair.A << pair.B;
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, TFakePair& pair)
{
    in.beginStructure();
    in >> pair.A >> pair.B;
    in.endStructure();
    return in;
}
QDBusArgument& operator<<(QDBusArgument& out, const TFakeStream& stream)
{
    out.beginStructure();
    out << stream.NodeId << stream.Properties;
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, TFakeStream& stream)
{
    in.beginStructure();
    in >> stream.NodeId >> stream.Properties;
    in.endStructure();
    return in;
}

// A screen-cast portal that shares node 42, 640 x 480 at (10, 20), or answers
// Start with `StartResponse`, or not at all.
class TFakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.ScreenCast")
    Q_PROPERTY(uint version READ version)
    Q_PROPERTY(uint AvailableSourceTypes READ AvailableSourceTypes)
public:
    explicit TFakePortal(QDBusConnection bus) : Bus(std::move(bus)) {}
    uint version() const { return 4; }
    uint AvailableSourceTypes() const { return 1; }

    std::atomic<int> StartResponse = 0; // -1: never answer
    QString Session;

public Q_SLOTS:
    QDBusObjectPath CreateSession(const QVariantMap& options, const QDBusMessage& call)
    {
        QString sender = call.service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
        Session = QStringLiteral("/org/freedesktop/portal/desktop/session/%1/%2")
                      .arg(sender, options.value(QStringLiteral("session_handle_token")).toString());
        return Answer(call, options, 0, {{QStringLiteral("session_handle"), Session}});
    }
    QDBusObjectPath SelectSources(const QDBusObjectPath&, const QVariantMap& options, const QDBusMessage& call)
    {
        return Answer(call, options, options.value(QStringLiteral("types")).toUInt() == 1 ? 0 : 2, {});
    }
    QDBusObjectPath Start(const QDBusObjectPath&, const QString&, const QVariantMap& options, const QDBusMessage& call)
    {
        TFakeStream stream{42,
                           {{QStringLiteral("position"), QVariant::fromValue(TFakePair{10, 20})},
                            {QStringLiteral("size"), QVariant::fromValue(TFakePair{640, 480})},
                            {QStringLiteral("source_type"), 1u}}};
        return Answer(call, options, StartResponse,
                      {{QStringLiteral("streams"), QVariant::fromValue(QList<TFakeStream>{stream})}});
    }
    QDBusUnixFileDescriptor OpenPipeWireRemote(const QDBusObjectPath&, const QVariantMap&)
    {
        return QDBusUnixFileDescriptor(STDIN_FILENO);
    }
    void CloseSession()
    {
        Bus.send(QDBusMessage::createSignal(Session, QStringLiteral("org.freedesktop.portal.Session"),
                                            QStringLiteral("Closed"))
                 << QVariantMap());
    }

private:
    QDBusObjectPath Answer(const QDBusMessage& call, const QVariantMap& options, int response, const QVariantMap& results)
    {
        const QString path =
            PortalRequestPath(call.service(), options.value(QStringLiteral("handle_token")).toString());
        if (response >= 0)
            Bus.send(QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"),
                                                QStringLiteral("Response"))
                     << uint(response) << results);
        return QDBusObjectPath(path);
    }
    QDBusConnection Bus;
};

class ScreenCastPortalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qDBusRegisterMetaType<TFakePair>();
        qDBusRegisterMetaType<TFakeStream>();
        qDBusRegisterMetaType<QList<TFakeStream>>();
        // A bus of our own that starts no services.
        const QString config = TempDir() + QStringLiteral("/bus.conf");
        QFile file(config);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</auth>"
                   "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                   "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>");
        file.close();
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--nofork"), QStringLiteral("--print-address=1"),
                      QStringLiteral("--config-file=") + config});
        if (!daemon.waitForStarted(5000))
            GTEST_SKIP() << "dbus-daemon is not installed";
        ASSERT_TRUE(daemon.waitForReadyRead(5000));
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        ASSERT_FALSE(address.isEmpty());
    }

    void TearDown() override
    {
        if (portal) {
            QMetaObject::invokeMethod(portal, [this] { delete portal; }, Qt::BlockingQueuedConnection);
            QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
        }
        thread.quit();
        thread.wait();
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        daemon.terminate();
        daemon.waitForFinished(5000);
    }

    // The portal serves its calls on a thread of its own, as a separate
    // process would, while the client waits on this one.
    void StartPortal(int startResponse)
    {
        QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("portal"));
        ASSERT_TRUE(bus.isConnected());
        thread.start();
        portal = new TFakePortal(bus);
        portal->StartResponse = startResponse;
        portal->moveToThread(&thread);
        ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), portal,
                                       QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
        ASSERT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
    }

    QDBusConnection Client() { return QDBusConnection::connectToBus(address, QStringLiteral("client")); }

    static QString Failure(TScreenCastPortal& client)
    {
        try {
            client.Start();
        } catch (const EScreenGrabError& error) {
            return QString::fromUtf8(error.what());
        }
        return QStringLiteral("no failure");
    }

    QProcess daemon;
    QString address;
    QThread thread;
    TFakePortal* portal = nullptr;
};

TEST_F(ScreenCastPortalTest, ASharedScreenGivesItsStreamAndPipeWireConnection)
{
    StartPortal(0);
    TScreenCastPortal client(Client(), 5000);
    const std::vector<TScreenCastStream> streams = client.Start();
    ASSERT_EQ(streams.size(), 1u);
    EXPECT_EQ(streams[0].NodeId, 42u);
    EXPECT_EQ(streams[0].Position, QPoint(10, 20));
    EXPECT_EQ(streams[0].Size, QSize(640, 480));
    EXPECT_EQ(streams[0].SourceType, 1u);
    const int fd = client.OpenPipeWireRemote();
    EXPECT_GT(fd, 2);
    close(fd);

    EXPECT_FALSE(client.Closed());
    QMetaObject::invokeMethod(portal, [this] { portal->CloseSession(); }, Qt::BlockingQueuedConnection);
    for (int i = 0; i < 200 && !client.Closed(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    EXPECT_TRUE(client.Closed());
}

TEST_F(ScreenCastPortalTest, RefusalNoPortalAndNoAnswerEachSaySo)
{
    {
        TScreenCastPortal client(Client(), 5000);
        EXPECT_EQ(Failure(client), QNoPortal); // nobody owns the portal's name
    }
    StartPortal(1);
    {
        TScreenCastPortal client(Client(), 5000);
        EXPECT_EQ(Failure(client), QPortalRefused);
    }
    portal->StartResponse = 2;
    {
        TScreenCastPortal client(Client(), 5000);
        EXPECT_EQ(Failure(client), QPortalFailed);
    }
    portal->StartResponse = -1;
    {
        TScreenCastPortal client(Client(), 300);
        EXPECT_EQ(Failure(client), QPortalTimeout);
    }
}

TEST(PortalRequestPathTest, TheSenderNameBecomesOnePathElement)
{
    EXPECT_EQ(PortalRequestPath(QStringLiteral(":1.42"), QStringLiteral("zembra3")),
              QStringLiteral("/org/freedesktop/portal/desktop/request/1_42/zembra3"));
    EXPECT_EQ(PortalResponseMessage(0), QString());
    EXPECT_EQ(PortalResponseMessage(1), QPortalRefused);
    EXPECT_EQ(PortalResponseMessage(2), QPortalFailed);
}

#include "ScreenCastPortalTest.moc"
