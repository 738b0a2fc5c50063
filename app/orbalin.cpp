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
#include "print/tform19.h"
#include "text/tform17.h"

#include <QApplication>

Orbalin::Orbalin(const ProgramContext& givenContext) : context(givenContext) {
    QApplication::setApplicationName(QStringLiteral("Orbalin"));
    OrbalinApplication::setErrorReporter(
        [this](const QString& message) { context.ui.message(Form15, message); });

    mainWindow_ = std::make_unique<TForm15>(*this);
    Form15 = mainWindow_.get();
    Form16 = new TForm16(*this);
    Form17 = new TForm17(*this);
    Form18 = new TForm18(*this);
    Form19 = new TForm19(*this);
    Form20 = new TForm20(*this);
    Form6 = new TForm6(*this);
    Form1 = new TForm1(*this);
    Form2 = new TForm2(*this);
    Form3 = new TForm3(*this);
    Form5 = new TForm5(*this);
    Form7 = new TForm7(*this);
    FLibrary = new TFLibrary(*this);
    Form4 = new TForm4(*this);
}

Orbalin::~Orbalin() {
    OrbalinApplication::setErrorReporter(nullptr);
}
