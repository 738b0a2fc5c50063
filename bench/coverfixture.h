#pragma once
// What the print and export benchmarks share: a Cd Cover with two fitted photographs, a line of
// text laid out on each, printed on the local CUPS queue (tools/cups-queue.sh).
#include "app/orbalin.h"
#include "doubles/scriptedinteraction.h"
#include "platform/qt/qtprinterport.h"
#include "render/printedpictures.h"
#include "support/printedpage.h"
#include "support/programfixture.h"
#include "text/tform17.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>
#include <algorithm>
#include <stdexcept>

// A photograph's worth of detail: smooth colours with a little grain, so the page cannot shrink
// the pictures to nothing.
inline QImage grainedGradient(int size, quint32 seed) {
    QImage picture = gradientPicture(size, size);
    const QImage grain = noisePicture(size, size, seed);
    for (int y = 0; y < size; ++y) {
        uchar* row = picture.scanLine(y);
        const uchar* noise = grain.constScanLine(y);
        for (int x = 0; x < size * 3; ++x)
            row[x] = uchar(std::clamp(int(row[x]) + (noise[x] >> 5) - 4, 0, 255));
    }
    return picture;
}

struct CoverOnQueue {
    ProgramFolder folder;
    ScriptedInteraction ui;
    QtPrinterPort port{QString::fromLatin1(kCupsPdfQueue)};
    std::unique_ptr<Orbalin> program;
    QTemporaryDir files;
    int layouts = 0;

    CoverOnQueue() {
        program = std::make_unique<Orbalin>(ProgramContext{folder.path(), ui, port, 0});
        openFitted(QStringLiteral("one.bmp"), grainedGradient(2000, 1));
        layOutText();
        click("SpeedButton9");
        openFitted(QStringLiteral("two.bmp"), grainedGradient(2000, 2));
        layOutText();
    }

    void openFitted(const QString& name, const QImage& picture) {
        const QString path = files.filePath(name);
        Picture(picture).saveBmp(path);
        openPicture(*program, ui, path, Adjust::Resize);
    }
    // A Center layout on the current picture, a new line each time, so the next print makes the
    // picture again.
    void layOutText() {
        program->Form17->RichEdit1->setPlainText(QStringLiteral("Orbalin benchmark, layout %1").arg(++layouts));
        program->Form17->SpeedButton8->click();
    }
    // Both pictures get a new layout.
    void changeBoth() {
        for (const char* picture : {"SpeedButton8", "SpeedButton9"}) {
            click(picture);
            layOutText();
        }
    }
    void click(const char* button) { control<QToolButton>(*program->Form15, button).click(); }
    void check() const {
        if (!ui.messages().isEmpty())
            throw std::runtime_error(ui.messages().front().toStdString());
    }
    void print() {
        click("SpeedButton4");
        check();
    }
    void exportPdf(const QString& path) {
        ui.fileAnswers.push_back(FileDialogAnswer{path, 0});
        control<QAction>(*program->Form15, "ExportPdf1").trigger();
        check();
    }
    void printAtScreenResolution(bool on) {
        QAction& option = control<QAction>(*program->Form15, "PrintAtScreenResolution1");
        if (option.isChecked() != on)
            option.trigger();
    }
    // The size each picture is made at: the printed size, at no more than 600 dots per inch.
    QSize pictureSize() const {
        const CoverDocument& document = program->Form15->document();
        return printedSize({document.coverDotsX, document.coverDotsY}, document.printerReading.logPixelsX);
    }
};

// Waits for the job's PDF, so jobs do not pile up in the queue, and returns its size.
inline qint64 collectPdf(const QString& title, const QDateTime& since) {
    const std::optional<QString> pdf = waitForJobPdf(title, since, 60000);
    if (!pdf)
        throw std::runtime_error("the print queue made no PDF of " + title.toStdString());
    const qint64 size = QFileInfo(*pdf).size();
    QFile::remove(*pdf);
    return size;
}
