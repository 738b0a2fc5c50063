#include "platform/qt/cupsstatus.h"

#include "platform/waitcursor.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cups/cups.h>

namespace {

constexpr int kShowWaitWindowAfterMs = 500;
// The thread sending a job gives up after kPrintJobSilenceSeconds of silence on any one step; a
// slow but steady server is waited for this long in all.
constexpr int kJobWaitSeconds = 10 * kPrintJobSilenceSeconds;

QString lastErrorText() {
    return QString::fromUtf8(cupsLastErrorString());
}

int stopWaiting(http_t*, void* timedOut) {
    *static_cast<bool*>(timedOut) = true;
    return 0;
}

// A connection to the asking thread's server, whose every wait for the server ends after
// `silenceSeconds`.
class Connection {
public:
    explicit Connection(int silenceSeconds) {
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             silenceSeconds * 1000, nullptr);
        if (http_ != nullptr)
            httpSetTimeout(http_, silenceSeconds, stopWaiting, &timedOut_);
    }
    ~Connection() { httpClose(http_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    http_t* http() const { return http_; }
    bool timedOut() const { return timedOut_; }

private:
    http_t* http_ = nullptr;
    bool timedOut_ = false;
};

std::optional<QString> refusalOf(const QByteArray& printerName) {
    Connection connection(kPrintServiceWaitSeconds);
    cups_dest_t* dest = cupsGetNamedDest(connection.http(), printerName.constData(), nullptr);
    if (connection.timedOut()) {
        cupsFreeDests(dest != nullptr ? 1 : 0, dest);
        return printServiceSilence();
    }
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

// The job is sent as one Print-Job request on the bounded connection: libcups' own cupsPrintFile
// opens connections of its own, without the bound, once the first has timed out.
std::optional<QString> jobRefusal(const QByteArray& printerName, const QString& pdfFile, const QByteArray& title,
                                  const JobOptions& options) {
    Connection connection(kPrintJobSilenceSeconds);
    if (connection.http() == nullptr)
        return QStringLiteral("the print service cannot be reached (%1).").arg(lastErrorText());
    const QByteArray resource = "/printers/" + printerName;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     printerName.constData());
    ipp_t* request = ippNewRequest(IPP_OP_PRINT_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, "application/pdf");
    cups_option_t* cupsOptions = nullptr;
    int count = 0;
    for (const auto& [name, value] : options)
        count = cupsAddOption(name.constData(), value.constData(), count, &cupsOptions);
    cupsEncodeOptions2(request, count, cupsOptions, IPP_TAG_OPERATION);
    cupsEncodeOptions2(request, count, cupsOptions, IPP_TAG_JOB);
    cupsFreeOptions(count, cupsOptions);
    ipp_t* response = cupsDoFileRequest(connection.http(), request, resource.constData(),
                                        QFile::encodeName(pdfFile).constData());
    const int job = ippGetInteger(ippFindAttribute(response, "job-id", IPP_TAG_INTEGER), 0);
    ippDelete(response);
    if (job > 0 && cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return std::nullopt;
    if (connection.timedOut())
        return QStringLiteral("the print service stopped answering while the job was sent (no reply within %1 "
                              "seconds).")
            .arg(kPrintJobSilenceSeconds);
    // libcups leaves "successful-ok" behind when the connection broke without an IPP answer.
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return QStringLiteral("the print service closed the connection before it took the job.");
    return lastErrorText();
}

// Shown when a wait lasts: what the program waits for, and Cancel.
class WaitWindow : public QDialog {
public:
    explicit WaitWindow(QWidget* owner) : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
        setObjectName(QStringLiteral("PrintServiceWait"));
        setWindowTitle(QStringLiteral("Print service"));
        setWindowModality(Qt::ApplicationModal);
        auto* text = new QLabel(QStringLiteral("Waiting for the print service to answer..."), this);
        auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
        cancel->setObjectName(QStringLiteral("Button1"));
        cancel->setAccessibleName(QStringLiteral("Stop waiting for the print service"));
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(text);
        layout->addWidget(cancel, 0, Qt::AlignRight);
        connect(cancel, &QPushButton::clicked, this, [this] { cancelled = true; });
    }
    void reject() override { cancelled = true; }

    bool cancelled = false;
};

} // namespace

PrintServer PrintServer::ofThisThread() {
    return {cupsServer(), ippPort(), static_cast<int>(cupsEncryption())};
}

void PrintServer::useOnThisThread() const {
    cupsSetServer(name.constData());
    ippSetPort(port);
    cupsSetEncryption(static_cast<http_encryption_t>(encryption));
}

bool waitForPrintService(const std::function<bool()>& answered, int waitMs) {
    const WaitCursor cursor;
    std::unique_ptr<WaitWindow> window;
    QElapsedTimer clock;
    clock.start();
    while (!answered()) {
        if (clock.hasExpired(waitMs) || (window && window->cancelled))
            return false;
        if (!window && clock.hasExpired(kShowWaitWindowAfterMs) && qobject_cast<QApplication*>(qApp)) {
            window = std::make_unique<WaitWindow>(QApplication::activeWindow());
            window->show();
        }
        QCoreApplication::processEvents(window ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

QString printServiceSilence() {
    return QStringLiteral("the print service does not answer (no reply within %1 seconds).")
        .arg(kPrintServiceWaitSeconds);
}

std::optional<QString> printServerRefusal(const QString& printerName) {
    const QByteArray name = printerName.toUtf8();
    const auto refusal = askPrintService<std::optional<QString>>([name] { return refusalOf(name); });
    if (!refusal)
        return printServiceSilence();
    return *refusal;
}

std::optional<QString> submitPrintJob(const QString& printerName, const QString& pdfFile, const QString& title,
                                      const JobOptions& options) {
    const QByteArray name = printerName.toUtf8();
    const QByteArray titleBytes = title.toUtf8();
    const auto refusal = askPrintService<std::optional<QString>>(
        [=] {
            std::optional<QString> outcome = jobRefusal(name, pdfFile, titleBytes, options);
            QFile::remove(pdfFile);
            return outcome;
        },
        kJobWaitSeconds * 1000);
    if (!refusal)
        return QStringLiteral("the print service did not take the job within %1 seconds, or the wait was cancelled. "
                              "Check the printer's queue before printing again.")
            .arg(kJobWaitSeconds);
    return *refusal;
}
