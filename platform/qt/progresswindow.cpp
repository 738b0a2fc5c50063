#include "platform/qt/progresswindow.h"

#include "platform/progressestimate.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Often enough for the bar to move smoothly, seldom enough to cost nothing next to the rows.
constexpr qint64 eventsEveryMs = 30;

} // namespace

ProgressWindow::ProgressWindow(QWidget* owner, const QString& fileName)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("ProgressWindow"));
    setWindowTitle(QStringLiteral("Opening"));
    setWindowModality(Qt::ApplicationModal);
    Label1 = new QLabel(fileName, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setAccessibleName(QStringLiteral("Progress"));
    ProgressBar1->setRange(0, 1000);
    ProgressBar1->setValue(0);
    ProgressBar1->setMinimumWidth(300);
    Button1 = new QPushButton(QStringLiteral("Cancel"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAccessibleName(Button1->text());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    layout->addWidget(Button1, 0, Qt::AlignRight);
    connect(Button1, &QPushButton::clicked, this, [this] { cancelled_ = true; });
    started_.start();
}

bool ProgressWindow::step(qint64 done, qint64 total) {
    if (!isVisible()) {
        if (!expectedToLastLonger(started_.elapsed(), done, total, showAfterMs))
            return !cancelled_;
        show();
        raise();
        sinceEvents_.invalidate();
    }
    if (!sinceEvents_.isValid() || sinceEvents_.elapsed() >= eventsEveryMs || done == total) {
        ProgressBar1->setValue(total > 0 ? int(done * 1000 / total) : 0);
        QApplication::processEvents();
        sinceEvents_.start();
    }
    return !cancelled_;
}

void ProgressWindow::reject() {
    cancelled_ = true;
}
