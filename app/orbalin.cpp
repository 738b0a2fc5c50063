#include "app/orbalin.h"

#include "about/tform2.h"
#include "about/tform20.h"
#include "about/tform5.h"
#include "app/tform1.h"
#include "app/tform15.h"
#include "app/tform6.h"
#include "decor/tflibrary.h"
#include "decor/tform16.h"
#include "decor/tform18.h"
#include "decor/tform3.h"
#include "decor/tform7.h"
#include "lang/tform4.h"
#include "platform/qt/application.h"
#include "platform/interaction.h"
#include "print/tflabelstock.h"
#include "print/tform19.h"
#include "print/tfprintpreview.h"
#include "text/tform17.h"

#include <QApplication>

Orbalin::Orbalin(const ProgramContext& givenContext) : context(givenContext) {
    QApplication::setApplicationName(QStringLiteral("Orbalin"));
    OrbalinApplication::setErrorReporter(
        [this](const QString& message) { context.ui.message(Form15, message); });

    mainWindow_ = std::make_unique<TForm15>(*this);
    Form15 = mainWindow_.get();
    const WindowServices services{*Form15, context.ui, context.printer};
    Form16 = new TForm16(Form15, services);
    Form17 = new TForm17(Form15, services);
    Form18 = new TForm18(Form15, services);
    Form19 = new TForm19(Form15, services);
    Form20 = new TForm20(Form15, services);
    Form6 = new TForm6(Form15, context.startupPauseMs);
    Form1 = new TForm1(Form15, services);
    Form2 = new TForm2(Form15, services);
    Form3 = new TForm3(Form15, services);
    Form5 = new TForm5(Form15, services);
    Form7 = new TForm7(Form15, services);
    FLibrary = new TFLibrary(Form15, services);
    Form4 = new TForm4(Form15, services);
    PrintPreview = new TFPrintPreview(Form15, services);
    LabelStock = new TFLabelStock(Form15, services);
}

Orbalin::~Orbalin() {
    OrbalinApplication::setErrorReporter(nullptr);
}

// Another start from this folder asked for the program: its window, or the dialog open over it,
// comes forward as it was left, unless minimised.
void Orbalin::comeForward() {
    QWidget* window = QApplication::activeModalWidget();
    if (window == nullptr)
        window = Form15;
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}
