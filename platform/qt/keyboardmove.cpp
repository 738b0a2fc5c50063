#include "platform/qt/keyboardmove.h"

#include "platform/qt/application.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace {

bool asksForMenu(const QKeyEvent& key) {
    const Qt::KeyboardModifiers held = key.modifiers() & ~Qt::KeypadModifier;
    return key.key() == Qt::Key_Menu || (key.key() == Qt::Key_F10 && held == Qt::ShiftModifier);
}

bool isEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// Black dashes over white show on any picture under them.
void paintFocusFrame(QWidget& control) {
    QPainter painter(&control);
    const QRect frame = control.rect().adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(frame);
}

class KeyMover : public QObject {
public:
    KeyMover(QWidget* control, std::function<void(QPoint)> move, std::function<void()> open)
        : QObject(control), control_(control), move_(std::move(move)), open_(std::move(open)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::ShortcutOverride: // the window's own shortcuts do not take these keys
            if (!handles(static_cast<QKeyEvent&>(*event)))
                return false;
            event->accept();
            return true;
        case QEvent::KeyPress:
            return press(static_cast<QKeyEvent&>(*event));
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            control_->update();
            return false;
        case QEvent::Paint: {
            // The control paints itself first; the frame goes over it.
            static_cast<QObject*>(control_)->event(event);
            if (control_->hasFocus())
                paintFocusFrame(*control_);
            return true;
        }
        default:
            return false;
        }
    }

private:
    bool handles(const QKeyEvent& key) const {
        return arrowStep(key) || asksForMenu(key) || (open_ && isEnter(key));
    }

    bool press(const QKeyEvent& key) {
        if (const std::optional<QPoint> step = arrowStep(key)) {
            runReportingErrors([&] { move_(*step); });
            return true;
        }
        if (open_ && isEnter(key)) {
            runReportingErrors(open_);
            return true;
        }
        if (asksForMenu(key)) {
            const QPoint at = control_->rect().center();
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, control_->mapToGlobal(at),
                                   key.modifiers());
            QCoreApplication::sendEvent(control_, &menu);
            return true;
        }
        return false;
    }

    QWidget* control_;
    std::function<void(QPoint)> move_;
    std::function<void()> open_;
};

} // namespace

std::optional<QPoint> arrowStep(const QKeyEvent& key) {
    const int pixels = key.modifiers().testFlag(Qt::ShiftModifier) ? 10 : 1;
    switch (key.key()) {
    case Qt::Key_Left:
        return QPoint(-pixels, 0);
    case Qt::Key_Right:
        return QPoint(pixels, 0);
    case Qt::Key_Up:
        return QPoint(0, -pixels);
    case Qt::Key_Down:
        return QPoint(0, pixels);
    default:
        return std::nullopt;
    }
}

QString movingKeysDescription(const QString& opens, bool hasMenu) {
    QString keys = QStringLiteral("Arrow keys move it by one pixel, by ten with Shift.");
    if (!opens.isEmpty())
        keys += QStringLiteral(" Enter %1.").arg(opens);
    if (hasMenu)
        keys += QStringLiteral(" The Menu key or Shift+F10 opens its menu.");
    return keys;
}

void moveWithKeys(QWidget* control, std::function<void(QPoint step)> move, std::function<void()> open,
                  const QString& opens) {
    control->setFocusPolicy(Qt::StrongFocus);
    const QString keys = movingKeysDescription(open ? opens : QString(),
                                               control->contextMenuPolicy() == Qt::CustomContextMenu);
    const QString said = control->accessibleDescription();
    control->setAccessibleDescription(said.isEmpty() ? keys : said + QLatin1Char(' ') + keys);
    control->installEventFilter(new KeyMover(control, std::move(move), std::move(open)));
}
