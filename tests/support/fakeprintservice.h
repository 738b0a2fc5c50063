#pragma once

#include <QByteArray>
#include <QList>
#include <atomic>
#include <mutex>
#include <thread>

// A TCP socket listening on 127.0.0.1 at a port the system chose, or -1; `port` is set to that port.
int listenOnLoopback(int& port);

// A print service on 127.0.0.1 that answers every Print-Job request with the same bytes and every
// other request with a short "successful-ok" saying the printer takes jobs, or every request with
// the same bytes. It counts the requests it read whole and keeps the last Print-Job request.
class FakePrintService {
public:
    enum class Then { KeepOpen, Close };
    enum class Answers { JobOnly, Every };
    explicit FakePrintService(QByteArray jobReply, Then then = Then::KeepOpen,
                              Answers answers = Answers::JobOnly);
    ~FakePrintService();
    FakePrintService(const FakePrintService&) = delete;
    FakePrintService& operator=(const FakePrintService&) = delete;

    int port() const { return port_; }
    int requests() const { return requests_; }
    QByteArray lastJobRequest();
    // Makes the calling thread's libcups ask this service.
    void useOnThisThread() const;

private:
    void serve(int connection);

    QByteArray jobReply_;
    Then then_;
    Answers answers_;
    int listening_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_ = false;
    std::atomic<int> requests_ = 0;
    std::mutex mutex_;
    QByteArray lastJob_;
    std::thread taker_;
};

// Bytes of IPP answers, made by hand so that they can be wrong.
namespace ipp {
// The header of an answer with `status`, and its operation group's charset and language.
QByteArray answer(quint16 status);
QByteArray attribute(char tag, const QByteArray& name, const QByteArray& value);
QByteArray integer(const QByteArray& name, qint32 value);
QByteArray end();
// An HTTP 200 carrying `body`, its length said to be `length` (the body's own when negative).
QByteArray httpOk(const QByteArray& body, qsizetype length = -1);
} // namespace ipp
