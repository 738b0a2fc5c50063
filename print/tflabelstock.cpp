#include "print/tflabelstock.h"

#include "platform/interaction.h"
#include "print/labelstockchoice.h"
#include "print/pagerenderer.h"
#include "print/stocklist.h"
#include "print/stockplacement.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace {

// A problem line names a file and a template; beyond this it would only widen the window.
constexpr qsizetype kLongestProblem = 300;

QString shortened(const QString& text) {
    return text.size() <= kLongestProblem ? text : text.left(kLongestProblem - 1) + QChar(0x2026);
}

QString libraryNote(const StockReading& library, CoverMode mode, bool generic) {
    QStringList lines;
    if (library.stocks.empty())
        lines << QStringLiteral("The label-template library is not installed: Debian and Ubuntu ship it as "
                                "the package glabels-data. Orbalin's own plain sheets are listed instead.");
    else if (generic)
        lines << QStringLiteral("The label-template library has no sheet for the %1; Orbalin's own plain "
                                "sheets are listed instead.")
                     .arg(QLatin1String(modeInfo(mode).statusText));
    if (!library.problems.isEmpty())
        lines << QStringLiteral("Some template files were not read whole: %1%2")
                     .arg(shortened(library.problems.constFirst()),
                          library.problems.size() > 1
                              ? QStringLiteral(" (and %1 more files)").arg(library.problems.size() - 1)
                              : QString());
    return lines.join(u'\n');
}

} // namespace

// The chosen sheet to scale: the paper, what the printer reaches (dashed) and every die-cut.
class StockSheetView : public QWidget {
public:
    explicit StockSheetView(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("Sheet"));
        setAccessibleName(QStringLiteral("Sheet of the chosen stock"));
        setMinimumSize(220, 280);
    }

    void showStock(const LabelStock* stock, const QRectF& printableMm) {
        stock_ = stock ? std::optional<LabelStock>(*stock) : std::nullopt;
        printableMm_ = printableMm;
        setAccessibleDescription(stock ? QStringLiteral("%1: %2 labels on a %3 × %4 mm sheet")
                                             .arg(stockTitle(*stock), QString::number(stock->count()),
                                                  QString::number(stock->paperWidth),
                                                  QString::number(stock->paperHeight))
                                       : QString());
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().dark());
        if (!stock_ || stock_->paperWidth <= 0 || stock_->paperHeight <= 0)
            return;
        const QSizeF paper(stock_->paperWidth, stock_->paperHeight);
        const QSizeF room = QSizeF(size()) - QSizeF(16, 16);
        const double scale = std::min(room.width() / paper.width(), room.height() / paper.height());
        const QSizeF margin = (QSizeF(size()) - paper * scale) / 2;
        // A page without pictures, drawn as Print preview draws one.
        PagePlan sheet;
        sheet.sheet = PageGeometry{paper, printableMm_};
        sheet.dieCuts = stockDieCuts(*stock_);
        painter.setRenderHint(QPainter::Antialiasing);
        PageRenderer(sheet, nullptr, nullptr, previewStyle())
            .draw(painter, PageUnits::perMillimetre(scale, QPointF(margin.width(), margin.height())));
    }

private:
    std::optional<LabelStock> stock_;
    QRectF printableMm_;
};

TFLabelStock::TFLabelStock(QWidget* owner, const WindowServices& services)
    : QDialog(owner), services_(services) {
    setObjectName(QStringLiteral("LabelStock"));
    setWindowTitle(QStringLiteral("Label stock"));
    buildControls();
    resize(640, 460);
}

TFLabelStock::~TFLabelStock() = default;

void TFLabelStock::buildControls() {
    auto* columns = new QHBoxLayout(this);
    auto* left = new QVBoxLayout();
    columns->addLayout(left, 3);
    auto* searchLabel = new QLabel(QStringLiteral("&Search:"), this);
    Search = new QLineEdit(this);
    Search->setObjectName(QStringLiteral("Search"));
    Search->setAccessibleName(QStringLiteral("Search label stocks by brand, part or description"));
    Search->setClearButtonEnabled(true);
    searchLabel->setBuddy(Search);
    auto* searchRow = new QHBoxLayout();
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(Search, 1);
    left->addLayout(searchRow);
    StockList = new QListWidget(this);
    StockList->setObjectName(QStringLiteral("StockList"));
    StockList->setAccessibleName(QStringLiteral("Label stocks"));
    left->addWidget(StockList, 1);
    Note = new QLabel(this);
    Note->setObjectName(QStringLiteral("Note"));
    Note->setWordWrap(true);
    // Its text wraps to the list's width; a long path must not widen the window.
    Note->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Note->setMinimumWidth(0);
    left->addWidget(Note);

    auto* right = new QVBoxLayout();
    columns->addLayout(right, 2);
    Sheet = new StockSheetView(this);
    right->addWidget(Sheet, 1);
    auto* buttons = new QHBoxLayout();
    right->addLayout(buttons);
    buttons->addStretch();
    OkButton = new QPushButton(QStringLiteral("Ok"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setAccessibleName(QStringLiteral("Place the pictures on this stock"));
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAccessibleName(QStringLiteral("Cancel"));
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);

    connect(Search, &QLineEdit::textChanged, this, [this] { showStocks(); });
    connect(StockList, &QListWidget::currentRowChanged, this, [this] { showSelected(); });
    connect(StockList, &QListWidget::itemDoubleClicked, this, [this] { OkButtonClick(); });
    connect(OkButton, &QPushButton::clicked, this, [this] { OkButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TFLabelStock::prepareFor(CoverMode mode, const StockReading& library, const CalibrationTexts& current,
                              const PrinterPage& page, const std::optional<LabelStock>& chosenBefore) {
    mode_ = mode;
    current_ = current;
    page_ = page;
    chosen_.reset();
    offsets_ = current;
    const std::vector<LabelStock> plain = genericStocks();
    all_ = library.stocks.empty() ? plain : library.stocks;
    stocks_ = stocksFor(library.stocks, mode);
    const bool generic = stocks_.empty();
    if (generic)
        stocks_ = stocksFor(plain, mode);
    libraryNote_ = libraryNote(library, mode, generic);
    StockList->setAccessibleName(
        QStringLiteral("Label stocks for the %1").arg(QLatin1String(modeInfo(mode).statusText)));
    Search->blockSignals(true);
    Search->clear();
    Search->blockSignals(false);
    showStocks();
    if (chosenBefore)
        for (size_t i = 0; i < shown_.size(); ++i)
            if (shown_[i].brand == chosenBefore->brand && shown_[i].part == chosenBefore->part)
                StockList->setCurrentRow(int(i));
    Search->setFocus();
}

void TFLabelStock::showStocks() {
    shown_ = searchStocks(stocks_, Search->text());
    StockList->clear();
    for (const LabelStock& stock : shown_)
        StockList->addItem(stockListText(stock, mode_));
    if (!shown_.empty())
        StockList->setCurrentRow(0);
    showSelected();
}

const LabelStock* TFLabelStock::selected() const {
    const int row = StockList->currentRow();
    return row >= 0 && size_t(row) < shown_.size() ? &shown_[size_t(row)] : nullptr;
}

// The offsets hold only when the sheet goes into the printer in place of the paper it is set for.
void TFLabelStock::showSelected() {
    const LabelStock* stock = selected();
    Sheet->showStock(stock, page_.sheet.printableMm);
    OkButton->setEnabled(stock != nullptr);
    QStringList note{libraryNote_};
    if (shown_.empty())
        note << searchElsewhereNote(all_, Search->text(), mode_);
    const QSizeF paper = page_.sheet.paperMm;
    if (stock != nullptr && (std::abs(stock->paperWidth - paper.width()) > 1 ||
                             std::abs(stock->paperHeight - paper.height()) > 1))
        note << QStringLiteral("This sheet is %1 × %2 mm; the printer is set for %3 × %4 mm paper.")
                    .arg(QString::number(stock->paperWidth), QString::number(stock->paperHeight),
                         QString::number(paper.width()), QString::number(paper.height()));
    note.removeAll(QString());
    Note->setText(note.join(u'\n'));
    Note->setVisible(!note.isEmpty());
}

// A label the printer cannot reach is said as Print preview says it, before Calibrate opens; so is
// a sheet without a second label for the insert.
void TFLabelStock::OkButtonClick() {
    const LabelStock* stock = selected();
    if (stock == nullptr)
        return;
    chosen_ = *stock;
    offsets_ = offsetsForStock(*stock, mode_, current_, page_);
    const bool second = takesSecondPicture(*stock, mode_);
    QStringList said;
    if (const long long off = labelsOffPaper(*stock); off > 0)
        said << QStringLiteral("%1 of this sheet's labels lie wholly off its %2 × %3 mm paper: its template "
                               "is damaged, and the pictures may not land on the labels.")
                    .arg(QString::number(off), QString::number(stock->paperWidth),
                         QString::number(stock->paperHeight));
    if (!second)
        said << placedOnOneLabel(*stock, mode_);
    const auto plan = pagePlanFor(offsets_, page_, true, second);
    if (const auto* placed = std::get_if<PagePlan>(&plan); placed && placed->anyCut())
        said << cutWarning(*placed) + QStringLiteral("\nThe printer cannot reach all of the label: check "
                                                     "the offsets in the Calibrate window.");
    else if (std::holds_alternative<CalibrationFault>(plan))
        said << QStringLiteral("The label lies where no offset can put a picture: check the offsets in "
                               "the Calibrate window.");
    if (!said.isEmpty())
        services_.ui.message(this, said.join(u'\n'));
    accept();
}
