#include "support/fakeprintservice.h"

#include <arpa/inet.h>
#include <cups/cups.h>
#include <functional>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Reads into `buffer` until it holds `size` bytes; false when the client closed or the service stops.
bool readUntil(int connection, QByteArray& buffer, const std::function<bool()>& enough,
               const std::atomic<bool>& stopping) {
    char chunk[65536];
    while (!enough()) {
        pollfd wait{connection, POLLIN, 0};
        if (stopping)
            return false;
        if (::poll(&wait, 1, 50) <= 0)
            continue;
        const ssize_t got = ::recv(connection, chunk, sizeof chunk, 0);
        if (got <= 0)
            return false;
        buffer.append(chunk, got);
    }
    return true;
}

bool sendAll(int connection, const QByteArray& bytes) {
    return bytes.isEmpty() ||
           ::send(connection, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL) == bytes.size();
}

} // namespace

int listenOnLoopback(int& port) {
    const int listening = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (listening < 0 || ::bind(listening, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listening, 16) != 0 ||
        ::getsockname(listening, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listening >= 0)
            ::close(listening);
        return -1;
    }
    port = ntohs(address.sin_port);
    return listening;
}

FakePrintService::FakePrintService(QByteArray jobReply, Then then, Answers answers)
    : jobReply_(std::move(jobReply)), then_(then), answers_(answers) {
    listening_ = listenOnLoopback(port_);
    if (listening_ < 0)
        return;
    taker_ = std::thread([this] {
        while (!stopping_) {
            pollfd wait{listening_, POLLIN, 0};
            if (::poll(&wait, 1, 50) <= 0)
                continue;
            const int connection = ::accept(listening_, nullptr, nullptr);
            if (connection < 0)
                continue;
            serve(connection);
            ::close(connection);
        }
    });
}

FakePrintService::~FakePrintService() {
    stopping_ = true;
    if (taker_.joinable())
        taker_.join();
    ::close(listening_);
}

QByteArray FakePrintService::lastJobRequest() {
    const std::lock_guard lock(mutex_);
    return lastJob_;
}

void FakePrintService::useOnThisThread() const {
    cupsSetServer(QByteArray("127.0.0.1:" + QByteArray::number(port_)).constData());
}

// One request after another on the connection, until the client closes it.
void FakePrintService::serve(int connection) {
    QByteArray buffer;
    for (;;) {
        qsizetype headerEnd = -1;
        if (!readUntil(
                connection, buffer, [&] { return (headerEnd = buffer.indexOf("\r\n\r\n")) >= 0; }, stopping_))
            return;
        const QByteArray header = buffer.left(headerEnd).toLower();
        const qsizetype field = header.indexOf("content-length:");
        const qsizetype length =
            field < 0
                ? 0
                : header.mid(field + 15, header.indexOf('\r', field) - field - 15).trimmed().toLongLong();
        if (header.contains("expect: 100-continue") && !sendAll(connection, "HTTP/1.1 100 Continue\r\n\r\n"))
            return;
        const qsizetype total = headerEnd + 4 + length;
        if (!readUntil(
                connection, buffer, [&] { return buffer.size() >= total; }, stopping_))
            return;
        const QByteArray body = buffer.mid(headerEnd + 4, length);
        buffer.remove(0, total);
        ++requests_;
        const bool printJob = body.size() >= 4 && body[2] == 0 && body[3] == char(IPP_OP_PRINT_JOB);
        if (printJob) {
            const std::lock_guard lock(mutex_);
            lastJob_ = body;
        }
        if (printJob || answers_ == Answers::Every) {
            if (!sendAll(connection, jobReply_) || then_ == Then::Close)
                return;
            continue;
        }
        const QByteArray accepting =
            ipp::answer(0) + char(IPP_TAG_PRINTER) +
            ipp::attribute(char(IPP_TAG_BOOLEAN), "printer-is-accepting-jobs", "\1") + ipp::end();
        if (!sendAll(connection, ipp::httpOk(accepting)))
            return;
    }
}

namespace ipp {

QByteArray attribute(char tag, const QByteArray& name, const QByteArray& value) {
    QByteArray bytes(1, tag);
    bytes += char(name.size() >> 8), bytes += char(name.size()), bytes += name;
    bytes += char(value.size() >> 8), bytes += char(value.size()), bytes += value;
    return bytes;
}

QByteArray integer(const QByteArray& name, qint32 value) {
    const auto v = quint32(value);
    const char bytes[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    return attribute(char(IPP_TAG_INTEGER), name, QByteArray(bytes, 4));
}

QByteArray answer(quint16 status) {
    QByteArray bytes = QByteArray::fromHex("0200");
    bytes += char(status >> 8), bytes += char(status);
    bytes += QByteArray::fromHex("00000001") + char(IPP_TAG_OPERATION);
    bytes += attribute(char(IPP_TAG_CHARSET), "attributes-charset", "utf-8");
    bytes += attribute(char(IPP_TAG_LANGUAGE), "attributes-natural-language", "en");
    return bytes;
}

QByteArray end() {
    return QByteArray(1, char(IPP_TAG_END));
}

QByteArray httpOk(const QByteArray& body, qsizetype length) {
    return "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: " +
           QByteArray::number(length < 0 ? body.size() : length) + "\r\n\r\n" + body;
}

} // namespace ipp
