#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

class QTcpSocket;

namespace core {

// Where the vendor's information server listens. DORPAK_INFO_SERVER may name
// another one as "host" or "host:port".
struct ServerAddress {
    QString host;
    quint16 port = 0;
};
inline constexpr quint16 InfoServerPort = 1965;
ServerAddress infoServerAddress();

// The exchange with the information server went wrong: unreachable,
// refused, a line too long, or closed before its end mark.
class InfoServerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The connection to the vendor's information server. It belongs to the main
// window and is reused by each query. Waiting for the server blocks the
// calling action, but the event loop keeps running meanwhile, so the windows
// repaint and take input.
class InfoServerConnection {
public:
    // The longest line the server may send, without its line end.
    static constexpr int MaxLineLength = 16384;

    InfoServerConnection();
    ~InfoServerConnection();
    InfoServerConnection(const InfoServerConnection&) = delete;
    InfoServerConnection& operator=(const InfoServerConnection&) = delete;

    bool isOpen() const;
    // Closes the connection; an exchange still waiting for the server then
    // ends quietly with the lines it has delivered.
    void close();

    // VERGETIR's exchange: connects (closing an open connection first), asks
    // for the notes of the product "DRP" in the given version, and hands
    // each line received to onLine until the line "@" ends the answer.
    // Throws InfoServerError; the lines received before stay delivered.
    void fetchNotes(const ServerAddress& server, const QString& version,
                    const std::function<void(const QString&)>& onLine);

private:
    // The next line; nothing when the exchange was abandoned meanwhile.
    std::optional<QString> readLine();
    void waitForSocket();
    [[noreturn]] void fail(const QString& why);

    std::unique_ptr<QTcpSocket> m_socket;
    QByteArray m_buffer;
    bool m_exchanging = false;
    bool m_abandoned = false;
};

} // namespace core
