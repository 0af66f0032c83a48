#pragma once

#include "support/scoped_env.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace infotest {

/// An update server on 127.0.0.1 that MALVOREN_UPDATE_URL names while it lives. It answers
/// every request with `body` (status 200), or, when told to stay silent, answers nothing and
/// runs `onSilentRequest` instead (a test moves the timers there, inside the request's wait).
class UpdateServer {
public:
    explicit UpdateServer(std::string body)
        : m_body(std::move(body)) {
        EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost, 0));
        m_env = std::make_unique<ScopedEnv>(
            "MALVOREN_UPDATE_URL", "http://127.0.0.1:" + std::to_string(m_server.serverPort()));
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            auto request = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
                *request += socket->readAll();
                const qsizetype end = request->indexOf("\r\n\r\n");
                if (end < 0)
                    return;
                requests.push_back(request->left(request->indexOf("\r\n")).toStdString());
                request->clear();
                if (silent) {
                    if (onSilentRequest)
                        onSilentRequest();
                    return;
                }
                const QByteArray body = QByteArray::fromStdString(m_body);
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                              QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" +
                              body);
                socket->disconnectFromHost();
            });
        });
    }

    /// The request line of every request, in order ("GET /path HTTP/1.1").
    std::vector<std::string> requests;
    bool silent = false;
    std::function<void()> onSilentRequest;

private:
    QTcpServer m_server;
    std::string m_body;
    std::unique_ptr<ScopedEnv> m_env;
};

}  // namespace infotest
