#include "platform/qt/cupsstatus.h"

#include "platform/waitcursor.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <chrono>
#include <cups/cups.h>
#include <functional>
#include <future>
#include <memory>
#include <thread>

namespace {

constexpr int kWaitMs = kPrintServiceWaitSeconds * 1000;

QString lastErrorText() {
    return QString::fromUtf8(cupsLastErrorString());
}

// libcups keeps the server to ask per thread; a question on another thread asks the caller's.
struct PrintServer {
    QByteArray name = cupsServer();
    int port = ippPort();
    http_encryption_t encryption = cupsEncryption();
};

int stopWaiting(http_t*, void* timedOut) {
    *static_cast<bool*>(timedOut) = true;
    return 0;
}

// A connection to the server from the asking thread, whose every wait ends with the bound.
class Connection {
public:
    explicit Connection(const PrintServer& server) {
        cupsSetServer(server.name.constData());
        ippSetPort(server.port);
        cupsSetEncryption(server.encryption);
        http_ = httpConnect2(server.name.constData(), server.port, nullptr, AF_UNSPEC, server.encryption, 1,
                             kWaitMs, nullptr);
        if (http_ != nullptr)
            httpSetTimeout(http_, kPrintServiceWaitSeconds, stopWaiting, &timedOut_);
    }
    ~Connection() { httpClose(http_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Null when the connection failed: libcups then tries its own, to the same server.
    http_t* http() const { return http_; }

    // Asks the server a question that any server answers at once. False when it stayed silent
    // for the whole wait; libcups' own fallbacks would then keep the thread for minutes.
    bool answers() {
        if (http_ == nullptr)
            return true; // no server at all: refused at once
        ippDelete(cupsDoRequest(http_, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/"));
        return !timedOut_;
    }

private:
    http_t* http_ = nullptr;
    bool timedOut_ = false;
};

// Runs `question` on a thread of its own and waits at most the bound for its answer, painting the
// window meanwhile but taking no input. Nothing when no answer came in time; the thread then ends
// by itself once its connection gives up.
template <typename Answer> std::optional<Answer> askWithinWait(std::function<Answer()> question) {
    auto task = std::make_shared<std::packaged_task<Answer()>>(std::move(question));
    std::future<Answer> answer = task->get_future();
    std::thread([task] { (*task)(); }).detach();
    const WaitCursor wait;
    QElapsedTimer clock;
    clock.start();
    while (answer.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        if (clock.hasExpired(kWaitMs))
            return std::nullopt;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return answer.get();
}

std::optional<QString> refusalOf(const PrintServer& server, const QByteArray& printerName) {
    Connection connection(server);
    if (!connection.answers())
        return printServiceSilence();
    cups_dest_t* dest = cupsGetNamedDest(connection.http(), printerName.constData(), nullptr);
    if (dest == nullptr)
        return QStringLiteral("the print service does not answer or no longer knows the printer (%1).")
            .arg(lastErrorText());
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool refuses = accepting != nullptr && qstrcmp(accepting, "false") == 0;
    cupsFreeDests(1, dest);
    if (refuses)
        return QStringLiteral("the printer is not accepting jobs.");
    return std::nullopt;
}

} // namespace

bool printServiceSilent() {
    const PrintServer server;
    const std::optional<bool> answered =
        askWithinWait<bool>([server] { return Connection(server).answers(); });
    return !answered.value_or(false);
}

QString printServiceSilence() {
    return QStringLiteral("the print service does not answer (no reply within %1 seconds).")
        .arg(kPrintServiceWaitSeconds);
}

std::optional<QString> printServerRefusal(const QString& printerName) {
    const PrintServer server;
    const QByteArray name = printerName.toUtf8();
    const std::optional<std::optional<QString>> refusal =
        askWithinWait<std::optional<QString>>([server, name] { return refusalOf(server, name); });
    if (!refusal)
        return printServiceSilence();
    return *refusal;
}

std::optional<QString> printServerRefusedLastJob() {
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return std::nullopt;
    return lastErrorText();
}
