#pragma once

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QRect>
#include <QRectF>
#include <QString>
#include <gtest/gtest.h>
#include <optional>

// Reading back what a real print queue made of a job. tools/cups-queue.sh sets up a local CUPS
// queue whose cups-pdf backend writes every job as a PDF; these functions find that PDF,
// rasterise it with poppler and measure what is on the page.

// The queue tools/cups-queue.sh adds.
inline constexpr char kCupsPdfQueue[] = "Orbalin_PDF";

// Whether the queue exists, accepts jobs and is not paused (a paused queue takes jobs but holds them).
bool cupsQueueReady(const QString& queue);

// The folder where cups-pdf puts this user's jobs: the `Out` setting of /etc/cups/cups-pdf.conf.
QString cupsPdfFolder();
// The same from the configuration's text; ${USER} and ${HOME} are expanded as cups-pdf does.
QString cupsPdfFolder(const QString& configText, const QString& user, const QString& home);

// The file name cups-pdf makes of a job title, without "-job_N.pdf".
QString cupsPdfFileStem(const QString& title);

// Waits for the PDF of a job with this title that was written after `since` and is complete,
// polling the folder; nullopt after timeoutMs. With several such jobs, the latest.
std::optional<QString> waitForJobPdf(const QString& title, const QDateTime& since, int timeoutMs);

// Page 1 of the PDF at the given resolution, without anti-aliasing (edges stay sharp), as
// Format_RGB888; nullopt when poppler cannot read the file.
std::optional<QImage> rasterisePdf(const QString& pdfPath, int dpi);

// nullopt when poppler cannot read the file.
std::optional<int> pdfPageCount(const QString& pdfPath);

// The smallest rectangle holding every pixel whose red, green and blue each lie within
// `tolerance` of the colour's; nullopt when there is none.
std::optional<QRect> colourBox(const QImage& page, QColor colour, int tolerance);

// A raster's pixels as millimetres on paper.
double pixelsToMm(double pixels, int dpi);
QRectF pixelsToMm(const QRect& pixels, int dpi);

// Whether each edge and size of a measured rectangle lies within `tolerance` of the expected one;
// the failure names every value that does not.
::testing::AssertionResult rectNear(const QRectF& measured, const QRectF& expected, double tolerance);
