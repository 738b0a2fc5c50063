#include "platform/qt/cupsstatus.h"

#include "platform/qt/ippexchange.h"
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
// A question's exchange is cut off a little before the window stops waiting for it, so that its
// own reason, not the wait's, is what the user reads.
constexpr ExchangeBounds kQuestionBounds{kPrintServiceWaitSeconds, kPrintServiceWaitSeconds};
constexpr ExchangeBounds kJobBounds{kPrintJobSilenceSeconds, kJobWaitSeconds - 1};

IppMessage request(ipp_op_t operation, const char* printerUri) {
    IppMessage made(ippNewRequest(operation));
    ippAddString(made.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, printerUri);
    ippAddString(made.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return made;
}

QByteArray printerUri(const QByteArray& printerName) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", printerName.constData());
    return uri;
}

bool succeeded(ipp_t* response) {
    return ippGetStatusCode(response) <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

std::optional<QString> refusalOf(const QByteArray& printerName) {
    IppMessage question = request(IPP_OP_GET_PRINTER_ATTRIBUTES, printerUri(printerName).constData());
    static const char* const wanted[] = {"printer-is-accepting-jobs", "printer-state"};
    ippAddStrings(question.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr,
                  wanted);
    const IppAnswer answer = exchangeIpp(std::move(question), "/", {}, kQuestionBounds);
    if (!answer.response)
        return answer.unanswered ? printServiceSilence() : answer.fault;
    if (ippGetStatusCode(answer.response.get()) == IPP_STATUS_ERROR_NOT_FOUND)
        return QStringLiteral("the print service no longer knows the printer.");
    if (!succeeded(answer.response.get()))
        return QStringLiteral("the print service will not tell about the printer (%1).")
            .arg(statusOf(answer.response.get()));
    ipp_attribute_t* accepting =
        ippFindAttribute(answer.response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    if (accepting == nullptr &&
        ippFindAttribute(answer.response.get(), "printer-state", IPP_TAG_ENUM) == nullptr)
        return QStringLiteral(
            "the print service does not answer for the printer: its answer says nothing of it.");
    if (accepting != nullptr && !ippGetBoolean(accepting, 0))
        return QStringLiteral("the printer is not accepting jobs.");
    return std::nullopt;
}

// A job number is a positive whole number; anything else leaves the job unknown to the user.
std::optional<QString> jobNumberFault(ipp_t* response) {
    ipp_attribute_t* id = ippFindAttribute(response, "job-id", IPP_TAG_ZERO);
    if (id == nullptr)
        return QStringLiteral(
            "the print service said it took the job but gave it no job number, so it cannot be "
            "found in the queue. Check the printer's queue before printing again.");
    if (ippGetValueTag(id) != IPP_TAG_INTEGER || ippGetCount(id) != 1 || ippGetInteger(id, 0) <= 0)
        return QStringLiteral(
            "the print service said it took the job but gave it a job number that is not one "
            "(not a positive whole number). Check the printer's queue before printing again.");
    return std::nullopt;
}

// The job is one Print-Job request carrying the file, asked once within its bounds.
std::optional<QString> jobRefusal(const QByteArray& printerName, const QString& pdfFile,
                                  const QByteArray& title, const JobOptions& options) {
    const QByteArray uri = printerUri(printerName);
    IppMessage job = request(IPP_OP_PRINT_JOB, uri.constData());
    ippAddString(job.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.constData());
    cups_option_t* cupsOptions = nullptr;
    // The options' encoding adds the document's format to the operation's attributes: named here,
    // it is sent once and right.
    int count = cupsAddOption("document-format", "application/pdf", 0, &cupsOptions);
    for (const auto& [name, value] : options)
        if (name != "document-format")
            count = cupsAddOption(name.constData(), value.constData(), count, &cupsOptions);
    cupsEncodeOptions2(job.get(), count, cupsOptions, IPP_TAG_OPERATION);
    cupsEncodeOptions2(job.get(), count, cupsOptions, IPP_TAG_JOB);
    cupsFreeOptions(count, cupsOptions);
    const IppAnswer answer = exchangeIpp(std::move(job), "/printers/" + printerName, pdfFile, kJobBounds);
    if (!answer.response)
        return answer.fault;
    if (!succeeded(answer.response.get()))
        return QStringLiteral("the print service refused the job (%1).").arg(statusOf(answer.response.get()));
    return jobNumberFault(answer.response.get());
}

// Shown when a wait lasts: what the program waits for, and Cancel.
class WaitWindow : public QDialog {
public:
    explicit WaitWindow(QWidget* owner)
        : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
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
    refusePasswordsOnThisThread();
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
        QCoreApplication::processEvents(window ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents,
                                        10);
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

std::optional<QString> printServiceFault() {
    const auto fault = askPrintService<std::optional<QString>>([]() -> std::optional<QString> {
        IppMessage question(ippNewRequest(IPP_OP_CUPS_GET_DEFAULT));
        ippAddString(question.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                     cupsUser());
        static const char* const wanted = "printer-name";
        ippAddString(question.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                     wanted);
        IppAnswer answer = exchangeIpp(std::move(question), "/", {}, kQuestionBounds);
        if (!answer.response)
            return answer.unanswered ? printServiceSilence() : answer.fault;
        return std::nullopt;
    });
    if (!fault)
        return printServiceSilence();
    return *fault;
}

std::optional<QString> submitPrintJob(const QString& printerName, const QString& pdfFile,
                                      const QString& title, const JobOptions& options) {
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
        return QStringLiteral(
                   "the print service did not take the job within %1 seconds, or the wait was cancelled; "
                   "it may still print. Check the printer's queue before printing again.")
            .arg(kJobWaitSeconds);
    return *refusal;
}
