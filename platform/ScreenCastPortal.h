#pragma once
// The desktop's screen-cast portal (org.freedesktop.portal.ScreenCast) on the
// D-Bus session bus. Each call makes a request object whose Response signal
// carries the answer; Start is where the desktop asks the user what to share.
// The session lives as long as this object, or until the desktop closes it.
#include <QDBusConnection>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QVariantMap>
#include <cstdint>
#include <vector>

class QDBusArgument;
class QEventLoop;

inline const QString QNoPortal = QStringLiteral(
    "This desktop offers no screen sharing: no screen-cast portal (xdg-desktop-portal) answers on the session bus");
inline const QString QPortalRefused = QStringLiteral("Screen sharing was refused or cancelled");
inline const QString QPortalFailed = QStringLiteral("The desktop could not share the screen");
inline const QString QPortalTimeout = QStringLiteral("The desktop did not answer the request to share the screen");

// One shared screen or window: a PipeWire node and, where the desktop says,
// its place and size in the desktop's coordinates.
struct TScreenCastStream {
    uint32_t NodeId = 0;
    QPoint Position;
    QSize Size;
    uint32_t SourceType = 0; // 1 monitor, 2 window, 4 virtual
};

// The streams of Start's answer (its "streams" result, a(ua{sv})).
std::vector<TScreenCastStream> ParseScreenCastStreams(const QDBusArgument& streams);

// The path of the request object a call makes for the connection `uniqueName`
// (":1.42") when given `token` as its handle_token.
QString PortalRequestPath(const QString& uniqueName, const QString& token);

// The text for a Response code: 0 none, 1 the user refused, else failure.
QString PortalResponseMessage(uint32_t response);

class TScreenCastPortal : public QObject {
    Q_OBJECT
public:
    // `answerTimeout` bounds the wait for the user's choice, in ms.
    explicit TScreenCastPortal(QDBusConnection bus = QDBusConnection::sessionBus(), int answerTimeout = 300000);
    ~TScreenCastPortal() override;

    // Creates the session, asks for one monitor or window, and starts it.
    // Raises EScreenGrabError with one of the texts above.
    std::vector<TScreenCastStream> Start();
    // A new descriptor of the session's PipeWire connection; the caller owns it.
    int OpenPipeWireRemote();
    // The desktop has ended the session (the user stopped sharing).
    bool Closed() const { return FClosed; }

private Q_SLOTS:
    void Response(uint response, const QVariantMap& results);
    void SessionClosed(const QVariantMap& details);

private:
    // Calls `method` with `args` and `options` (a handle_token is added) and
    // waits for its Response; returns its results or raises.
    QVariantMap Request(const QString& method, QVariantList args, QVariantMap options, int timeout);
    uint32_t Property(const QString& name, uint32_t fallback) const;
    void CloseSession();
    QString NewToken();

    QDBusConnection Bus;
    int AnswerTimeout;
    QString SessionPath;
    int Tokens = 0;
    bool FAnswered = false;
    uint32_t FResponse = 2;
    QVariantMap FResults;
    bool FClosed = false;
    QEventLoop* FWait = nullptr; // the wait for an answer, while it runs
};
