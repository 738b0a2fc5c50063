#include "text/tform17.h"

#include "cover/coverdocument.h"
#include "cover/glyphs.h"
#include "lang/captiontable.h"
#include "platform/interaction.h"
#include "platform/qt/application.h"
#include "platform/qt/controlpurpose.h"
#include "platform/qt/handlerwiring.h"
#include "platform/qt/statuspanels.h"
#include "platform/qt/toolbutton.h"
#include "platform/qt/windowface.h"
#include "text/textarealists.h"
#include "text/textlayouts.h"
#include "text/textpainter.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QPainter>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {
constexpr int kStatusHeight = 19;

QString caption(const char* control) {
    return captionOf("Form17", control);
}

void paint(QWidget* widget, const QColor& colour) {
    QPalette colours = widget->palette();
    colours.setColor(widget->backgroundRole(), colour);
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}

QToolButton* areaButton(QWidget* parent, const char* name, Glyph picture, QRect geometry,
                        Qt::ToolButtonStyle style = Qt::ToolButtonTextUnderIcon, int pictureSize = 32) {
    return toolButton(parent, QLatin1String(name),
                      {.caption = caption(name),
                       .icon = QIcon(glyph(picture, pictureSize)),
                       .iconSize = pictureSize,
                       .style = style,
                       .namedByCaption = true},
                      geometry);
}

// The glyph shows the style on or off to the eye, the checked state to a screen reader.
void showStyle(QToolButton* button, bool on, const QPixmap& onGlyph, const QPixmap& offGlyph) {
    button->setIcon(QIcon(on ? onGlyph : offGlyph));
    button->setChecked(on);
}

QPixmap swatch(const QColor& colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(colour);
    painter.drawRect(1, 1, 13, 13);
    return pixmap;
}
} // namespace

TForm17::TForm17(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form17"), captionOf("Form17", kWindowCaption), QSize(532, 330),
                  TitleButtons::None),
      services_(services) {
    buildControls();
    buildLists();

    connectClicks(this, {{SpeedButton1, &TForm17::SpeedButton1Click},
                         {SpeedButton2, &TForm17::SpeedButton2Click},
                         {SpeedButton3, &TForm17::SpeedButton3Click},
                         {SpeedButton4, &TForm17::SpeedButton4Click},
                         {SpeedButton8, &TForm17::SpeedButton8Click},
                         {SpeedButton11, &TForm17::SpeedButton11Click},
                         {SpeedButton10, &TForm17::SpeedButton10Click},
                         {SpeedButton9, &TForm17::SpeedButton9Click},
                         {SpeedButton6, &TForm17::SpeedButton6Click}});
    ComboBox2->onChosen = [this](int row) { runReportingErrors([&] { ComboBox2Click(row); }); };
    ComboBox3->onChosen = [this](int row) { runReportingErrors([&] { ComboBox3Click(row); }); };
    // A choice in the colour list is a click and then a change, so it colours the whole text.
    connect(ComboBox4, &QComboBox::activated, this, reportingErrors([this] {
                ComboBox4Click();
                ComboBox4Change();
            }));
    connect(Timer1, &QTimer::timeout, this, reportingErrors([this] { Timer1Timer(); }));

    FormCreate();
}

void TForm17::buildControls() {
    Image3 = glyph(Glyph::Bold);
    Image4 = glyph(Glyph::BoldOn);
    Image5 = glyph(Glyph::Italic);
    Image6 = glyph(Glyph::ItalicOn);

    Panel5 = new QFrame(this);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setGeometry(0, 0, 530, 64);
    Panel5->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    paint(Panel5, mainWindowFace());
    const auto barButton = [this](const char* name, Glyph picture, int left) {
        return areaButton(Panel5, name, picture, QRect(left, 2, 60, 60));
    };
    SpeedButton1 = barButton("SpeedButton1", Glyph::Clear, 14);
    SpeedButton2 = barButton("SpeedButton2", Glyph::Bold, 84);
    SpeedButton3 = barButton("SpeedButton3", Glyph::Italic, 144);
    SpeedButton4 = barButton("SpeedButton4", Glyph::TextVertical, 215);
    SpeedButton8 = barButton("SpeedButton8", Glyph::TextCenter, 275);
    SpeedButton11 = barButton("SpeedButton11", Glyph::TextLeft, 335);
    SpeedButton10 = barButton("SpeedButton10", Glyph::TextAdjust, 395);
    SpeedButton9 = barButton("SpeedButton9", Glyph::Exit, 465);
    SpeedButton2->setCheckable(true);
    SpeedButton3->setCheckable(true);
    SpeedButton7 = barButton("SpeedButton7", Glyph::TextEffect, 540);
    SpeedButton7->hide();

    const int listsTop = height() - kStatusHeight - 130;
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setAccessibleName(QStringLiteral("Text"));
    RichEdit1->setAcceptRichText(false); // pasted text takes the editor's look
    RichEdit1->setTabChangesFocus(true); // a stamp has no use for tab characters
    RichEdit1->setGeometry(0, 64, width(), listsTop - 64);
    RichEdit1->document()->setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    RichEdit1->installEventFilter(this);
    RichEdit1->viewport()->installEventFilter(this);

    Panel3 = new QFrame(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(0, listsTop, width(), 130);
    paint(Panel3, mainWindowFace());
    Panel4 = new QFrame(Panel3);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setGeometry(width() - 217, 0, 217, 130);
    paint(Panel4, mainWindowFace());

    SpeedButton6 = areaButton(Panel3, "SpeedButton6", Glyph::TextColour, QRect(154, 102, 103, 24),
                              Qt::ToolButtonTextBesideIcon, 16);

    StatusBar1 = new StatusPanels(this, QStringLiteral("StatusBar1"), {{25}, {150}, {50}}, kStatusHeight);
    StatusBar1->setGeometry(0, height() - kStatusHeight, width(), kStatusHeight);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
}

void TForm17::buildLists() {
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(11);
    ComboBox2 = new ListWithEditLine(Panel3, QStringLiteral("ComboBox2"), QStringLiteral("Font"), 14);
    ComboBox2->setGeometry(8, 8, 249, 97);
    ComboBox2->setFont(small);
    paint(ComboBox2->list(), QColor(250, 252, 228));
    ComboBox3 = new ListWithEditLine(Panel4, QStringLiteral("ComboBox3"), QStringLiteral("Font size"), 14);
    ComboBox3->setGeometry(8, 8, 201, 89);
    paint(ComboBox3->list(), QColor(225, 242, 255));

    ComboBox4 = new QComboBox(Panel3);
    ComboBox4->setObjectName(QStringLiteral("ComboBox4"));
    tellPurpose(*ComboBox4, QStringLiteral("Text colour"));
    ComboBox4->setGeometry(8, 104, 145, 22);
    for (size_t k = 0; k < ImageList2.size(); ++k) {
        const NamedColour& named = namedColours()[k];
        ImageList2[k] = swatch(colourFromValue(named.value));
        swatchIndex[k] = int(k);
        ComboBox4->addItem(QIcon(ImageList2[k]), QLatin1String(named.name));
    }
    ComboBox4->setItemDelegate(new SwatchDelegate(ComboBox4, ImageList2, swatchIndex));

    // Tab goes down the window as it reads: the tool bar, the text, then the lists left to right.
    QWidget* const reading[] = {RichEdit1,    ComboBox2->editLine(), ComboBox2->list(), ComboBox4,
                                SpeedButton6, ComboBox3->editLine(), ComboBox3->list()};
    for (size_t i = 1; i < std::size(reading); ++i)
        setTabOrder(reading[i - 1], reading[i]);
}

void TForm17::FormCreate() {
    ComboBox2->setEntries(fontListEntries(QFontDatabase::families()));
    ComboBox2->select(0);
    ComboBox3->setEntries(fontSizeEntries());
    ComboBox4->setCurrentIndex(0);
    LoadedLayoutTables loaded = loadLayoutTables(services_.main.document().programFolder);
    layoutTables = loaded.tables;
    if (!loaded.problems.isEmpty())
        services_.ui.message(this, loaded.problems.join(QStringLiteral("\n\n")));
    ComboBox3->select(2); // "10"
    Timer1->start();
}

void TForm17::SpeedButton1Click() {
    RichEdit1->clear();
}

void TForm17::SpeedButton2Click() {
    toggleStyle(false);
}

void TForm17::SpeedButton3Click() {
    toggleStyle(true);
}

// One click switches the style either on or off over the whole text, never both: switching it on
// clears the pending flag that switching it off needs.
void TForm17::toggleStyle(bool italic) {
    const auto has = [&] {
        return italic ? selectionIsItalic(RichEdit1->textCursor()) : selectionIsBold(RichEdit1->textCursor());
    };
    const auto apply = [&](bool on) {
        QTextCharFormat format;
        if (italic)
            format.setFontItalic(on);
        else
            format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        RichEdit1->mergeCurrentCharFormat(format);
        showStyle(italic ? SpeedButton3 : SpeedButton2, on, italic ? Image6 : Image4,
                  italic ? Image5 : Image3);
        (italic ? italicGlyphStale : boldGlyphStale) = true;
    };
    styleTogglePending = 1;
    RichEdit1->selectAll();
    if (!has()) {
        apply(true);
        styleTogglePending = 0;
    }
    if (has() && styleTogglePending == 1)
        apply(false);
}

void TForm17::SpeedButton4Click() {
    layOut(TextLayout::Vertical);
}

void TForm17::SpeedButton8Click() {
    layOut(TextLayout::Center);
}

void TForm17::SpeedButton11Click() {
    layOut(TextLayout::LeftAligned);
}

namespace {

QString layoutName(TextLayout layout) {
    switch (layout) {
    case TextLayout::Vertical:
        return QStringLiteral("Vertical");
    case TextLayout::Center:
        return QStringLiteral("Center");
    case TextLayout::LeftAligned:
        return QStringLiteral("Left ali.");
    case TextLayout::Adjust:
        break;
    }
    return QStringLiteral("Adjust");
}

} // namespace

void TForm17::SpeedButton10Click() {
    layOut(TextLayout::Adjust);
}

void TForm17::SpeedButton9Click() {
    reject();
}

// The text goes onto the picture as it was last fitted, so a layout replaces the one before it.
void TForm17::layOut(TextLayout layout) {
    MainWindowPort& main = services_.main;
    CoverDocument& document = main.document();
    if (layout == TextLayout::Adjust) {
        if (const std::optional<QString> refusal = adjustRefusal(document.currentMode())) {
            services_.ui.message(this, *refusal);
            return;
        }
    }
    const std::optional<SlotInfo> target = document.currentSlot();
    if (!target) {
        main.repaintPreview();
        return;
    }
    const TextPlan plan =
        planTextLayout(layout, *RichEdit1->document(), listStyle(), target->mode, layoutTables);
    const auto i = size_t(target->index);
    if (main.pictureToDrawOn(*target).isEmpty()) {
        main.repaintPreview();
        return;
    }
    document.apply(i, {layoutName(layout), TextLayoutStep{plan}});
}

TextStyle TForm17::listStyle() const {
    TextStyle style;
    style.family = ComboBox2->selectedText();
    style.pointSize = ComboBox3->selectedText().toInt();
    style.colour = currentTextColour;
    return style;
}

void TForm17::SpeedButton6Click() {
    const std::optional<QColor> chosen = services_.ui.chooseColour(this, currentTextColour);
    if (!chosen)
        return;
    RichEdit1->setTextCursor(caretLineWithBreak(RichEdit1->textCursor()));
    currentTextColour = *chosen;
    QTextCharFormat format;
    format.setForeground(*chosen);
    RichEdit1->mergeCurrentCharFormat(format);
}

void TForm17::ComboBox2Click(int row) {
    RichEdit1->selectAll();
    QTextCharFormat format;
    format.setFontFamilies({ComboBox2->list()->item(row)->text()});
    RichEdit1->mergeCurrentCharFormat(format);
    RichEdit1->setFocus();
}

void TForm17::ComboBox3Click(int row) {
    RichEdit1->selectAll();
    QTextCharFormat format;
    format.setFontPointSize(fontSizeEntries().value(row).toInt());
    RichEdit1->mergeCurrentCharFormat(format);
}

void TForm17::ComboBox4Click() {
    RichEdit1->selectAll();
}

void TForm17::ComboBox4Change() {
    const int item = ComboBox4->currentIndex();
    if (item < 0 || item >= int(namedColours().size()))
        return;
    QTextCharFormat format;
    format.setForeground(colourFromValue(namedColours()[size_t(item)].value));
    RichEdit1->mergeCurrentCharFormat(format);
    currentTextColour = RichEdit1->currentCharFormat().foreground().color();
}

// Keeps the line number and the Bold and Italic glyphs in step with the caret.
void TForm17::Timer1Timer() {
    const QTextCursor caret = RichEdit1->textCursor();
    currentLineIndex = caret.blockNumber();
    StatusBar1->setText(0, QString::number(currentLineIndex + 1));
    if (boldGlyphStale) {
        showStyle(SpeedButton2, selectionIsBold(caret), Image4, Image3);
        boldGlyphStale = false;
    }
    if (italicGlyphStale) {
        showStyle(SpeedButton3, selectionIsItalic(caret), Image6, Image5);
        italicGlyphStale = false;
    }
}

bool TForm17::eventFilter(QObject* watched, QEvent* event) {
    const bool inEditor = watched == RichEdit1 || watched == RichEdit1->viewport();
    if (inEditor && (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress)) {
        boldGlyphStale = true;
        italicGlyphStale = true;
    }
    return FixedDialog::eventFilter(watched, event);
}

void TForm17::showEvent(QShowEvent* event) {
    const QRect owner = parentWidget()->frameGeometry();
    move(owner.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    FixedDialog::showEvent(event);
}
