#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>

class QPainter;
class QPrinter;

// The device-capability indexes the program reads from the default printer.
enum class DeviceCap {
    LOGPIXELSX, // dots per inch across
    LOGPIXELSY, // dots per inch down
    HORZSIZE,   // printable width in millimetres
    VERTSIZE,   // printable height in millimetres
    HORZRES,    // printable width in dots
    VERTRES,    // printable height in dots
};

// The sheet a printer prints on and where its printable area lies on it, in millimetres from the
// sheet's top-left corner. The printable area is the canvas of a job: dot (0, 0) is its corner.
struct PageGeometry {
    QSizeF paperMm;
    QRectF printableMm;

    bool operator==(const PageGeometry&) const = default;
};

// The printer as the program sees it: whether one is installed, the default printer's metrics,
// and print jobs drawn on a canvas whose units are printer dots, origin at the top-left corner
// of the printable area.
class PrinterPort {
public:
    virtual ~PrinterPort() = default;

    // These two throw OrbalinError when the print service does not answer.
    virtual bool anyInstalled() = 0;
    // 0 for every index when no printer is installed.
    virtual int deviceCaps(DeviceCap index) = 0;

    // Begins a job with the given title and returns its page canvas.
    // Throws OrbalinError when the job cannot begin (no printer, print server refused it).
    virtual QPainter& beginJob(const QString& title) = 0;
    // Ends the job begun last. Throws OrbalinError when the job could not be completed.
    virtual void endJob() = 0;
    // Gives up the job begun last without printing it; never throws.
    virtual void abortJob() = 0;

    // The sheet of the default printer; nullopt when no printer is installed. A printer that
    // says nothing of its sheet is taken to print all of it.
    virtual std::optional<PageGeometry> pageGeometry() {
        const int dpiX = deviceCaps(DeviceCap::LOGPIXELSX);
        const int dpiY = deviceCaps(DeviceCap::LOGPIXELSY);
        const int dotsX = deviceCaps(DeviceCap::HORZRES);
        const int dotsY = deviceCaps(DeviceCap::VERTRES);
        if (dpiX <= 0 || dpiY <= 0 || dotsX <= 0 || dotsY <= 0)
            return std::nullopt;
        const QSizeF printable(dotsX * 25.4 / dpiX, dotsY * 25.4 / dpiY);
        return PageGeometry{printable, QRectF(QPointF(0, 0), printable)};
    }

    // The Qt printer behind the port, for the printer-setup dialog; null when there is none.
    // Throws OrbalinError when the print service does not answer.
    virtual QPrinter* device() { return nullptr; }
};
