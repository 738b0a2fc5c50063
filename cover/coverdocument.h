#pragma once

#include "cover/covermode.h"
#include "cover/printerreading.h"
#include "cover/slothistory.h"
#include "platform/picture.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <variant>

// The document state of the main window, which every window reads and writes: the eight picture
// slots, the current mode and slot, the printer metrics and the current mode's calibration.
// The main window holds it; the other windows reach it through MainWindowPort::document().
struct CoverDocument {
    QString programFolder; // with its trailing separator
    // Where the program keeps the files it writes itself: the program folder, or the user's data
    // folder when the program folder cannot be written. With its trailing separator.
    QString ownFolder;
    QString ownFile(const QString& name) const { return ownFolder + name; }
    // Where its working pictures go (cd*_tmp.bmp, tst.bmp, refresh*.bmp), which a fit makes again:
    // the user's cache folder when the program folder cannot be written; empty means ownFolder.
    QString workFolder;
    QString workFile(const QString& name) const {
        return (workFolder.isEmpty() ? ownFolder : workFolder) + name;
    }
    int slotCode = 1;
    std::array<Picture, kSlotCount> slotPicture;
    std::array<Picture, kSlotCount> slotKept;
    Picture discMask;
    Picture smallDiscMask;
    std::array<bool, kSlotCount> slotLoaded{};
    std::array<bool, kSlotCount> slotResized{};
    // The stretch for Resize made while the slot's picture was read; it serves only while the slot
    // still holds that picture unchanged (the same cache key).
    struct PreparedStretch {
        qint64 pictureKey = 0;
        QImage stretched;
    };
    std::array<PreparedStretch, kSlotCount> slotStretch;
    // What each slot's refresh file holds: its picture as last fitted.
    std::array<Picture, kSlotCount> slotFitted;
    std::array<SlotHistory, kSlotCount> slotHistory;
    // A picture put in a slot to be fitted, which is one step with its fit: the slot as it was
    // before, and where the picture came from.
    struct Unfitted {
        SlotState before;
        std::variant<OpenedSource, GradientSource> source;
        QRect piece; // Resize-Adjust's piece of it
    };
    std::array<std::optional<Unfitted>, kSlotCount> slotUnfitted;
    // Per mode (index: mode number − 1): the printer changed and the user has not saved the
    // mode's calibration since, so the mode prints at the new printer's true size, not at the size
    // its file holds for the old printer.
    std::array<bool, 4> printerChanged{};
    bool& printerChangedFor(CoverMode mode) { return printerChanged[size_t(modeNumber(mode) - 1)]; }
    bool noPrinter = true;
    PrinterReading printerReading;
    float coverDotsXF = 0, coverDotsYF = 0;
    int coverDotsX = 0, coverDotsY = 0;
    CalibrationTexts calibrationText;
    QString languageFileName;
    int gradientState = 0;
    // Options > "Print at screen resolution": Print and Export PDF draw the screen's pictures.
    bool printAtScreenResolution = false;

    std::optional<SlotInfo> currentSlot() const { return slotFor(slotCode); }
    CoverMode currentMode() const;
    QString calibrationPath(CoverMode mode) const;

    // --- Changes to the slots: every one goes through these ---
    SlotState slotState(size_t slot) const;
    // Cd Cover's Picture #1 shows the example at start-up; no slot is loaded.
    void showExample(Picture example);
    // Puts an opened photo or a gradient into the slot, to be fitted; its fit records the step.
    void putUnfitted(size_t slot, Picture picture, std::variant<OpenedSource, GradientSource> source);
    // Puts the piece `rect` the Slide frame took of the slot's picture in its place, to be fitted.
    void putPiece(size_t slot, Picture piece, QRect rect);
    // Takes the slot to `after` as one step. A fit takes the source of the picture it fitted.
    void commitStep(size_t slot, CoverStep step, const SlotState& after);
    // Applies `step` to the slot on screen and records it. When the step changes the picture as
    // fitted, the refresh file is written first; when it cannot be, OrbalinError says so and the
    // slot stays as it was.
    void apply(size_t slot, CoverStep step);
    // A mode or picture switch: the slot left is parked in its kept copy (when `parkLeft`), the one
    // shown comes back from its own, and `code` becomes the current slot; the views are told once.
    // Print refreshes the kept copy. None of them is a step.
    void switchSlot(int code, bool parkLeft);
    void refreshKept(size_t slot);

    // Undo and Redo act on the current slot. An opened picture not yet fitted is undone alone, and
    // Redo brings it back until the slot changes again. The refresh file follows the fitted picture; when it
    // cannot be written, the slot stays as it was and OrbalinError says so.
    QString undoName() const; // empty: nothing to undo
    QString redoName() const;
    void undoStep();
    void redoStep();

    // Called after each change to a slot's picture or to which slot is current, so the views
    // show it; the main window repaints its preview and names the Edit menu's steps.
    void onChange(std::function<void()> listener) { changed_ = std::move(listener); }
    // `code` becomes the current slot, nothing parked or brought back.
    void showSlot(int code);

private:
    std::function<void()> changed_ = [] {};
    void changed() const { changed_(); }
    // An opened picture undone before it was fitted, which Redo brings back.
    struct UndoneOpen {
        Unfitted unfitted;
        Picture picture;
    };
    std::array<std::optional<UndoneOpen>, kSlotCount> slotUndoneOpen_;

    void putState(size_t slot, const SlotState& state);
    void moveThroughHistory(size_t slot, bool back);
};
