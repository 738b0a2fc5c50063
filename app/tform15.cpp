#include "app/tform15.h"
#include "about/projectinfo.h"

#include "app/clientarea.h"
#include "app/orbalin.h"
#include "cover/discgeometry.h"
#include "cover/glyphs.h"
#include "lang/languagefile.h"
#include "platform/interaction.h"
#include "platform/linelist.h"
#include "platform/orbalinerror.h"
#include "platform/printerport.h"
#include "platform/qt/application.h"
#include "platform/qt/statuspanels.h"
#include "print/documentprinter.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace {
// A mask of another size would cut pictures to the wrong disc, or leave them uncut: it is reported,
// and dropped as a missing one is.
void refuseMaskOfWrongSize(Picture& mask, const QString& fileName, int size, QStringList& problems) {
    if (mask.isEmpty() || (mask.width() == size && mask.height() == size))
        return;
    problems << QStringLiteral(
                    "The program file \"%1\" could not be loaded: it is %2 × %3 pixels; a disc mask "
                    "must be %4 × %4. Pictures will not be cut to the disc.")
                    .arg(fileName, QString::number(mask.width()), QString::number(mask.height()),
                         QString::number(size));
    mask.clear();
}
} // namespace

TForm15::TForm15(Orbalin& program) : program_(program) {
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Orbalin Special Edition ") + projectinfo::kVersion);
    setWindowIcon(QIcon(logo(47)));
    QFont clientFont = font();
    clientFont.setPointSize(8);
    setFont(clientFont);
    resize(790, 600);
    buildControls();
    connectHandlers();
    watchForChooserHiding();
    FormCreate();
}

TForm15::~TForm15() = default;

void TForm15::FormCreate() {
    document_.onChange([this] { repaintPreview(); });
    document_.programFolder = program_.context.programFolder;
    document_.ownFolder =
        program_.context.ownFolder.isEmpty() ? document_.programFolder : program_.context.ownFolder;
    document_.workFolder = program_.context.workFolder;

    reverseMode = false;
    floatinglabel->hide();
    document_.printerChanged.fill(false);

    // Calibration and other numbers are written with a point whatever the user's region.
    QLocale::setDefault(QLocale::c());

    StatusBar1->setText(3, QStringLiteral("Cd Cover"));

    QStringList problems;
    document_.discMask = loadShippedBitmap(QStringLiteral("round.bmp"), problems);
    document_.smallDiscMask = loadShippedBitmap(QStringLiteral("round_min.bmp"), problems);
    refuseMaskOfWrongSize(document_.discMask, QStringLiteral("round.bmp"), disc::kCoverSize, problems);
    refuseMaskOfWrongSize(document_.smallDiscMask, QStringLiteral("round_min.bmp"), disc::kMiniSize,
                          problems);

    Image2->move(Image2->x(), 2);
    document_.slotCode = 1;
    StatusBar1->setText(0, QStringLiteral("       None..."));
    StatusBar1->setText(1, QStringLiteral("Waiting"));
    StatusBar1->setText(2, QStringLiteral("Picture #1"));

    try {
        if (!program_.context.printer.anyInstalled()) {
            program_.context.ui.message(
                this, QStringLiteral("No PRINTER installed, Printing buttons will be disabled..."));
            disablePrinting();
        } else {
            readPrinterMetrics(document_, program_.context.printer);
            document_.noPrinter = false;
        }
    } catch (const OrbalinError& error) { // a print service that does not answer
        problems << error.message() + QStringLiteral(" Printing buttons will be disabled...");
        disablePrinting();
    }

    // Start-up takes the Cd Cover's calibration as a mode switch does, before any printer change.
    document_.calibrationText = defaultCalibration(0, 0);
    loadModeStock();
    try {
        loadModeCalibration(modeInfo(CoverMode::CdCover));
    } catch (const OrbalinError& error) {
        problems << error.message();
    }

    supfloat->hide();
    Combofonte->addItems(QFontDatabase::families());
    Combofonte->setCurrentIndex(Combofonte->count() > 1 ? 1 : 0);
    combotaillefonte->setCurrentIndex(3);
    setFloatingTextActive(false);

    try {
        loadLanguageChoice();
    } catch (const OrbalinError& error) {
        problems << error.message();
    }
    try {
        loadPrintResolutionChoice();
    } catch (const OrbalinError& error) {
        problems << error.message();
    }
    try {
        loadPdfDieCutChoice();
    } catch (const OrbalinError& error) {
        problems << error.message();
    }

    document_.gradientState = 0;
    QFont editFont = Edition->font();
    editFont.setBold(true);
    editFont.setItalic(false);
    editFont.setUnderline(false);
    editFont.setStrikeOut(false);
    Edition->setFont(editFont);

    document_.showExample(loadShippedBitmap(QStringLiteral("exemple.bmp"), problems));

    if (!problems.isEmpty())
        program_.context.ui.message(this, problems.join(QStringLiteral("\n\n")));
    repaintPreview();
}

// A missing "config.obn" is created holding the English language file; an empty one means it too.
// The user's own choice is read first; the program folder's stands until the user makes one.
void TForm15::loadLanguageChoice() {
    const QString own = document_.ownFile(QStringLiteral("config.obn"));
    const QString shipped = document_.programFolder + QStringLiteral("config.obn");
    const QString path = QFileInfo::exists(own) || !QFileInfo::exists(shipped) ? own : shipped;
    document_.languageFileName = QStringLiteral("english.lag");
    QStringList lines;
    if (QFileInfo::exists(path)) {
        try {
            lines = readLines(path, LineEncoding::Utf8);
        } catch (const OrbalinError& error) {
            throw OrbalinError(
                error.message() +
                QStringLiteral(" The captions stay in English until a language is chosen from the "
                               "Languages menu, which writes the file afresh."));
        }
    } else {
        lines = QStringList{document_.languageFileName};
        writeLines(path, lines, LineEncoding::Utf8);
    }
    if (lines.isEmpty() || lines.constFirst().trimmed().isEmpty())
        return;
    // Only a file of the program folder is a language choice: the file is not opened otherwise.
    if (!isBareFileName(lines.constFirst()))
        throw OrbalinError(
            QStringLiteral("\"config.obn\" names \"%1\" as the language file, which is not a file "
                           "of the program folder. The captions stay in English.")
                .arg(printableName(lines.constFirst())));
    document_.languageFileName = lines.constFirst();
}

namespace {
const QString kPrintChoiceFile = QStringLiteral("print.obn");
const QString kAtScreenResolution = QStringLiteral("screen resolution");
} // namespace

// "print.obn" holds "screen resolution" while Print and Export PDF draw the screen's pictures.
void TForm15::loadPrintResolutionChoice() {
    const QString path = document_.ownFile(kPrintChoiceFile);
    if (QFileInfo::exists(path))
        document_.printAtScreenResolution =
            readLines(path, LineEncoding::Utf8).value(0).trimmed() == kAtScreenResolution;
    PrintAtScreenResolution1->setChecked(document_.printAtScreenResolution);
}

void TForm15::PrintAtScreenResolution1Click() {
    document_.printAtScreenResolution = PrintAtScreenResolution1->isChecked();
    try {
        writeLines(
            document_.ownFile(kPrintChoiceFile),
            {document_.printAtScreenResolution ? kAtScreenResolution : QStringLiteral("printer resolution")},
            LineEncoding::Utf8);
    } catch (const OrbalinError& error) {
        throw OrbalinError(error.message() + QStringLiteral(" The choice holds until the program ends."));
    }
}

Picture TForm15::loadShippedBitmap(const QString& fileName, QStringList& problems) const {
    try {
        return Picture::loadProgramBmp(document_.programFolder + fileName);
    } catch (const OrbalinError& error) {
        problems << QStringLiteral("The program file \"%1\" could not be loaded: %2")
                        .arg(fileName, error.message());
        return Picture();
    }
}

void TForm15::disablePrinting() {
    SpeedButton4->setEnabled(false);
    SpeedButton6->setEnabled(false);
    SpeedButton11->setEnabled(false);
    document_.noPrinter = true;
    Print1->setEnabled(false);
    Printersetup1->setEnabled(false);
}

// The status panel shows it; the program keeps it here, since captions get translated.
void TForm15::setFloatingTextActive(bool active) {
    floatingTextActive_ = active;
    StatusBar1->setText(4, active ? QStringLiteral("Activated") : QStringLiteral("Desactivated"));
}

QString TForm15::statusText(int panel) const {
    return StatusBar1->text(panel);
}
void TForm15::setStatusText(int panel, const QString& text) {
    StatusBar1->setText(panel, text);
}

// Slot and mode switches always show the floating text and the text bar's reverse mode as off.
void TForm15::resetTextStatus() {
    setFloatingTextActive(false);
    StatusBar2->setText(1, QStringLiteral("Reverse desactivated"));
}

void TForm15::resetFloatingText() {
    floatinglabel->hide();
    floatinglabel->move(8, 72);
    supfloat->hide();
    Panel11->hide();
    reverseMode = false;
    showTextBarState();
}

void TForm15::Quit1Click() {
    QFont labelFont = floatinglabel->font();
    labelFont.setPointSize(12);
    floatinglabel->setFont(labelFont);
    QPalette colours = floatinglabel->palette();
    colours.setColor(QPalette::WindowText, Qt::black);
    floatinglabel->setPalette(colours);
    floatinglabel->setText(QStringLiteral("TEXT ! Move, Double Click..."));
    floatinglabel->adjustSize();
    resetFloatingText();
    close();
}

// --- Mode chooser ---

void TForm15::hideModeChooser() {
    Panel1->hide();
}

void TForm15::raiseChooserRow(QFrame* row) {
    for (QFrame* each : {Panel2, Panel3, Panel4})
        each->setFrameShadow(each == row ? QFrame::Raised : QFrame::Plain);
}

void TForm15::watchForChooserHiding() {
    for (QWidget* watched : std::initializer_list<QWidget*>{
             client,        Menu,         SpeedButton1,  SpeedButton2,  SpeedButton3,  SpeedButton4,
             SpeedButton6,  SpeedButton8, SpeedButton9,  SpeedButton11, SpeedButton12, SpeedButton5,
             SpeedButton13, SpeedButton7, SpeedButton14, Panel2,        Panel3,        Panel4,
             Image11,       Image12,      Image13}) {
        watched->setMouseTracking(true);
        watched->installEventFilter(this);
    }
    for (QMenu* menu : {Files1, Options1, Images1, Covers1, Help1})
        connect(menu, &QMenu::aboutToShow, Panel1, &QWidget::hide);
    connect(menuBar(), &QMenuBar::hovered, Panel1, &QWidget::hide);
}

bool TForm15::eventFilter(QObject* watched, QEvent* event) {
    const struct {
        QObject* control;
        QFrame* row;
        void (TForm15::*click)();
    } chooser[] = {
        {Panel2, Panel2, &TForm15::Panel2Click}, {Image11, Panel2, &TForm15::Image11Click},
        {Panel3, Panel3, &TForm15::Panel3Click}, {Image12, Panel3, &TForm15::Image12Click},
        {Panel4, Panel4, &TForm15::Panel4Click}, {Image13, nullptr, &TForm15::Image13Click},
    };
    for (const auto& entry : chooser) {
        if (watched != entry.control)
            continue;
        if (event->type() == QEvent::MouseMove && entry.row != nullptr)
            raiseChooserRow(entry.row);
        else if (event->type() == QEvent::MouseButtonRelease)
            runReportingErrors([this, click = entry.click] { (this->*click)(); });
        return QMainWindow::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseMove)
        hideModeChooser();
    return QMainWindow::eventFilter(watched, event);
}

Interaction& TForm15::ui() const {
    return program_.context.ui;
}
