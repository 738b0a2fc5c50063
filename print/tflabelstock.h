#pragma once

#include "cover/covermode.h"
#include "cover/mainwindowport.h"
#include "print/labelstock.h"
#include "print/pageplan.h"

#include <QDialog>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class StockSheetView;

// The Label stock window: the label sheets that take the current insert, found by brand, part or
// description, with the chosen sheet drawn to scale. Ok places the insert's two pictures on the
// sheet's first two labels (Picture #1 alone, and says so, on a sheet with one); the main window
// then has them checked and saved in Calibrate.
class TFLabelStock : public QDialog {
public:
    TFLabelStock(QWidget* owner, const WindowServices& services);
    ~TFLabelStock() override;

    // Called before the window is shown: the library as read, the calibration in effect and the
    // printer's page the offsets are measured on, and the stock chosen before, if any.
    void prepareFor(CoverMode mode, const StockReading& library, const CalibrationTexts& current,
                    const PrinterPage& page, const std::optional<LabelStock>& chosenBefore);

    // After Ok: the stock and the calibration that centres the pictures on its labels.
    const std::optional<LabelStock>& chosen() const { return chosen_; }
    const CalibrationTexts& offsets() const { return offsets_; }

private:
    void buildControls();
    void showStocks();
    void showSelected();
    void OkButtonClick();
    const LabelStock* selected() const;

    WindowServices services_;
    QLineEdit* Search = nullptr;
    QListWidget* StockList = nullptr;
    StockSheetView* Sheet = nullptr;
    QLabel* Note = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

    CoverMode mode_ = CoverMode::CdCover;
    CalibrationTexts current_;
    PrinterPage page_;
    std::vector<LabelStock> all_;    // every stock read, or the generic sheets without the library
    std::vector<LabelStock> stocks_; // those that take the insert
    std::vector<LabelStock> shown_;  // those the search finds, as listed
    std::optional<LabelStock> chosen_;
    CalibrationTexts offsets_;
    QString libraryNote_; // no library, or the files it could not read
};
