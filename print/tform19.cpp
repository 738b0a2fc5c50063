#include "print/tform19.h"

#include "cover/coverdocument.h"
#include "cover/mainwindowport.h"
#include "lang/captioncontrols.h"
#include "lang/captiontable.h"
#include "platform/interaction.h"
#include "platform/linelist.h"
#include "platform/orbalinerror.h"
#include "platform/qt/handlerwiring.h"
#include "platform/qt/toolbutton.h"
#include "print/calibrationkeys.h"
#include "print/coverpage.h"
#include "print/documentprinter.h"
#include "print/pagecheck.h"
#include "print/pagesketch.h"
#include "print/stockplacement.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

namespace {

constexpr QSize kSketchSize(112, 158);

QLineEdit* addField(QGroupBox* group, const QString& name, const QString& label, int top,
                    const QString& text) {
    auto* caption = new QLabel(label, group);
    caption->move(10, top + 3);
    auto* edit = new QLineEdit(text, group);
    edit->setObjectName(name);
    edit->setGeometry(80, top, 60, 21);
    caption->setBuddy(edit);
    return edit;
}

QGroupBox* addGroup(QWidget* parent, const QString& name, const QString& title, int left) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    group->setGeometry(left, 10, 150, 80);
    return group;
}

QToolButton* addButton(QWidget* parent, const char* name, const QString& text, int left) {
    return toolButton(parent, QLatin1String(name), {.caption = text, .flat = false, .focus = Qt::StrongFocus},
                      QRect(left, 200, 90, 27));
}

QImage testFrame() {
    QImage frame(450, 450, QImage::Format_Mono);
    frame.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    frame.fill(1);
    const int last = frame.width() - 1;
    for (int i = 0; i <= last; ++i) {
        frame.setPixel(i, 0, 0);
        frame.setPixel(i, last, 0);
        frame.setPixel(0, i, 0);
        frame.setPixel(last, i, 0);
    }
    return frame;
}

// Text pasted or dropped into a field goes through the same rules as typed keys; the cursor stays
// after the characters it had after.
void keepWhatTypingGives(QLineEdit& edit, QString (*keep)(const QString&)) {
    const QString text = edit.text();
    const QString kept = keep(text);
    if (kept == text)
        return;
    const auto cursor = keep(text.left(edit.cursorPosition())).size();
    edit.setText(kept);
    edit.setCursorPosition(static_cast<int>(cursor));
}

QString fieldValueName(int index) {
    return QStringLiteral("the value of %1").arg(calibrationFieldName(index));
}

const QString kEmptyValue =
    QStringLiteral("Empty value prohibited...\n\nValeur NULL interdite, veuillez entrer une valeur.");

} // namespace

TForm19::TForm19(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form19"), captionOf("Form19", kWindowCaption), QSize(620, 240)),
      services_(services) {
    buildFields();
    buildTipsAndSketches();
    buildButtons();
    cadre = testFrame();
}

void TForm19::buildFields() {
    auto* group1 = addGroup(this, QStringLiteral("GroupBox1"), captionOf("Form19", "GroupBox1"), 10);
    auto* group2 = addGroup(this, QStringLiteral("GroupBox2"), captionOf("Form19", "GroupBox2"), 170);
    auto* group3 = addGroup(this, QStringLiteral("GroupBox3"), captionOf("Form19", "GroupBox3"), 330);
    Edit1 =
        addField(group1, QStringLiteral("Edit1"), QStringLiteral("Horizontal"), 22, QStringLiteral("0.50"));
    Edit2 = addField(group1, QStringLiteral("Edit2"), QStringLiteral("Vertical"), 50, QStringLiteral("0.50"));
    Edit3 =
        addField(group2, QStringLiteral("Edit3"), QStringLiteral("Horizontal"), 22, QStringLiteral("0.50"));
    Edit4 =
        addField(group2, QStringLiteral("Edit4"), QStringLiteral("Vertical"), 50, QStringLiteral("15.00"));
    Edit5 = addField(group3, QStringLiteral("Edit5"), QStringLiteral("Horizontal"), 22, QString());
    Edit6 = addField(group3, QStringLiteral("Edit6"), QStringLiteral("Vertical"), 50, QString());
    for (QGroupBox* group : {group1, group2, group3})
        nameFieldsByGroup(*group);
    for (QLineEdit* edit : edits()) {
        edit->installEventFilter(this);
        const auto keep = edit == Edit5 || edit == Edit6 ? &dotsFieldText : &offsetFieldText;
        connect(edit, &QLineEdit::textEdited, this, [edit, keep] { keepWhatTypingGives(*edit, keep); });
    }
}

void TForm19::buildTipsAndSketches() {
    StaticText1 = new QLabel(captionOf("Form19", "StaticText1"), this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setWordWrap(true);
    StaticText1->setGeometry(10, 100, 470, 52);
    StaticText2 = new QLabel(captionOf("Form19", "StaticText2"), this);
    StaticText2->setObjectName(QStringLiteral("StaticText2"));
    StaticText2->setGeometry(10, 160, 470, 20);

    const std::array<CoverMode, 4> modes = {CoverMode::CdCover, CoverMode::FrontCover, CoverMode::BackCover,
                                            CoverMode::MiniCd};
    std::array<QLabel**, 4> images = {&Image1, &Image2, &Image3, &Image4};
    for (size_t i = 0; i < modes.size(); ++i) {
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        image->setPixmap(QPixmap::fromImage(pageSketch(modes[i], kSketchSize)));
        image->setGeometry(QRect(QPoint(495, 14), kSketchSize));
        image->setVisible(i == 0);
        *images[i] = image;
    }
}

void TForm19::buildButtons() {
    SpeedButton1 = addButton(this, "SpeedButton1", QStringLiteral("Ok"), 10);
    SpeedButton2 = addButton(this, "SpeedButton2", captionOf("Form19", "SpeedButton2"), 110);
    SpeedButton3 = addButton(this, "SpeedButton3", captionOf("Form19", "SpeedButton3"), 210);
    connectClicks(this, {{SpeedButton1, &TForm19::SpeedButton1Click},
                         {SpeedButton2, &TForm19::SpeedButton2Click},
                         {SpeedButton3, &TForm19::SpeedButton3Click}});
}

CalibrationTexts TForm19::texts() const {
    CalibrationTexts texts;
    const std::array<QLineEdit*, 6> fields = edits();
    for (size_t i = 0; i < fields.size(); ++i)
        texts[i] = fields[i]->text();
    return texts;
}

void TForm19::prepareFor(CoverMode mode, const CalibrationTexts& values, const QStringList& stockChoice) {
    mode_ = mode;
    stockChoice_ = stockChoice;
    showSketchOf(mode);
    const std::array<QLineEdit*, 6> fields = edits();
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i]->setText(values[i]);
}

void TForm19::showSketchOf(CoverMode mode) {
    const std::array<QLabel*, 4> images = {Image1, Image2, Image3, Image4};
    for (size_t i = 0; i < images.size(); ++i)
        images[i]->setVisible(int(i) + 1 == modeNumber(mode));
}

// Ok closes the window once every value can be a place or size on a page; a
// value that cannot is named and the window stays. When the file cannot be written the user is
// told, and the values still serve until the program ends.
void TForm19::SpeedButton1Click() {
    CoverDocument& document = services_.main.document();
    const CalibrationTexts values = texts();
    if (const std::optional<CalibrationFault> fault = calibrationFault(values)) {
        services_.ui.message(this, QStringLiteral("Nothing was saved: %1 %2")
                                       .arg(fieldValueName(fault->index),
                                            faultDescription(*fault, values[size_t(fault->index)])));
        edits()[size_t(fault->index)]->setFocus();
        return;
    }
    QString failure;
    try {
        writeLines(document.calibrationPath(mode_), QStringList(values.begin(), values.end()));
        document.printerChangedFor(mode_) = false;
    } catch (const OrbalinError& error) {
        failure = error.message();
    }
    document.calibrationText = values;
    accept();
    if (failure.isEmpty() && !stockChoice_.isEmpty()) {
        try {
            writeLines(document.ownFile(stockChoiceFile(mode_)), stockChoice_, LineEncoding::Utf8);
        } catch (const OrbalinError& error) {
            services_.ui.message(parentWidget(),
                                 error.message() + QStringLiteral(" The label stock is not remembered."));
        }
    }
    if (!failure.isEmpty())
        services_.ui.message(
            parentWidget(),
            QStringLiteral("%1\nThe new calibration is used until the program ends; \"%2\" keeps "
                           "the previous one.")
                .arg(failure, QLatin1String(modeInfo(mode_).calibrationFile)));
}

void TForm19::SpeedButton2Click() {
    const CalibrationTexts values = texts();
    if (std::any_of(values.begin(), values.end(), [](const QString& value) { return value.isEmpty(); })) {
        services_.ui.message(this, kEmptyValue);
        return;
    }
    const PagePlan plan = printPagePlan(services_.main.document().printerReading, services_.printer, values,
                                        true, true, QStringLiteral("the test frames"), fieldValueName);
    if (!printAnywayWhenCut(services_.ui, this, plan))
        return;
    printCoverPage(services_.printer, QStringLiteral("Calibration"), plan, &cadre, &cadre);
}

void TForm19::SpeedButton3Click() {
    CoverDocument& document = services_.main.document();
    applyTrueSize(document, services_.printer, mode_);
    Edit5->setText(document.calibrationText[4]);
    Edit6->setText(document.calibrationText[5]);
}

void TForm19::showEvent(QShowEvent* event) {
    const CoverDocument& document = services_.main.document();
    opened_ = InUse{document.calibrationText, document.coverDotsXF, document.coverDotsYF, document.coverDotsX,
                    document.coverDotsY};
    FixedDialog::showEvent(event);
}

void TForm19::reject() {
    if (opened_) {
        CoverDocument& document = services_.main.document();
        document.calibrationText = opened_->texts;
        document.coverDotsXF = opened_->dotsXF;
        document.coverDotsYF = opened_->dotsYF;
        document.coverDotsX = opened_->dotsX;
        document.coverDotsY = opened_->dotsY;
        opened_.reset();
    }
    FixedDialog::reject();
}

bool TForm19::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return FixedDialog::eventFilter(watched, event);
    auto* edit = qobject_cast<QLineEdit*>(watched);
    const auto* keys = static_cast<QKeyEvent*>(event);
    const QString typed = keys->text();
    // Shortcuts (paste, undo, select all) are left to the field; what they bring in is filtered
    // once it is there.
    if (edit == nullptr || typed.size() != 1 ||
        (keys->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    const QChar key = typed.front();
    if (edit == Edit5 || edit == Edit6)
        return isTypedCharacter(key) && !dotsFieldKey(key);
    if (!isTypedCharacter(key))
        return false;
    const OffsetKey decision = offsetFieldKey(edit->text(), key);
    if (decision.emptyField)
        edit->clear();
    if (decision.keep && decision.character != key) {
        edit->insert(QString(decision.character));
        return true;
    }
    return !decision.keep;
}
