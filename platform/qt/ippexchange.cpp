#include "platform/qt/ippexchange.h"

#include <QFile>
#include <QScopeGuard>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cups/cups.h>
#include <mutex>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

void IppDelete::operator()(ipp_t* ipp) const {
    ippDelete(ipp);
}

namespace {

const char* refusePassword(const char*, http_t*, const char*, const char*, void* asked) {
    if (asked != nullptr)
        *static_cast<bool*>(asked) = true;
    return nullptr;
}

int stopWaiting(http_t*, void* silent) {
    *static_cast<bool*>(silent) = true;
    return 0;
}

// A connection to the calling thread's server, cut off when the exchange outlasts its bound: a
// watchdog shuts its socket down through a duplicate of its own, so that no descriptor the
// connection may have given back is touched.
class BoundedConnection {
public:
    explicit BoundedConnection(const ExchangeBounds& bounds) {
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             bounds.silenceSeconds * 1000, nullptr);
        if (http_ == nullptr)
            return;
        httpSetTimeout(http_, bounds.silenceSeconds, stopWaiting, &silent_);
        watched_ = ::dup(httpGetFd(http_));
        watchdog_ = std::thread([this, total = bounds.totalSeconds] {
            std::unique_lock lock(mutex_);
            if (!ended_.wait_for(lock, std::chrono::seconds(total), [this] { return done_; })) {
                overran_ = true;
                if (watched_ >= 0)
                    ::shutdown(watched_, SHUT_RDWR);
            }
        });
    }
    ~BoundedConnection() {
        if (watchdog_.joinable()) {
            {
                const std::lock_guard lock(mutex_);
                done_ = true;
            }
            ended_.notify_all();
            watchdog_.join();
        }
        if (watched_ >= 0)
            ::close(watched_);
        httpClose(http_);
    }
    BoundedConnection(const BoundedConnection&) = delete;
    BoundedConnection& operator=(const BoundedConnection&) = delete;

    http_t* http() const { return http_; }
    bool silent() const { return silent_; }
    bool overran() const { return overran_; }

private:
    http_t* http_ = nullptr;
    bool silent_ = false;
    int watched_ = -1;
    std::atomic<bool> overran_ = false;
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    std::thread watchdog_;
};

// Reads the answer's bytes for ippReadIO, which takes a short count as the end of the answer.
struct AnswerReader {
    http_t* http = nullptr;
    qint64 left = kMostAnswerBytes;
    bool tooLong = false;

    static ssize_t read(void* self, ipp_uchar_t* buffer, size_t bytes) {
        auto& reader = *static_cast<AnswerReader*>(self);
        if (qint64(bytes) > reader.left) {
            reader.tooLong = true;
            return -1;
        }
        size_t got = 0;
        while (got < bytes) {
            const ssize_t now = httpRead2(reader.http, reinterpret_cast<char*>(buffer) + got, bytes - got);
            if (now <= 0)
                break;
            got += size_t(now);
        }
        reader.left -= qint64(got);
        return ssize_t(got);
    }
};

QString httpFault(http_status_t status) {
    const QString code =
        QStringLiteral("HTTP %1 %2").arg(int(status)).arg(QString::fromUtf8(httpStatus(status)));
    if (status == HTTP_STATUS_UNAUTHORIZED || status == HTTP_STATUS_CUPS_AUTHORIZATION_CANCELED)
        return QStringLiteral(
            "the print service asks for a user name and password (HTTP 401), and Orbalin gives "
            "none. Let this user print without a password on the print service.");
    if (status >= HTTP_STATUS_MULTIPLE_CHOICES && status < HTTP_STATUS_BAD_REQUEST)
        return QStringLiteral(
                   "the print service sent the request to another address (%1), and Orbalin follows "
                   "no such redirect.")
            .arg(code);
    if (status >= HTTP_STATUS_OK && status < HTTP_STATUS_MULTIPLE_CHOICES)
        return QStringLiteral("the print service answered with nothing (%1).").arg(code);
    return QStringLiteral("the print service answered with an error (%1).").arg(code);
}

// What the service did when the connection gave no answer.
QString brokenFault(const BoundedConnection& connection, const ExchangeBounds& bounds, bool answerBegun) {
    if (connection.overran())
        return QStringLiteral("the print service kept the request going for more than %1 seconds without "
                              "finishing its answer.")
            .arg(bounds.totalSeconds);
    if (connection.silent())
        return QStringLiteral("the print service stopped answering (no reply within %1 seconds).")
            .arg(bounds.silenceSeconds);
    if (answerBegun)
        return QStringLiteral("the print service's answer breaks off or is not one a print service gives.");
    return QStringLiteral("the print service closed the connection without answering.");
}

} // namespace

void refusePasswordsOnThisThread() {
    cupsSetPasswordCB2(refusePassword, nullptr);
}

IppAnswer exchangeIpp(IppMessage request, const QByteArray& resource, const QString& file,
                      const ExchangeBounds& bounds) {
    BoundedConnection connection(bounds);
    http_t* http = connection.http();
    if (http == nullptr)
        return {nullptr, QStringLiteral("the print service does not answer: it cannot be reached (%1).")
                             .arg(QString::fromUtf8(cupsLastErrorString()))};
    QFile data(file);
    if (!file.isEmpty() && !data.open(QIODevice::ReadOnly))
        return {nullptr, QStringLiteral("the job's file cannot be read (%1).").arg(data.errorString())};

    bool passwordAsked = false;
    cupsSetPasswordCB2(refusePassword, &passwordAsked);
    const auto restore = qScopeGuard([] { refusePasswordsOnThisThread(); });
    const auto fault = [&](const QString& text) {
        if (passwordAsked)
            return IppAnswer{nullptr, httpFault(HTTP_STATUS_UNAUTHORIZED)};
        return IppAnswer{nullptr, text, connection.silent() || connection.overran()};
    };

    const size_t length = ippLength(request.get()) + size_t(data.isOpen() ? data.size() : 0);
    // cupsSendRequest reads no more than the status line of an early answer; cupsWriteRequestData
    // reads an early answer's whole header.
    http_status_t status = cupsSendRequest(http, request.get(), resource.constData(), length);
    bool headerRead = false;
    char buffer[32768];
    while (status == HTTP_STATUS_CONTINUE && data.isOpen() && !data.atEnd()) {
        const qint64 got = data.read(buffer, sizeof buffer);
        if (got <= 0)
            return fault(QStringLiteral("the job's file cannot be read (%1).").arg(data.errorString()));
        status = cupsWriteRequestData(http, buffer, size_t(got));
        headerRead = status != HTTP_STATUS_CONTINUE;
    }
    if (status == HTTP_STATUS_CONTINUE || (status == HTTP_STATUS_OK && !headerRead)) {
        if (httpGetState(http) == HTTP_STATE_POST_RECV && httpWrite2(http, "", 0) < 0)
            return fault(brokenFault(connection, bounds, false));
        // httpUpdate answers "continue" at once, without reading, once the connection is idle.
        do
            status = httpUpdate(http);
        while (status == HTTP_STATUS_CONTINUE && httpGetState(http) != HTTP_STATE_WAITING);
        if (status == HTTP_STATUS_CONTINUE)
            status = HTTP_STATUS_ERROR;
    }
    if (status == HTTP_STATUS_ERROR)
        return fault(brokenFault(connection, bounds, false));
    if (status != HTTP_STATUS_OK)
        return fault(httpFault(status));

    IppMessage response(ippNew());
    AnswerReader reader{http};
    const ipp_state_t state = ippReadIO(&reader, &AnswerReader::read, 1, nullptr, response.get());
    if (reader.tooLong)
        return fault(QStringLiteral("the print service's answer is longer than %1 MB, far more than a print "
                                    "service sends.")
                         .arg(kMostAnswerBytes >> 20));
    if (state != IPP_STATE_DATA)
        return fault(brokenFault(connection, bounds, true));
    return {std::move(response), {}};
}

QString statusOf(ipp_t* response) {
    ipp_attribute_t* message = ippFindAttribute(response, "status-message", IPP_TAG_TEXT);
    QString text = message != nullptr ? QString::fromUtf8(ippGetString(message, 0, nullptr)) : QString();
    text = text.simplified();
    for (QChar& c : text)
        if (!c.isPrint())
            c = QLatin1Char('?');
    constexpr int kMostCharacters = 160;
    if (text.size() > kMostCharacters)
        text = text.left(kMostCharacters) + QStringLiteral("...");
    const QString name = QString::fromUtf8(ippErrorString(ippGetStatusCode(response)));
    return text.isEmpty() ? name : QStringLiteral("%1, %2").arg(text, name);
}
