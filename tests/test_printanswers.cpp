// The program against a print service that answers its requests oddly: every job is sent once,
// ends within its bound with a sentence saying what the service did, and leaves no file behind.
#include "platform/orbalinerror.h"
#include "platform/qt/cupsstatus.h"
#include "platform/qt/qtprinterport.h"
#include "support/fakeprintservice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cups/cups.h>
#include <gtest/gtest.h>

namespace {

const QByteArray kTaken = ipp::answer(0) + ipp::integer("job-id", 7) + ipp::end();

QByteArray redirect(int code) {
    return "HTTP/1.1 " + QByteArray::number(code) +
           " Moved\r\nLocation: http://127.0.0.1:1/printers/Elsewhere\r\nContent-Length: 0\r\n\r\n";
}

struct Answer {
    const char* name;
    QByteArray reply;
    FakePrintService::Then then;
    const char* said; // what the message must say; empty: the job was taken
};

std::vector<Answer> answers() {
    const QByteArray longName =
        ipp::answer(0) + ipp::attribute(char(IPP_TAG_INTEGER), QByteArray(65535, 'n'), "1234") + ipp::end();
    const QByteArray longStatus =
        ipp::answer(0x0400) +
        ipp::attribute(char(IPP_TAG_TEXT), "status-message", "Bad\nthing " + QByteArray(30000, 'x')) +
        ipp::end();
    using Then = FakePrintService::Then;
    return {
        {"Taken", ipp::httpOk(kTaken), Then::KeepOpen, ""},
        {"Redirect302", redirect(302), Then::KeepOpen, "another address (HTTP 302"},
        {"Redirect301", redirect(301), Then::KeepOpen, "another address (HTTP 301"},
        {"Redirect303", redirect(303), Then::KeepOpen, "another address (HTTP 303"},
        {"NoContent204", "HTTP/1.1 204 No Content\r\n\r\n", Then::KeepOpen,
         "answered with nothing (HTTP 204"},
        {"Password401",
         "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"CUPS\"\r\nContent-Length: 0\r\n\r\n",
         Then::KeepOpen, "asks for a user name and password"},
        {"Truncated", ipp::httpOk(kTaken).chopped(6), Then::Close, "answer breaks off"},
        {"ClosedMidAnswer", ipp::httpOk(kTaken).left(60), Then::Close, "answer breaks off"},
        {"LongName", ipp::httpOk(longName), Then::KeepOpen, "answer breaks off"},
        {"Garbage", ipp::httpOk(QByteArray(300, '\x7f')), Then::KeepOpen, "answer breaks off"},
        {"WrongLength", ipp::httpOk(kTaken, 9), Then::KeepOpen, "answer breaks off"},
        {"ClosedBeforeAnswering", "", Then::Close, "closed the connection without answering"},
        {"NoJobId", ipp::httpOk(ipp::answer(0) + ipp::end()), Then::KeepOpen, "gave it no job number"},
        {"TextJobId",
         ipp::httpOk(ipp::answer(0) + ipp::attribute(char(IPP_TAG_TEXT), "job-id", "7") + ipp::end()),
         Then::KeepOpen, "not a positive whole number"},
        {"NegativeJobId", ipp::httpOk(ipp::answer(0) + ipp::integer("job-id", -3) + ipp::end()),
         Then::KeepOpen, "not a positive whole number"},
        {"RefusedWithALongMessage", ipp::httpOk(longStatus), Then::KeepOpen,
         "refused the job (Bad thing xxxx"},
    };
}

class OddPrintService : public ::testing::TestWithParam<Answer> {
protected:
    void SetUp() override {
        ASSERT_NE(service.port(), 0);
        service.useOnThisThread();
    }
    void TearDown() override { cupsSetServer(nullptr); }

    FakePrintService service{GetParam().reply, GetParam().then};
    QTemporaryDir folder;
};
INSTANTIATE_TEST_SUITE_P(Answers, OddPrintService, ::testing::ValuesIn(answers()),
                         [](const auto& info) { return std::string(info.param.name); });

// One request, a bounded wait, the service's own deed in the message, and the job's file gone.
TEST_P(OddPrintService, TheJobIsSentOnceAndTheMessageSaysWhatTheServiceDid) {
    const QString file = folder.filePath(QStringLiteral("orbalin-job-1.pdf"));
    {
        QFile pdf(file);
        ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
        pdf.write(QByteArray(200 * 1024, '%')); // more than one write's worth
    }
    QElapsedTimer clock;
    clock.start();
    const std::optional<QString> refusal =
        submitPrintJob(QStringLiteral("Orbalin_PDF"), file, QStringLiteral("Obn7000"), {{"media", "A4"}});
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(service.requests(), 1);
    EXPECT_FALSE(QFile::exists(file));
    const QString said = QString::fromLatin1(GetParam().said);
    if (said.isEmpty()) {
        EXPECT_FALSE(refusal.has_value()) << refusal->toStdString();
        return;
    }
    ASSERT_TRUE(refusal.has_value());
    EXPECT_TRUE(refusal->contains(said)) << refusal->toStdString();
    EXPECT_LT(refusal->size(), 400) << "the service's own words are cut short";
    EXPECT_FALSE(refusal->contains('\n'));
    EXPECT_FALSE(refusal->contains(QLatin1String("Success")));
}

// The request says once that the document is a PDF, and carries the whole file after it.
TEST(PrintJobRequest, NamesItsFormatOnceAndCarriesTheFile) {
    FakePrintService service(ipp::httpOk(kTaken));
    service.useOnThisThread();
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("job.pdf"));
    const QByteArray content = "%PDF-1.4 the page " + QByteArray(100000, 'p');
    {
        QFile pdf(file);
        ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
        pdf.write(content);
    }
    EXPECT_FALSE(
        submitPrintJob(QStringLiteral("Orbalin_PDF"), file, QStringLiteral("Obn7000"), {{"media", "A4"}})
            .has_value());
    const QByteArray request = service.lastJobRequest();
    EXPECT_EQ(request.count("document-format"), 1);
    EXPECT_TRUE(request.contains("application/pdf"));
    EXPECT_TRUE(request.endsWith(content));
    cupsSetServer(nullptr);
}

// The questions before a job and at start-up are asked once of a service that redirects or answers
// with nothing, and end with what it did; Qt's own, which would ask again without end, are not asked.
TEST(OddPrintServiceQuestions, AreAskedOnceAndSayWhatTheServiceDid) {
    for (const QByteArray& reply : {redirect(302), QByteArray("HTTP/1.1 204 No Content\r\n\r\n")}) {
        FakePrintService questions(reply, FakePrintService::Then::KeepOpen, FakePrintService::Answers::Every);
        questions.useOnThisThread();
        QtPrinterPort port;
        QString message;
        try {
            port.anyInstalled();
        } catch (const OrbalinError& error) {
            message = error.message();
        }
        EXPECT_TRUE(message.startsWith("No printer can be used: the print service")) << message.toStdString();
        EXPECT_TRUE(message.contains(reply.contains("302") ? "HTTP 302" : "HTTP 204"))
            << message.toStdString();
        const std::optional<QString> refusal = printServerRefusal(QStringLiteral("Orbalin_PDF"));
        ASSERT_TRUE(refusal.has_value());
        EXPECT_TRUE(refusal->contains(reply.contains("302") ? "HTTP 302" : "HTTP 204"))
            << refusal->toStdString();
        EXPECT_LE(questions.requests(), 2);
        cupsSetServer(nullptr);
    }
}

} // namespace
