#include "platform/network/http_socket.h"

#include "platform/timer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QString>
#include <QUrl>

#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

// Where the tool looks for its update description unless MALVOREN_UPDATE_URL says otherwise.
// The ".invalid" domain never resolves, so a build without a real server finds no update.
constexpr const char* kDefaultUpdateServer = "http://updates.malvoren.invalid";

constexpr int kDefaultTimeoutSeconds = 60;
// Qt stops reading from the socket while this much waits unread, so a flood of bytes never
// piles up in memory beyond the cap plus one buffer.
constexpr qint64 kReadBufferBytes = 64 * 1024;

bool IsWebAddress(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

// Failures of the transfer itself (connection, proxy, cancellation), as opposed to an HTTP
// status that came with a body.
bool TransportFailed(QNetworkReply::NetworkError error) {
    return error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
}

}  // namespace

std::string HTTPSocket::Get(const std::string& address, int timeoutSeconds) {
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    if (!IsWebAddress(url) || !QCoreApplication::instance())
        return {};

    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager.get(request);
    reply->setReadBufferSize(kReadBufferBytes);

    QByteArray body;
    bool cut = false;
    bool timedOut = false;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        body += reply->readAll();
        if (static_cast<std::size_t>(body.size()) > kHttpBodyCap && !cut) {
            cut = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    Timer deadline;
    deadline.SetPeriod((timeoutSeconds > 0 ? timeoutSeconds : kDefaultTimeoutSeconds) * 1000);
    deadline.Action = [&] {
        timedOut = true;
        reply->abort();
    };
    deadline.SetMode(Timer::kModeSingle);

    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.SetMode(Timer::kModeOff);
    if (!cut && !timedOut)
        body += reply->readAll();
    const bool failed = cut || timedOut || TransportFailed(reply->error()) ||
                        static_cast<std::size_t>(body.size()) > kHttpBodyCap;
    reply->deleteLater();
    return failed ? std::string() : body.toStdString();
}

bool IsConnected() {
    const char* offline = std::getenv("MALVOREN_OFFLINE");
    return !(offline && std::strcmp(offline, "1") == 0);
}

std::string UpdateServerAddress() {
    const char* configured = std::getenv("MALVOREN_UPDATE_URL");
    std::string address = configured && *configured ? configured : kDefaultUpdateServer;
    while (!address.empty() && address.back() == '/')
        address.pop_back();
    return address;
}

std::string UpdateAddress(const std::string& path) {
    if (!path.empty() && path.front() != '/')
        return UpdateServerAddress() + "/" + path;
    return UpdateServerAddress() + path;
}

}  // namespace platform
