#include "print/tfprintpreview.h"

#include "cover/coverdocument.h"
#include "lang/captiontable.h"
#include "platform/qt/keyboardways.h"
#include "platform/qt/toolbutton.h"
#include "print/pagerenderer.h"
#include "print/stockplacement.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kMarginPx = 16; // grey around the sheet
const QString kPageKeys = QStringLiteral("Arrow keys, Page Up and Page Down scroll the page.");
const QColor kDesk(128, 128, 128);

QToolButton* addButton(QWidget* parent, QBoxLayout* row, const char* name, const QString& caption) {
    QToolButton* button =
        toolButton(parent, QLatin1String(name),
                   {.caption = caption, .flat = false, .focus = Qt::StrongFocus, .namedByCaption = true});
    button->setMinimumWidth(90);
    row->addWidget(button);
    return button;
}

} // namespace

// The sheet drawn to scale, millimetres times pixelsPerMm from its corner after a grey margin.
class PreviewPage : public QWidget {
public:
    explicit PreviewPage(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("Page"));
        setAccessibleName(QStringLiteral("Printed page"));
        setFocusPolicy(Qt::StrongFocus); // its keys reach the scroll area around it
    }

    void showPage(const PagePlan& plan, const QImage* first, const QImage* second) {
        plan_ = plan;
        first_ = first ? *first : QImage();
        second_ = second ? *second : QImage();
        drawn_.clear();
        fitSize();
        update();
    }

    void setPixelsPerMm(double scale) {
        scale_ = scale;
        fitSize();
        update();
    }
    double pixelsPerMm() const { return scale_; }
    QPointF toPixels(QPointF sheetMm) const {
        return QPointF(kMarginPx, kMarginPx) + (sheetMm - sceneMm().topLeft()) * scale_;
    }
    // The sheet and whatever is drawn beyond it: pictures that run off it and their die-cuts.
    QRectF sceneMm() const {
        QRectF scene(QPointF(0, 0), plan_.sheet.paperMm);
        for (const PagePicture& picture : plan_.pictures)
            scene |= picture.sheetMm;
        for (const DieCut& cut : plan_.dieCuts)
            scene |= cut.outline;
        return scene;
    }
    const std::vector<QRect>& drawn() const { return drawn_; }
    const std::vector<DieCut>& dieCuts() const { return plan_.dieCuts; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), kDesk);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        drawn_ = PageRenderer(plan_, first_.isNull() ? nullptr : &first_,
                              second_.isNull() ? nullptr : &second_, previewStyle())
                     .draw(painter, PageUnits::perMillimetre(scale_, toPixels(QPointF(0, 0))));
        for (const PagePicture& picture : plan_.pictures)
            drawMeasures(painter, picture);
    }

private:
    // The picture's place and size, written inside its top-left corner.
    void drawMeasures(QPainter& painter, const PagePicture& picture) {
        const QRectF box = measuresBox(picture);
        painter.fillRect(box, QColor(255, 255, 255, 220));
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter, measuresText(picture));
    }

    QString measuresText(const PagePicture& picture) const {
        const QPointF corner = picture.sheetMm.topLeft() - plan_.sheet.printableMm.topLeft();
        return QStringLiteral("%1  %2, %3 mm  %4 × %5 mm")
            .arg(slotStatusText(picture.second), QString::number(corner.x(), 'f', 1),
                 QString::number(corner.y(), 'f', 1), QString::number(picture.sheetMm.width(), 'f', 1),
                 QString::number(picture.sheetMm.height(), 'f', 1));
    }

    // Inside the picture's top-left corner, in pixels; it may stand out of a small picture.
    QRectF measuresBox(const PagePicture& picture) const {
        QRectF box = fontMetrics().boundingRect(measuresText(picture));
        box.moveTopLeft(toPixels(picture.sheetMm.topLeft()) + QPointF(4, 4));
        return box.adjusted(-3, -1, 3, 1);
    }

    void fitSize() {
        QRectF drawn(toPixels(sceneMm().topLeft()), toPixels(sceneMm().bottomRight()));
        for (const PagePicture& picture : plan_.pictures)
            drawn |= measuresBox(picture);
        setFixedSize(int(std::ceil(drawn.right())) + kMarginPx, int(std::ceil(drawn.bottom())) + kMarginPx);
    }

    PagePlan plan_;
    QImage first_, second_;
    double scale_ = 2;
    std::vector<QRect> drawn_;
};

TFPrintPreview::TFPrintPreview(QWidget* owner, const WindowServices& services)
    : QDialog(owner), services_(services) {
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(captionOf("PrintPreview", kWindowCaption));
    buildControls();
    resize(760, 880);
    pressFocusedButtonWithEnter(this);
}

TFPrintPreview::~TFPrintPreview() = default;

void TFPrintPreview::buildControls() {
    auto* column = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout();
    column->addLayout(buttons);
    FitButton = addButton(this, buttons, "FitButton", captionOf("PrintPreview", "FitButton"));
    ActualSizeButton = addButton(this, buttons, "ActualSizeButton", QStringLiteral("1:1"));
    ActualSizeButton->setAccessibleName(QStringLiteral("Actual size"));
    buttons->addSpacing(20);
    PrintButton = addButton(this, buttons, "PrintButton", captionOf("PrintPreview", "PrintButton"));
    ExportButton = addButton(this, buttons, "ExportButton", captionOf("PrintPreview", "ExportButton"));
    buttons->addStretch();
    CloseButton = addButton(this, buttons, "CloseButton", captionOf("PrintPreview", "CloseButton"));

    Warning = new QLabel(this);
    Warning->setObjectName(QStringLiteral("Warning"));
    Warning->setWordWrap(true);
    column->addWidget(Warning);
    Measures = new QLabel(this);
    Measures->setObjectName(QStringLiteral("Measures"));
    Measures->setWordWrap(true);
    column->addWidget(Measures);

    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setAccessibleName(QStringLiteral("Page preview"));
    ScrollBox->setAlignment(Qt::AlignCenter);
    ScrollBox->setBackgroundRole(QPalette::Dark);
    page_ = new PreviewPage(ScrollBox);
    Page = page_;
    ScrollBox->setWidget(page_);
    column->addWidget(ScrollBox, 1);

    connect(FitButton, &QToolButton::clicked, this, [this] { FitButtonClick(); });
    connect(ActualSizeButton, &QToolButton::clicked, this, [this] { ActualSizeButtonClick(); });
    connect(PrintButton, &QToolButton::clicked, this, [this] { PrintButtonClick(); });
    connect(ExportButton, &QToolButton::clicked, this, [this] { ExportButtonClick(); });
    connect(CloseButton, &QToolButton::clicked, this, &QDialog::reject);
}

void TFPrintPreview::prepareFor(CoverMode mode, const PagePlan& plan, const QImage* first,
                                const QImage* second, const QStringList& screenNotes,
                                const LabelStock* stock) {
    choice_ = Choice::Close;
    PagePlan shown = plan;
    shown.dieCuts = pageDieCuts(mode, plan, stock);
    page_->showPage(shown, first, second);
    const bool anything = !plan.pictures.empty();
    PrintButton->setEnabled(anything);
    ExportButton->setEnabled(anything);

    QStringList warnings{anything ? cutWarning(plan) : nothingOnThePage(mode, QStringLiteral("print"))};
    if (stock != nullptr && second != nullptr && !takesSecondPicture(*stock, mode))
        warnings << secondLeftOff(*stock, mode);
    warnings.removeAll(QString());
    const QString warning = warnings.join(QLatin1Char('\n'));
    Warning->setText(warning);
    Warning->setStyleSheet(plan.anyCut() ? QStringLiteral("color: rgb(200, 0, 0); font-weight: bold;")
                                         : QString());
    Warning->setVisible(!warning.isEmpty());

    QStringList measures;
    for (const PagePicture& picture : plan.pictures)
        measures << pictureMeasures(picture, plan.sheet);
    measures << screenNotes;
    if (stock != nullptr)
        measures << QStringLiteral("Label stock: %1").arg(stockTitle(*stock));
    Measures->setText(measures.join(QLatin1Char('\n')));
    Measures->setVisible(!measures.isEmpty());
    page_->setAccessibleDescription(
        (QStringList{warning} + measures + QStringList{kPageKeys}).join(QLatin1Char('\n')).trimmed());
    fitting_ = true;
    if (isVisible())
        FitButtonClick();
}

const std::vector<QRect>& TFPrintPreview::drawnTargets() const {
    return page_->drawn();
}

const std::vector<DieCut>& TFPrintPreview::dieCuts() const {
    return page_->dieCuts();
}

double TFPrintPreview::pixelsPerMm() const {
    return page_->pixelsPerMm();
}

QPoint TFPrintPreview::pixelOnPage(QPointF sheetMm) const {
    return page_->toPixels(sheetMm).toPoint();
}

void TFPrintPreview::FitButtonClick() {
    fitting_ = true;
    const QSizeF paper = page_->sceneMm().size();
    if (paper.isEmpty())
        return;
    const QSize room = ScrollBox->viewport()->size() - QSize(2 * kMarginPx, 2 * kMarginPx);
    const double scale = std::min(room.width() / paper.width(), room.height() / paper.height());
    page_->setPixelsPerMm(std::max(scale, 0.1));
}

// The sheet at its size on paper, as far as the screen knows its own pixels.
void TFPrintPreview::ActualSizeButtonClick() {
    fitting_ = false;
    page_->setPixelsPerMm(page_->logicalDpiX() / 25.4);
}

void TFPrintPreview::PrintButtonClick() {
    choice_ = Choice::Print;
    accept();
}

void TFPrintPreview::ExportButtonClick() {
    choice_ = Choice::ExportPdf;
    accept();
}

void TFPrintPreview::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (fitting_)
        FitButtonClick();
}

void TFPrintPreview::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (fitting_)
        FitButtonClick();
}
