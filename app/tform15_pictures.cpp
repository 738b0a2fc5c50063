// Pictures in and out of the slots: Open, Resize, Resize-Adjust and Save.
#include "app/openpass.h"
#include "app/orbalin.h"
#include "app/tform1.h"
#include "app/tform15.h"
#include "cover/fitting.h"
#include "decor/tform16.h"
#include "platform/interaction.h"
#include "platform/qt/progresswindow.h"
#include "platform/qt/statuspanels.h"
#include "platform/waitcursor.h"

#include <QFileInfo>
#include <utility>

namespace {

QString notLoadedMessage(bool second) {
    const QString picture = slotStatusText(second);
    return QStringLiteral("%1 :\nPlease... load a picture.\n\n%1 :\nChargez une Image.").arg(picture);
}

const QString tooSmallForSlide = QStringLiteral(
    "Picture too small or no picture loaded... Please reload the picture or choose another...\n\nImage trop "
    "petite ou aucune image de chargée...Rechargez l'image ou choisissez en une nouvelle...");

QString alreadyFittedMessage(bool second) {
    return QStringLiteral("%1 is fitted already: open the photo again to take a part of it.")
        .arg(slotStatusText(second));
}

QString nothingToSaveMessage(const SlotInfo& slot) {
    return QStringLiteral(
               "There is nothing to save: %1 of the %2 holds no picture of yours yet. Open a picture "
               "first (Files > Load picture...).")
        .arg(slotStatusText(slot.second), QLatin1String(modeInfo(slot.mode).statusText));
}

// A path naming a JPEG picture is turned into a 24-bit bitmap. ".jpeg" files are treated like
// ".jpg" ones, so every slot holds a bitmap the fitting and printing can work on.
bool convertsToBitmap(const QString& path) {
    const QString lower = path.toLower();
    return lower.contains(QLatin1String(".jpg")) || lower.endsWith(QLatin1String(".jpeg"));
}

} // namespace

void TForm15::SpeedButton1Click() {
    FileDialogRequest request;
    request.title = QStringLiteral("Open");
    request.filters = {QStringLiteral("Tout (*.jpg;*.jpeg;*.bmp)"),
                       QStringLiteral("Fichier image JPEG (*.jpg)"),
                       QStringLiteral("Fichier image JPEG (*.jpeg)"), QStringLiteral("Bitmaps (*.bmp)")};
    request.initialFolder = openFolder_;
    const std::optional<FileDialogAnswer> answer = ui().openFile(this, request);
    if (!answer)
        return;
    if (!answer->path.isEmpty())
        openFolder_ = QFileInfo(answer->path).absolutePath();
    if (const std::optional<SlotInfo> slot = document_.currentSlot(); slot && !answer->path.isEmpty())
        if (!openIntoSlot(*slot, answer->path))
            return; // cancelled: nothing was opened to fit
    ui().showModal(*program_.Form1);
}

// Everything is read and written before the slot changes: a picture that cannot be read, a
// working file that cannot be written or a cancel leaves the slot as it was.
bool TForm15::openIntoSlot(const SlotInfo& slot, const QString& path) {
    const WaitCursor wait;
    const bool convert = convertsToBitmap(path);
    ProgressWindow progress(this, QFileInfo(path).fileName());
    OpenedPicture opened = openInOnePass(
        path, document_.workFile(QLatin1String(slot.workingFile)), fitSizesFor(slot.mode).stretch, convert,
        [&progress](qint64 done, qint64 total) { return progress.step(done, total); });
    if (opened.cancelled)
        return false;

    const int i = slot.index;
    document_.slotStretch[i] = {opened.picture.bitmap().cacheKey(), opened.stretched};
    const QFileInfo file(path);
    document_.putUnfitted(size_t(i), std::move(opened.picture),
                          OpenedSource{path, file.lastModified(), file.size()});
    StatusBar1->setText(0, QStringLiteral("       ") + QFileInfo(path).fileName());
    return true;
}

void TForm15::SpeedButton2Click() {
    const std::optional<SlotInfo> slot = document_.currentSlot();
    if (!slot)
        return;
    const int i = slot->index;
    if (!document_.slotLoaded[i]) {
        ui().message(this, notLoadedMessage(slot->second));
        return;
    }
    if (document_.slotResized[i])
        return;

    const WaitCursor wait;
    const QImage& mask =
        slot->mode == CoverMode::MiniCd ? document_.smallDiscMask.bitmap() : document_.discMask.bitmap();
    // The stretch made while the picture was read saves reading it all again.
    const CoverDocument::PreparedStretch prepared = std::exchange(document_.slotStretch[i], {});
    const QImage& source = document_.slotPicture[i].bitmap();
    const FittedPicture fit = prepared.pictureKey == source.cacheKey() && !prepared.stretched.isNull()
                                  ? fitStretched(prepared.stretched, slot->mode, mask)
                                  : fitToCover(source, slot->mode, mask);
    Picture(fit.stretched).saveBmp(document_.workFile(QStringLiteral("tst.bmp")));
    const Picture fitted(fit.picture);
    fitted.saveBmp(document_.workFile(QLatin1String(slot->refreshFile)));

    StatusBar1->setText(1, QStringLiteral("Resized"));
    document_.commitStep(size_t(i), {QStringLiteral("Resize"), FitStep{}},
                         {fitted, fitted, fitted, true, true});
}

void TForm15::SpeedButton12Click() {
    const std::optional<SlotInfo> slot = document_.currentSlot();
    if (!slot)
        return;
    if (slot->mode == CoverMode::MiniCd) {
        ui().message(this, QStringLiteral("Not available yet"));
        return;
    }
    // A fitted picture is the insert's size: a part is taken of the photo as it was opened.
    if (document_.slotResized[slot->index]) {
        ui().message(this, alreadyFittedMessage(slot->second));
        return;
    }
    const Picture& picture = document_.slotPicture[slot->index];
    if (!bigEnoughForSlide(slot->mode, picture.bitmap().size())) {
        ui().message(this, tooSmallForSlide);
        return;
    }
    program_.Form16->prepareFor(slot->mode, picture);
    ui().showModal(*program_.Form16);
}

// The example picture and an empty slot are not the user's to save: they are told so before any
// dialog asks for a name that would then be written nothing.
void TForm15::SpeedButton3Click() {
    const std::optional<SlotInfo> slot = document_.currentSlot();
    if (!slot)
        return;
    if (!document_.slotLoaded[slot->index] || document_.slotPicture[slot->index].isEmpty()) {
        ui().message(this, nothingToSaveMessage(*slot));
        return;
    }
    FileDialogRequest request;
    request.title = QStringLiteral("Save");
    request.filters = {QStringLiteral("All (*.bmp)")};
    request.presetName = QStringLiteral("Obn7000");
    request.initialFolder = saveFolder_;
    const std::optional<FileDialogAnswer> answer = ui().saveFile(this, request);
    if (!answer)
        return;
    if (answer->path.isEmpty())
        return;
    saveFolder_ = QFileInfo(answer->path).absolutePath();
    QString target = answer->path;
    if (!target.contains(QLatin1String(".bmp")))
        target += QLatin1String(".bmp");
    if (QFileInfo::exists(target) && !ui().confirm(this, QStringLiteral("Existing file : replace it ?")))
        return;
    document_.slotPicture[slot->index].saveBmp(target, FileOwner::User);
}
