#include "support/printedpage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kPollMs = 50;
constexpr int kToolTimeoutMs = 60000;

// Standard output of a tool that exited with 0.
std::optional<QByteArray> runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

// A PDF that ghostscript is still writing has no %%EOF at its end yet.
bool endsWithEof(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 5)
        return false;
    file.seek(std::max<qint64>(0, file.size() - 32));
    return file.readAll().trimmed().endsWith("%%EOF");
}

struct JobFile {
    QString path;
    int job = -1;
    qint64 size = -1;
};

// The latest job with this stem written at or after `since`.
std::optional<JobFile> latestJobFile(const QString& folder, const QString& stem, const QDateTime& since) {
    const QRegularExpression name(
        QStringLiteral("^%1-job_(\\d+)\\.pdf$").arg(QRegularExpression::escape(stem)));
    std::optional<JobFile> latest;
    for (const QFileInfo& info : QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files)) {
        const QRegularExpressionMatch match = name.match(info.fileName());
        if (!match.hasMatch() || info.lastModified() < since)
            continue;
        const int job = match.captured(1).toInt();
        if (!latest || job > latest->job)
            latest = JobFile{info.absoluteFilePath(), job, info.size()};
    }
    return latest;
}

} // namespace

bool cupsQueueReady(const QString& queue) {
    // lpoptions prints the queue's attributes as key=value, the same in every language; for an
    // unknown queue or a stopped scheduler it prints nothing.
    const std::optional<QByteArray> output =
        runTool(QStringLiteral("lpoptions"), {QStringLiteral("-p"), queue});
    if (!output)
        return false;
    const QList<QByteArray> attributes = output->simplified().split(' ');
    return attributes.contains("printer-is-accepting-jobs=true") && !attributes.contains("printer-state=5");
}

QString cupsPdfFolder(const QString& configText, const QString& user, const QString& home) {
    QString out = QStringLiteral("/var/spool/cups-pdf/${USER}"); // cups-pdf's own default
    static const QRegularExpression outLine(QStringLiteral("^\\s*Out\\s+(.*\\S)\\s*$"));
    for (const QString& line : configText.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = outLine.match(line);
        if (match.hasMatch())
            out = match.captured(1);
    }
    out.replace(QStringLiteral("${HOME}"), home).replace(QStringLiteral("${USER}"), user);
    while (out.size() > 1 && out.endsWith(QLatin1Char('/')))
        out.chop(1);
    return out;
}

QString cupsPdfFolder() {
    // CUPS names the job's owner after the real user id, and cups-pdf takes that user's home
    // from the password database, not from $HOME.
    const passwd* account = getpwuid(getuid());
    const QString user = account ? QString::fromLocal8Bit(account->pw_name) : QString();
    const QString home = account ? QString::fromLocal8Bit(account->pw_dir) : QString();
    QFile config(QStringLiteral("/etc/cups/cups-pdf.conf"));
    const QString text = config.open(QIODevice::ReadOnly) ? QString::fromUtf8(config.readAll()) : QString();
    return cupsPdfFolder(text, user, home);
}

QString cupsPdfFileStem(const QString& title) {
    QString stem = title;
    for (QChar& c : stem) {
        const bool kept = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                          (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                          (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('-') ||
                          c == QLatin1Char('+') || c == QLatin1Char('.') || c.unicode() >= 128;
        if (!kept)
            c = QLatin1Char('_');
    }
    while (stem.startsWith(QLatin1Char('_')))
        stem.remove(0, 1);
    // cups-pdf's defaults: `Cut 3` drops a short extension, `Truncate 64` caps the length.
    const qsizetype dot = stem.lastIndexOf(QLatin1Char('.'));
    if (dot >= 1 && stem.size() - dot - 1 <= 3)
        stem.truncate(dot);
    stem.truncate(64);
    return stem;
}

std::optional<QString> waitForJobPdf(const QString& title, const QDateTime& since, int timeoutMs) {
    const QString stem = cupsPdfFileStem(title);
    if (stem.isEmpty())
        return std::nullopt;
    const QString folder = cupsPdfFolder();
    const QDateTime deadline = QDateTime::currentDateTime().addMSecs(timeoutMs);
    std::optional<JobFile> previous;
    for (;;) {
        const std::optional<JobFile> current = latestJobFile(folder, stem, since);
        // Complete when its size held still over one poll and it ends as a PDF ends.
        if (current && previous && current->path == previous->path && current->size == previous->size &&
            current->size > 0 && endsWithEof(current->path))
            return current->path;
        previous = current;
        if (QDateTime::currentDateTime() >= deadline)
            return std::nullopt;
        QThread::msleep(kPollMs);
    }
}

std::optional<QImage> rasterisePdf(const QString& pdfPath, int dpi) {
    QTemporaryDir dir;
    if (!dir.isValid() || !QFileInfo(pdfPath).isFile())
        return std::nullopt;
    // Plain PPM: no compressing and decompressing of a page that is read once.
    const QString root = dir.filePath(QStringLiteral("page"));
    const QStringList arguments = {QStringLiteral("-r"),
                                   QString::number(dpi),
                                   QStringLiteral("-f"),
                                   QStringLiteral("1"),
                                   QStringLiteral("-l"),
                                   QStringLiteral("1"),
                                   QStringLiteral("-aa"),
                                   QStringLiteral("no"),
                                   QStringLiteral("-aaVector"),
                                   QStringLiteral("no"),
                                   QStringLiteral("-singlefile"),
                                   pdfPath,
                                   root};
    if (!runTool(QStringLiteral("pdftoppm"), arguments))
        return std::nullopt;
    QImage page(root + QStringLiteral(".ppm"));
    if (page.isNull())
        return std::nullopt;
    return page.convertToFormat(QImage::Format_RGB888);
}

std::optional<int> pdfPageCount(const QString& pdfPath) {
    if (!QFileInfo(pdfPath).isFile())
        return std::nullopt;
    const std::optional<QByteArray> info = runTool(QStringLiteral("pdfinfo"), {pdfPath});
    if (!info)
        return std::nullopt;
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)\\s*$"),
                                          QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(QString::fromUtf8(*info));
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt();
}

std::optional<QRect> colourBox(const QImage& page, QColor colour, int tolerance) {
    const QImage rgb = page.convertToFormat(QImage::Format_RGB888);
    const int red = colour.red();
    const int green = colour.green();
    const int blue = colour.blue();
    int left = rgb.width();
    int right = -1;
    int top = rgb.height();
    int bottom = -1;
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* row = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const uchar* pixel = row + 3 * x;
            if (std::abs(pixel[0] - red) > tolerance || std::abs(pixel[1] - green) > tolerance ||
                std::abs(pixel[2] - blue) > tolerance)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = y;
        }
    }
    if (right < 0)
        return std::nullopt;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

double pixelsToMm(double pixels, int dpi) {
    return pixels * 25.4 / dpi;
}

QRectF pixelsToMm(const QRect& pixels, int dpi) {
    return QRectF(pixelsToMm(pixels.x(), dpi), pixelsToMm(pixels.y(), dpi), pixelsToMm(pixels.width(), dpi),
                  pixelsToMm(pixels.height(), dpi));
}

::testing::AssertionResult rectNear(const QRectF& measured, const QRectF& expected, double tolerance) {
    const struct {
        const char* name;
        double measured, expected;
    } values[] = {{"left", measured.left(), expected.left()},
                  {"top", measured.top(), expected.top()},
                  {"width", measured.width(), expected.width()},
                  {"height", measured.height(), expected.height()}};
    ::testing::AssertionResult result = ::testing::AssertionSuccess();
    for (const auto& value : values) {
        if (std::abs(value.measured - value.expected) <= tolerance)
            continue;
        if (result)
            result = ::testing::AssertionFailure();
        result << value.name << " " << value.measured << " instead of " << value.expected << " (within "
               << tolerance << "); ";
    }
    return result;
}
