// The printer setup dialog over a real print queue (tools/cups-queue.sh): Cancel leaves the printer
// as it was, and what OK hands over still prints a cover at its true size.
#include "platform/qt/qtinteraction.h"
#include "platform/qt/qtprinterport.h"
#include "support/modaluser.h"
#include "support/printedpage.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

// What the program relies on when it prints: where the job goes and the page it measured.
struct PrinterState {
    QPrinter::OutputFormat format;
    QString name;
    QString file;
    QPageLayout layout;
    int copies;
    QStringList jobOptions;
    int dotsAcross;
    int dotsDown;

    explicit PrinterState(QtPrinterPort& port)
        : format(port.device()->outputFormat()), name(port.device()->printerName()),
          file(port.device()->outputFileName()), layout(port.device()->pageLayout()),
          copies(port.device()->copyCount()),
          jobOptions(port.device()
                         ->printEngine()
                         ->property(QPrintEngine::PrintEnginePropertyKey(0xfe00))
                         .toStringList()),
          dotsAcross(port.deviceCaps(DeviceCap::HORZRES)), dotsDown(port.deviceCaps(DeviceCap::VERTRES)) {}

    bool operator==(const PrinterState&) const = default;
};

class SetupOnAQueue : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(cupsQueueReady(kCupsPdfQueue)) << "start the queue with tools/cups-queue.sh start";
        ASSERT_NE(port.device(), nullptr);
    }

    static QPushButton* button(QDialog& dialog, QDialogButtonBox::StandardButton which) {
        return dialog.findChild<QDialogButtonBox*>()->button(which);
    }

    QtPrinterPort port{QString::fromLatin1(kCupsPdfQueue)};
    QtInteraction ui;
};

TEST_F(SetupOnAQueue, CancelAfterChoosingAnotherPrinterAndPageChangesNothing) {
    const PrinterState before(port);
    ASSERT_EQ(before.format, QPrinter::NativeFormat);
    ModalUser user;
    user.then("QPrintDialog",
              [](QDialog& dialog) {
                  auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
                  printers->setCurrentIndex(printers->count() - 1); // "Print to File (PDF)"
                  dialog.findChild<QSpinBox*>(QStringLiteral("copies"))->setValue(2);
                  ModalUser::press(dialog.findChild<QPushButton*>(QStringLiteral("properties")));
              })
        .then("QPrintPropertiesDialog",
              [](QDialog& properties) {
                  properties.findChild<QRadioButton*>(QStringLiteral("landscape"))->click();
                  button(properties, QDialogButtonBox::Ok)->click();
              })
        .then("QPrintDialog", [](QDialog& dialog) { button(dialog, QDialogButtonBox::Cancel)->click(); });
    bool accepted = true;
    EXPECT_TRUE(user.run([&] { accepted = ui.printerSetup(nullptr, port); }));
    EXPECT_FALSE(accepted);
    EXPECT_TRUE(PrinterState(port) == before);
    EXPECT_EQ(port.device()->printerName(), QLatin1String(kCupsPdfQueue));
    EXPECT_EQ(port.device()->outputFormat(), QPrinter::NativeFormat);
}

TEST_F(SetupOnAQueue, PagesPerSheetChosenInTheDialogDoNotShrinkTheCover) {
    ModalUser user;
    user.then("QPrintDialog",
              [](QDialog& dialog) {
                  ModalUser::press(dialog.findChild<QPushButton*>(QStringLiteral("properties")));
              })
        .then("QPrintPropertiesDialog",
              [](QDialog& properties) {
                  auto* perSheet = properties.findChild<QComboBox*>(QStringLiteral("pagesPerSheetCombo"));
                  perSheet->setCurrentIndex(perSheet->findText(QStringLiteral("2"), Qt::MatchStartsWith));
                  button(properties, QDialogButtonBox::Ok)->click();
              })
        .then("QPrintDialog", [](QDialog& dialog) { button(dialog, QDialogButtonBox::Ok)->click(); });
    bool accepted = false;
    EXPECT_TRUE(user.run([&] { accepted = ui.printerSetup(nullptr, port); }));
    ASSERT_TRUE(accepted);

    // A Back Cover's 151 x 119 mm, drawn in printer dots from the page's printable corner.
    const QString title = QStringLiteral("SetupScaling");
    const QDateTime since = QDateTime::currentDateTime().addSecs(-1);
    const double dotsPerMm = port.deviceCaps(DeviceCap::LOGPIXELSX) / 25.4;
    QPainter& page = port.beginJob(title);
    page.fillRect(QRectF(0, 0, 151 * dotsPerMm, 119 * dotsPerMm), Qt::red);
    port.endJob();

    const std::optional<QString> pdf = waitForJobPdf(title, since, 30000);
    ASSERT_TRUE(pdf.has_value()) << "no PDF of the job in " << cupsPdfFolder().toStdString();
    constexpr int dpi = 200;
    const std::optional<QImage> printed = rasterisePdf(*pdf, dpi);
    QFile::remove(*pdf);
    ASSERT_TRUE(printed.has_value());
    const std::optional<QRect> cover = colourBox(*printed, Qt::red, 40);
    ASSERT_TRUE(cover.has_value());
    const QRectF coverMm = pixelsToMm(*cover, dpi);
    EXPECT_NEAR(coverMm.width(), 151, 0.5);
    EXPECT_NEAR(coverMm.height(), 119, 0.5);
}

} // namespace
