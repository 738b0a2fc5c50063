#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <thread>
#include <utility>

// Every question to the print server is asked on a thread of its own, within a bound. Qt asks the
// server on the calling thread and libcups waits a minute for each answer of a server that took
// the connection but never replies, so a silent or half-answering server would freeze the window
// for minutes; and Qt hands a job over without telling whether the server took it.

constexpr int kPrintServiceWaitSeconds = 3;
// A job's data may take longer to send than a question: the wait is for the server's silence.
constexpr int kPrintJobSilenceSeconds = 10;

// The server the calling thread asks (libcups keeps it per thread), to ask it from another thread.
struct PrintServer {
    QByteArray name;
    int port = 0;
    int encryption = 0;

    static PrintServer ofThisThread();
    void useOnThisThread() const;
};

// Waits until `answered` is true or `waitMs` pass, with the wait cursor and the windows painted.
// After half a second a small window says the print service is being waited for, with Cancel,
// and the program answers input again. False when the wait ran out or the user cancelled.
bool waitForPrintService(const std::function<bool()>& answered, int waitMs);

// Asks `question` on a thread of its own, of the calling thread's print server; nullopt when no
// answer came within the wait. A thread left waiting ends by itself once its question gives up.
template <typename Answer>
std::optional<Answer> askPrintService(std::function<Answer()> question,
                                      int waitMs = kPrintServiceWaitSeconds * 1000) {
    auto task = std::make_shared<std::packaged_task<Answer()>>(
        [server = PrintServer::ofThisThread(), question = std::move(question)] {
            server.useOnThisThread();
            return question();
        });
    std::future<Answer> answer = task->get_future();
    std::thread([task] { (*task)(); }).detach();
    const auto ready = [&answer] {
        return answer.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready;
    };
    if (!waitForPrintService(ready, waitMs))
        return std::nullopt;
    return answer.get();
}

// The reason given when the print service does not answer within the wait.
QString printServiceSilence();

// What is wrong with the print service as the program's own single question finds it: silence, a
// redirect, an empty answer, a password, an answer that is not IPP; nullopt when it answers. Qt's
// questions go through libcups' request loop, which sends again without end after a redirect or an
// empty answer, so they are asked only of a service that passed this one.
std::optional<QString> printServiceFault();

// Why the server would not take a job for the printer now; nullopt when it would.
std::optional<QString> printServerRefusal(const QString& printerName);

using JobOptions = QList<std::pair<QByteArray, QByteArray>>;

// Hands a PDF file to the print server as a job for the printer, in one request that follows no
// redirect and is bounded in time, and removes the file. Nullopt when the server took the job and
// gave it a number, else what the server did instead.
std::optional<QString> submitPrintJob(const QString& printerName, const QString& pdfFile,
                                      const QString& title, const JobOptions& options);
