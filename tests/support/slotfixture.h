#pragma once

#include "app/tform1.h"
#include "support/programfixture.h"

#include <QFile>
#include <QToolButton>

// Drives Open, the Adjust window and Resize through the main window's handlers.
class SlotTest : public ProgramTest {
protected:
    void open(const QString& path, Adjust choice = Adjust::Nothing) {
        openPicture(*program, ui, path, choice);
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

    Picture& slot(int index) { return form().document().slotPicture[static_cast<size_t>(index)]; }

    QTemporaryDir pictures;
};
