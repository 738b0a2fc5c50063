// Takes the help page's pictures of the program: the whole program runs in a temporary copy of its
// folder, with a printer stand-in, and is driven through its buttons and menus; every window it
// shows is saved as a PNG before the next step.
// Usage: QT_QPA_PLATFORM=offscreen screenshots FOLDER [LANGUAGE FILE]
// A language file of the program ("german.lag") shows the windows in that language, to check that
// a translation fits.

#include "app/orbalin.h"
#include "app/tform1.h"
#include "app/tform15.h"
#include "decor/tflibrary.h"
#include "decor/tform16.h"
#include "decor/tform18.h"
#include "lang/captioncontrols.h"
#include "platform/orbalinerror.h"
#include "platform/printerport.h"
#include "platform/qt/application.h"
#include "platform/qt/qtinteraction.h"
#include "text/textarealists.h"
#include "text/tform17.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLinearGradient>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>

namespace {

// An A4 printer at 600 dots per inch that cannot reach the outer 100 dots of the sheet.
class PrinterStandIn : public PrinterPort {
public:
    bool anyInstalled() override { return true; }
    int deviceCaps(DeviceCap index) override {
        switch (index) {
        case DeviceCap::LOGPIXELSX:
        case DeviceCap::LOGPIXELSY:
            return 600;
        case DeviceCap::HORZSIZE:
            return 201;
        case DeviceCap::VERTSIZE:
            return 288;
        case DeviceCap::HORZRES:
            return 4760;
        case DeviceCap::VERTRES:
            return 6816;
        }
        return 0;
    }
    std::optional<PageGeometry> pageGeometry() override {
        const double margin = 100 * 25.4 / 600;
        return PageGeometry{QSizeF(210, 297), QRectF(margin, margin, 210 - 2 * margin, 297 - 2 * margin)};
    }
    QPainter& beginJob(const QString&) override { throw OrbalinError(QStringLiteral("Not printing.")); }
    void endJob() override {}
    void abortJob() override {}
};

using WindowStep = std::function<void(QDialog&)>;

// The desktop's dialogs answered by the script: each modal window is shown, saved, then handed
// to the next step, which may press its buttons. Messages are printed rather than shown.
class Photographer : public QtInteraction {
public:
    explicit Photographer(QDir folder) : folder_(std::move(folder)) {}

    std::deque<QString> filesToOpen;
    std::deque<QColor> colours;                             // answers of the colour dialog
    std::deque<std::pair<QString, WindowStep>> windowSteps; // picture name and what to do then
    int messages = 0;
    bool failed = false;

    void save(QWidget& window, const QString& name, double scale = 1.0) {
        QImage picture = window.grab().toImage();
        if (scale != 1.0)
            picture = picture.scaledToWidth(qRound(picture.width() * scale), Qt::SmoothTransformation);
        picture = picture.convertToFormat(QImage::Format_RGB888); // no alpha: smaller files
        const QString path = folder_.filePath(name + QStringLiteral(".png"));
        if (!picture.save(path, "PNG", 9)) {
            std::fprintf(stderr, "screenshots: cannot write %s\n", qPrintable(path));
            failed = true;
        }
    }

    void message(QWidget*, const QString& text) override {
        ++messages;
        std::fprintf(stderr, "screenshots: the program said: %s\n", qPrintable(text));
    }
    bool confirm(QWidget*, const QString&) override { return true; }
    std::optional<FileDialogAnswer> openFile(QWidget*, const FileDialogRequest&) override {
        if (filesToOpen.empty())
            return std::nullopt;
        FileDialogAnswer answer{filesToOpen.front(), 0};
        filesToOpen.pop_front();
        return answer;
    }
    std::optional<FileDialogAnswer> saveFile(QWidget*, const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<QColor> chooseColour(QWidget*, const QColor&) override {
        if (colours.empty())
            return std::nullopt;
        const QColor chosen = colours.front();
        colours.pop_front();
        return chosen;
    }
    bool printerSetup(QWidget*, PrinterPort&) override { return false; }
    void showModal(QDialog& window) override {
        window.show();
        QApplication::processEvents();
        if (windowSteps.empty()) {
            std::fprintf(stderr, "screenshots: no step for the window %s\n", qPrintable(window.objectName()));
            failed = true;
        } else {
            auto [name, step] = std::move(windowSteps.front());
            windowSteps.pop_front();
            QApplication::processEvents();
            if (!name.isEmpty())
                save(window, name);
            if (step)
                step(window);
        }
        window.hide();
    }

private:
    QDir folder_;
};

// A holiday photograph drawn in code, larger than a cover so that Slide has something to choose from.
QImage holidayPhoto() {
    QImage photo(1200, 900, QImage::Format_RGB888);
    QPainter p(&photo);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 560);
    sky.setStops(
        {{0, QColor(0x2d, 0x5f, 0xb8)}, {0.7, QColor(0xf5, 0xa6, 0x5b)}, {1, QColor(0xfb, 0xe3, 0x9c)}});
    p.fillRect(photo.rect(), sky);
    QRadialGradient sun(QPointF(820, 430), 120);
    sun.setStops({{0, QColor(255, 250, 220)}, {0.5, QColor(255, 220, 120)}, {1, QColor(255, 200, 100, 0)}});
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(820, 430), 120, 120);
    p.setBrush(QColor(0x3c, 0x3a, 0x6e));
    p.drawPolygon(QPolygonF(
        {{0, 600}, {220, 330}, {420, 520}, {640, 300}, {930, 560}, {1200, 380}, {1200, 900}, {0, 900}}));
    QLinearGradient sea(0, 560, 0, 900);
    sea.setStops({{0, QColor(0x1f, 0x4e, 0x8c)}, {1, QColor(0x0c, 0x24, 0x4a)}});
    p.fillRect(QRect(0, 580, 1200, 320), sea);
    p.setBrush(QColor(255, 230, 160, 160));
    for (int row = 0; row < 8; ++row)
        p.drawRect(QRectF(800 - 20 * row, 600 + 30 * row, 40 + 40 * row, 4));
    return photo;
}

// The main window's own control of that name (the windows it owns reuse names); the run ends
// when there is none, since every picture after it would show the wrong thing.
QObject& named(QWidget& window, const char* name) {
    const QList<QObject*> found = controlsNamed(window, name);
    if (found.isEmpty()) {
        std::fprintf(stderr, "screenshots: no control named %s\n", name);
        std::exit(1);
    }
    return *found.front();
}

// Clicks the button, or chooses the menu entry, of that name as the user does.
void press(QWidget& window, const char* name) {
    QObject& control = named(window, name);
    if (auto* action = qobject_cast<QAction*>(&control))
        action->trigger();
    else if (auto* button = qobject_cast<QAbstractButton*>(&control))
        button->click();
}

// Drags the control with the left button from one point to another, in its own coordinates.
void drag(QWidget& control, QPoint from, QPoint to) {
    const auto send = [&control](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, control.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&control, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
}

void requireDoneAll(Photographer& shots) {
    if (!shots.windowSteps.empty()) {
        std::fprintf(stderr, "screenshots: the window for %s never came\n",
                     qPrintable(shots.windowSteps.front().first));
        shots.failed = true;
        shots.windowSteps.clear();
    }
}

// Opens the photograph into the current picture and fits it with Resize.
void openAndResize(Orbalin& program, Photographer& shots, const QString& photo) {
    shots.filesToOpen.push_back(photo);
    shots.windowSteps.push_back({{}, [&program](QDialog&) { program.Form1->SpeedButton1->click(); }});
    press(*program.Form15, "SpeedButton1");
    requireDoneAll(shots);
}

void takeModes(Orbalin& program, Photographer& shots, const QString& photo) {
    TForm15& main = *program.Form15;
    const struct {
        const char* mode;
        const char* name;
    } modes[] = {
        {"Frontcover1", "mode-front-cover"}, {"Backcover1", "mode-back-cover"}, {"MiniCD1", "mode-mini-cd"}};
    for (const auto& mode : modes) {
        press(main, mode.mode);
        openAndResize(program, shots, photo);
        shots.save(main, QString::fromLatin1(mode.name), 0.5);
    }
    press(main, "Cdcover1");
}

void takeWindows(Orbalin& program, Photographer& shots, const QString& photo) {
    TForm15& main = *program.Form15;

    // Open, then Resize-Adjust: the Adjust window, then Slide with its frame moved onto the sun.
    shots.filesToOpen.push_back(photo);
    shots.windowSteps.push_back(
        {QStringLiteral("adjust"), [&program](QDialog&) { program.Form1->SpeedButton2->click(); }});
    shots.windowSteps.push_back({{}, [&program, &shots](QDialog& window) {
                                     TForm16& slide = *program.Form16;
                                     slide.frameMouseDown(QPoint(10, 10)); // onto the sunset and a peak
                                     slide.frameMouseMove(*slide.Image2, QPoint(240, 25));
                                     slide.frameMouseUp();
                                     shots.save(window, QStringLiteral("slide"));
                                     slide.SpeedButton1->click(); // Modify
                                 }});
    press(main, "SpeedButton1");
    requireDoneAll(shots);
    shots.save(main, QStringLiteral("main-window"));

    shots.windowSteps.push_back({{}, [&program, &shots](QDialog& window) {
                                     TForm17& textArea = *program.Form17;
                                     textArea.RichEdit1->setPlainText(
                                         QStringLiteral("\n\nSummer by the Sea\nRoad trip 2024"));
                                     textArea.ComboBox3->select(11); // 28 points
                                     textArea.ComboBox3Click(11);
                                     textArea.ComboBox4->setCurrentIndex(1); // white
                                     textArea.ComboBox4Click();
                                     textArea.ComboBox4Change();
                                     textArea.SpeedButton2->click(); // Bold
                                     textArea.SpeedButton8->click(); // Center
                                     shots.save(window, QStringLiteral("text-area"));
                                 }});
    press(main, "SpeedButton7");
    requireDoneAll(shots);
    shots.save(main, QStringLiteral("text-center"));

    press(main, "SpeedButton20"); // the floating text
    press(main, "ChangeTextmodifierletexte1");
    shots.save(main, QStringLiteral("text-bar"));
    shots.windowSteps.push_back({QStringLiteral("text-bar-help"), {}});
    press(main, "SpeedButton24");
    requireDoneAll(shots);
    press(main, "SpeedButton21"); // Cancel
    press(main, "HidetextareaCacherlazonedetexte2");

    // Picture #2: an elliptical gradient, from midnight blue to sky blue.
    press(main, "SpeedButton9");
    shots.colours = {QColor(0x10, 0x1c, 0x5c), QColor(0x9f, 0xd4, 0xf5)};
    shots.windowSteps.push_back({{}, [&program, &shots](QDialog& window) {
                                     TForm18& gradient = *program.Form18;
                                     gradient.ComboBox5->setCurrentIndex(1);
                                     gradient.SpeedButton3->click(); // Color #1
                                     gradient.SpeedButton4->click(); // Color #2
                                     shots.save(window, QStringLiteral("gradient"));
                                     gradient.SpeedButton1->click(); // Insert
                                 }});
    press(main, "SpeedButton13");
    requireDoneAll(shots);
    press(main, "SpeedButton8");

    shots.windowSteps.push_back({QStringLiteral("effects"), {}});
    press(main, "SpeedButton23");
    shots.windowSteps.push_back({QStringLiteral("labels"), {}});
    press(main, "SpeedButton10");
    shots.windowSteps.push_back({{}, [&program, &shots](QDialog& window) {
                                     program.FLibrary->ListView1->setCurrentRow(3);
                                     shots.save(window, QStringLiteral("gallery"));
                                     program.FLibrary->SpeedButton1->click(); // Insert
                                 }});
    press(main, "SpeedButton25");
    requireDoneAll(shots);
    drag(dynamic_cast<QWidget&>(named(main, "MyPicture")), QPoint(5, 5), QPoint(405, 385)); // onto the sea
    shots.save(main, QStringLiteral("added-picture"));
    press(main, "SpeedButton22"); // Insert Pict.

    shots.windowSteps.push_back({QStringLiteral("calibrate"), {}});
    press(main, "SpeedButton11");
    shots.windowSteps.push_back(
        {{}, [&shots](QDialog& window) { shots.save(window, QStringLiteral("print-preview"), 0.7); }});
    press(main, "PrintPreview1");
    shots.windowSteps.push_back({QStringLiteral("credits"), {}});
    press(main, "About1");
    requireDoneAll(shots);

    takeModes(program, shots, photo);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_FONT_DPI", "96");
    OrbalinApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fputs("usage: QT_QPA_PLATFORM=offscreen screenshots FOLDER [LANGUAGE FILE]\n", stderr);
        return 2;
    }
    const QDir target(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir programFolder;
    const QDir data(QStringLiteral(ORBALIN_DATA_DIR));
    for (const QString& name : data.entryList(QDir::Files))
        QFile::copy(data.filePath(name), programFolder.filePath(name));
    if (argc == 3) {
        QFile choice(programFolder.filePath(QStringLiteral("config.obn")));
        if (!choice.open(QIODevice::WriteOnly) || choice.write(QByteArray(argv[2]) + "\r\n") < 0)
            return 1;
    }
    const QString photo = programFolder.filePath(QStringLiteral("holiday.bmp"));
    if (!target.exists() || !programFolder.isValid() || !holidayPhoto().save(photo, "BMP")) {
        std::fprintf(stderr, "screenshots: cannot prepare the folders\n");
        return 1;
    }

    Photographer shots(target);
    PrinterStandIn printer;
    Orbalin program({programFolder.path() + QLatin1Char('/'), shots, printer, 0});
    program.Form15->show();
    QApplication::processEvents();
    takeWindows(program, shots, photo);
    if (shots.messages > 0 || shots.failed) {
        std::fprintf(stderr, "screenshots: some pictures may not show what they should\n");
        return 1;
    }
    return 0;
}
