#pragma once

#include "cover/covermode.h"
#include "cover/mainwindowport.h"
#include "print/pagepreview.h"

#include <QDialog>
#include <QImage>
#include <vector>

class QLabel;
class QScrollArea;
class QToolButton;
class PreviewPage;
struct LabelStock;

// The Print preview window: the page as Print sends it to the printer of the moment, drawn by the
// page renderer that prints, in the preview's style: on its sheet with the printable area, the
// die-cut outline of each insert and what the printer cannot reach in red. On top, each picture's
// place and size in millimetres.
class TFPrintPreview : public QDialog {
public:
    // What the window was left for; the main window does the rest once it is closed.
    enum class Choice { Close, Print, ExportPdf };

    TFPrintPreview(QWidget* owner, const WindowServices& services);
    ~TFPrintPreview() override;

    // Called before the window is shown: the page Print would make, and the
    // pictures it would draw (null for a place Print leaves empty). With neither picture the
    // window says there is nothing to print.
    // `screenNotes` say which picture prints at screen resolution, and why.
    // `stock`, the label stock chosen for the mode, is outlined instead of the generic die-cuts; a
    // loaded Picture #2 that the plan leaves off for want of a second label is said to be left off.
    void prepareFor(CoverMode mode, const PagePlan& plan, const QImage* first, const QImage* second,
                    const QStringList& screenNotes = {}, const LabelStock* stock = nullptr);
    Choice choice() const { return choice_; }

    // The rectangles, in printer dots, that the page renderer drew into when the page was last painted.
    const std::vector<QRect>& drawnTargets() const;
    // The die-cut outlines drawn over the page, in sheet millimetres.
    const std::vector<DieCut>& dieCuts() const;
    // Screen pixels for a millimetre of the sheet as shown now.
    double pixelsPerMm() const;
    // Where a point of the sheet, in millimetres from its corner, is shown on Page.
    QPoint pixelOnPage(QPointF sheetMm) const;

    // --- Controls ---
    QToolButton* FitButton = nullptr;        // Zoom to fit
    QToolButton* ActualSizeButton = nullptr; // 1:1
    QToolButton* PrintButton = nullptr;
    QToolButton* ExportButton = nullptr; // Export PDF...
    QToolButton* CloseButton = nullptr;
    QLabel* Warning = nullptr;  // what would be cut, or that nothing prints
    QLabel* Measures = nullptr; // each picture's place and size
    QScrollArea* ScrollBox = nullptr;
    QWidget* Page = nullptr; // the sheet, drawn to scale

    // --- Handlers ---
    void FitButtonClick();
    void ActualSizeButtonClick();
    void PrintButtonClick();
    void ExportButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();

    WindowServices services_;
    PreviewPage* page_ = nullptr;
    Choice choice_ = Choice::Close;
    bool fitting_ = true; // the page follows the window's size
};
