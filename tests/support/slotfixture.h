#pragma once

#include "app/tform1.h"
#include "support/programfixture.h"

#include <QToolButton>

// Drives Open, the Adjust window and Resize through the main window's handlers.
class SlotTest : public ProgramTest {
protected:
    // Answers the next open dialog with `path` and, when the Adjust window comes, presses one of its
    // buttons (or none).
    enum class Adjust { Resize, ResizeAdjust, Nothing };
    void open(const QString& path, Adjust choice = Adjust::Nothing) {
        ui.fileAnswers.push_back(FileDialogAnswer{path, 0});
        ui.modalActions.push_back([this, choice](QDialog&) {
            if (choice == Adjust::Resize)
                program->Form1->SpeedButton1->click();
            else if (choice == Adjust::ResizeAdjust)
                program->Form1->SpeedButton2->click();
        });
        form().SpeedButton1->click(); // through the button, so errors are reported as the user sees them
        if (!ui.modalActions.empty() && ui.modalWindows().isEmpty())
            ui.modalActions.clear(); // the Adjust window never came
    }

    // Writes a picture as a BMP file in a folder of the test's own and returns its path.
    QString bmpFile(const QString& name, const QImage& picture) {
        const QString path = pictures.filePath(name);
        Picture(picture).saveBmp(path);
        return path;
    }

    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = pictures.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }

    Picture& slot(int index) { return form().slotPicture[static_cast<size_t>(index)]; }

    QTemporaryDir pictures;
};
