#include "text/textarealists.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// Reports a move made with the keys; a click is reported by the list itself.
class KeyedList : public QListWidget {
public:
    using QListWidget::QListWidget;
    std::function<void(int row)> onKeyMove;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int before = currentRow();
        QListWidget::keyPressEvent(event);
        if (currentRow() != before && currentRow() >= 0 && onKeyMove)
            onKeyMove(currentRow());
    }
};

const QColor kNavy(0, 0, 128);

} // namespace

ListWithEditLine::ListWithEditLine(QWidget* parent, const QString& name, const QString& accessibleName,
                                   int itemHeight)
    : QFrame(parent), itemHeight_(itemHeight) {
    setObjectName(name);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(name + QStringLiteral("Edit"));
    edit_->setAccessibleName(accessibleName);
    auto* list = new KeyedList(this);
    list_ = list;
    list_->setObjectName(name + QStringLiteral("List"));
    list_->setAccessibleName(accessibleName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit_);
    layout->addWidget(list_);

    list->onKeyMove = [this](int row) { choose(row); };
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choose(list_->row(item)); });
    connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) { selectBeginningWith(text); });
    connect(edit_, &QLineEdit::returnPressed, this, [this] {
        if (selectedRow() >= 0)
            choose(selectedRow());
    });
}

void ListWithEditLine::setEntries(const QStringList& entries) {
    list_->clear();
    const QFontMetrics metrics(list_->font());
    for (const QString& entry : entries) {
        auto* item = new QListWidgetItem(entry, list_);
        item->setSizeHint(QSize(metrics.horizontalAdvance(entry) + 8, itemHeight_));
    }
}

void ListWithEditLine::select(int row) {
    const QSignalBlocker quiet(list_);
    list_->setCurrentRow(row);
    if (QListWidgetItem* item = list_->item(row)) {
        list_->scrollToItem(item, QAbstractItemView::PositionAtTop);
        edit_->setText(item->text());
    }
}

int ListWithEditLine::selectedRow() const {
    return list_->currentRow();
}

QString ListWithEditLine::selectedText() const {
    const QListWidgetItem* item = list_->currentItem();
    return item != nullptr ? item->text() : QString();
}

void ListWithEditLine::choose(int row) {
    select(row);
    if (onChosen)
        onChosen(row);
}

void ListWithEditLine::selectBeginningWith(const QString& text) {
    if (text.isEmpty())
        return;
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->text().startsWith(text, Qt::CaseInsensitive)) {
            const QSignalBlocker quiet(list_);
            list_->setCurrentRow(row);
            list_->scrollToItem(list_->item(row), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

SwatchDelegate::SwatchDelegate(QObject* parent, const std::array<QPixmap, kCount>& swatches,
                               const std::array<int, kCount>& swatchIndex)
    : QStyledItemDelegate(parent), swatches_(swatches), swatchIndex_(swatchIndex) {}

void SwatchDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->save();
    painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
    int textLeft = option.rect.left();
    if (index.row() >= 0 && index.row() < kCount) {
        const QPixmap& swatch = swatches_[size_t(swatchIndex_[size_t(index.row())])];
        painter->drawPixmap(option.rect.topLeft(), swatch);
        textLeft += swatch.width() + 2;
    }
    const QString name = index.data(Qt::DisplayRole).toString();
    const QFontMetrics metrics(option.font);
    const QRect text(textLeft, option.rect.top(), metrics.horizontalAdvance(name), metrics.height());
    painter->fillRect(text, selected ? kNavy : QColor(Qt::white));
    painter->setFont(option.font);
    painter->setPen(selected ? QColor(Qt::white) : QColor(Qt::black));
    painter->drawText(text, Qt::AlignLeft | Qt::AlignTop, name);
    painter->restore();
}

QSize SwatchDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return {QStyledItemDelegate::sizeHint(option, index).width(), 16};
}
