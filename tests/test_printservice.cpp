// The program against a print server that takes the connection and never replies, or answers its
// first question only: every question, the job included, ends within its wait, with the window's
// events running meanwhile.
#include "platform/orbalinerror.h"
#include "platform/qt/cupsstatus.h"
#include "platform/qt/qtprinterport.h"
#include "support/fakeprintservice.h"
#include "support/programfixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <cups/cups.h>
#include <mutex>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// A local TCP server that takes every connection and never sends a byte, or that answers the first
// question it is asked and no other.
class SilentListener {
public:
    explicit SilentListener(bool answersFirstQuestion = false) {
        listening_ = listenOnLoopback(port_);
        if (listening_ < 0)
            return;
        taker_ = std::thread([this, answersFirstQuestion]() mutable {
            for (int connection; (connection = ::accept(listening_, nullptr, nullptr)) >= 0;) {
                if (answersFirstQuestion)
                    answersFirstQuestion = !answerOneQuestion(connection);
                const std::lock_guard lock(mutex_);
                taken_.push_back(connection);
            }
        });
    }
    ~SilentListener() {
        ::shutdown(listening_, SHUT_RDWR); // ends the accept()
        if (taker_.joinable())
            taker_.join();
        ::close(listening_);
        for (const int connection : taken_)
            ::close(connection);
    }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    int port() const { return port_; }
    size_t connectionsTaken() {
        const std::lock_guard lock(mutex_);
        return taken_.size();
    }

private:
    // Reads one IPP request and answers it "successful-ok" with no attributes but the required ones.
    static bool answerOneQuestion(int connection) {
        QByteArray request;
        char buffer[4096];
        qsizetype headerEnd = -1;
        qsizetype length = -1;
        while (length < 0 || request.size() < headerEnd + 4 + length) {
            const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
            if (got <= 0)
                return false;
            request.append(buffer, got);
            headerEnd = request.indexOf("\r\n\r\n");
            if (headerEnd >= 0 && length < 0) {
                const qsizetype field = request.toLower().indexOf("content-length:");
                if (field < 0 || field > headerEnd)
                    return false;
                length =
                    request.mid(field + 15, request.indexOf('\r', field) - field - 15).trimmed().toLongLong();
            }
        }
        const QByteArray requestId = request.mid(headerEnd + 4 + 4, 4);
        QByteArray ipp = QByteArray::fromHex("02000000") + requestId + QByteArray::fromHex("01");
        const auto attribute = [&ipp](char tag, const QByteArray& name, const QByteArray& value) {
            ipp += tag;
            ipp += char(name.size() >> 8), ipp += char(name.size()), ipp += name;
            ipp += char(value.size() >> 8), ipp += char(value.size()), ipp += value;
        };
        attribute(0x47, "attributes-charset", "utf-8");
        attribute(0x48, "attributes-natural-language", "en");
        ipp += char(0x03);
        const QByteArray reply = "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: " +
                                 QByteArray::number(ipp.size()) + "\r\n\r\n" + ipp;
        return ::send(connection, reply.constData(), size_t(reply.size()), MSG_NOSIGNAL) == reply.size();
    }

    int listening_ = -1;
    int port_ = 0;
    std::thread taker_;
    std::mutex mutex_;
    std::vector<int> taken_;
};

enum class Server { Silent, AnswersFirstQuestion };

// A print server that stops answering: every question the program asks it ends within the wait,
// with the window's events running and the wait cursor shown meanwhile.
class SilentPrintServer : public ::testing::TestWithParam<Server> {
protected:
    void SetUp() override {
        ASSERT_NE(listener.port(), 0) << std::strerror(errno);
        cupsSetServer(QStringLiteral("127.0.0.1:%1").arg(listener.port()).toLatin1().constData());
        QObject::connect(&ticker, &QTimer::timeout, [this] {
            ++ticks;
            const QCursor* cursor = QGuiApplication::overrideCursor();
            waitCursorShown = waitCursorShown || (cursor != nullptr && cursor->shape() == Qt::WaitCursor);
        });
        ticker.start(50);
    }
    void TearDown() override {
        ticker.stop();
        cupsSetServer(nullptr);
    }

    // Runs `ask`, checks that it ended within the wait and kept the window going, and returns
    // the message it gave.
    // `waits`: the question outlasts the server's answers (the check before a job is one question, which
    // the server that answers its first question answers at once, and still says nothing of the printer).
    QString answerOf(const char* what, const std::function<QString()>& ask, bool waits = true) {
        ticks = 0;
        waitCursorShown = false;
        const size_t takenBefore = listener.connectionsTaken();
        QElapsedTimer clock;
        clock.start();
        const QString message = ask();
        EXPECT_LT(clock.elapsed(), (kPrintServiceWaitSeconds + 2) * 1000) << what;
        if (waits) {
            EXPECT_GT(ticks, 5) << what << ": the window waited without its events";
            EXPECT_TRUE(waitCursorShown) << what;
        }
        EXPECT_GT(listener.connectionsTaken(), takenBefore) << what << ": the server never took a connection";
        EXPECT_TRUE(message.contains(QLatin1String("print service does not answer")))
            << message.toStdString();
        return message;
    }

    SilentListener listener{GetParam() == Server::AnswersFirstQuestion};
    QTimer ticker;
    int ticks = 0;
    bool waitCursorShown = false;
};
INSTANTIATE_TEST_SUITE_P(Servers, SilentPrintServer,
                         ::testing::Values(Server::Silent, Server::AnswersFirstQuestion),
                         [](const auto& info) {
                             return info.param == Server::Silent ? "Silent" : "AnswersFirstQuestion";
                         });

TEST_P(SilentPrintServer, StartUpGivesUpAndStartsWithoutPrinting) {
    ProgramFolder folder;
    ScriptedInteraction ui;
    QtPrinterPort port;
    std::unique_ptr<Orbalin> program;
    answerOf("start-up", [&] {
        program = std::make_unique<Orbalin>(ProgramContext{folder.path(), ui, port, 0});
        return ui.messages().join('\n');
    });
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().front().endsWith("Printing buttons will be disabled..."));
    EXPECT_TRUE(program->Form15->document().noPrinter);
    EXPECT_FALSE(control<QToolButton>(*program->Form15, "SpeedButton4").isEnabled());
}

TEST_P(SilentPrintServer, TheChecksBeforeAJobAndThePrinterSetupGiveUp) {
    QtPrinterPort port(QStringLiteral("Orbalin_PDF"));
    answerOf(
        "the check before a job",
        [] { return printServerRefusal(QStringLiteral("Orbalin_PDF")).value_or(QString()); },
        GetParam() == Server::Silent);
    const auto messageOf = [](const std::function<void()>& call) {
        try {
            call();
        } catch (const OrbalinError& error) {
            return error.message();
        }
        return QString();
    };
    answerOf("a job", [&] { return messageOf([&] { port.beginJob(QStringLiteral("Obn7000")); }); });
    answerOf("the printer setup", [&] { return messageOf([&] { port.device(); }); });
}

// The job itself, held by a server that took the connection: the wait ends after the server's
// silence, or at once when the user presses the wait window's Cancel, and is never a success.
TEST(PrintJobHeld, EndsWithAReasonAndTheWaitWindowAnswersMeanwhile) {
    SilentListener listener;
    ASSERT_NE(listener.port(), 0);
    cupsSetServer(QStringLiteral("127.0.0.1:%1").arg(listener.port()).toLatin1().constData());
    QTemporaryDir folder;
    const auto job = [&](const QString& title) {
        const QString file = folder.filePath(title + ".pdf");
        QFile(file).open(QIODevice::WriteOnly);
        return submitPrintJob(QStringLiteral("Orbalin_PDF"), file, title, {{"media", "A4"}})
            .value_or("taken");
    };
    bool waitWindowShown = false;
    bool cancelWhenShown = false;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* shown = QApplication::activeModalWidget();
        if (shown == nullptr || shown->objectName() != "PrintServiceWait")
            return;
        waitWindowShown = true;
        if (cancelWhenShown)
            QTest::mouseClick(shown->findChild<QPushButton*>("Button1"), Qt::LeftButton);
    });
    user.start(50);

    QElapsedTimer clock;
    clock.start();
    const QString silent = job("Held");
    EXPECT_GE(clock.elapsed(), kPrintJobSilenceSeconds * 1000 - 500);
    EXPECT_LT(clock.elapsed(), (kPrintJobSilenceSeconds + 3) * 1000);
    EXPECT_TRUE(silent.contains("stopped answering")) << silent.toStdString();
    EXPECT_TRUE(waitWindowShown);

    cancelWhenShown = true;
    clock.start();
    const QString cancelled = job("Cancelled");
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(cancelled.contains("the wait was cancelled")) << cancelled.toStdString();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the wait window stays";
    cupsSetServer(nullptr);
}

} // namespace
