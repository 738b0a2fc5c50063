#pragma once

#include <QString>

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

// The printer as the program sees it: whether one is installed, the default printer's metrics,
// and print jobs drawn on a canvas whose units are printer dots, origin at the top-left corner
// of the printable area.
class PrinterPort {
public:
    virtual ~PrinterPort() = default;

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

    // The Qt printer behind the port, for the printer-setup dialog; null when there is none.
    virtual QPrinter* device() { return nullptr; }
};
