#pragma once

#include <QFrame>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <array>
#include <functional>

class QLineEdit;
class QListWidget;

// A list that stays open under an edit line, as the Text Area's font and size lists. The user
// chooses an entry by clicking it, by moving to it with the keys in the list, or by typing its
// beginning in the edit line and pressing Enter; choosing is reported even for the entry already
// selected. Selecting an entry from the program reports nothing.
class ListWithEditLine : public QFrame {
public:
    ListWithEditLine(QWidget* parent, const QString& name, const QString& accessibleName, int itemHeight);

    void setEntries(const QStringList& entries);
    void select(int row);
    int selectedRow() const;
    QString selectedText() const;

    QLineEdit* editLine() const { return edit_; }
    QListWidget* list() const { return list_; }

    std::function<void(int row)> onChosen;

private:
    void choose(int row);
    void selectBeginningWith(const QString& text);

    int itemHeight_;
    QLineEdit* edit_ = nullptr;
    QListWidget* list_ = nullptr;
};

// The colour list's items: the colour's swatch at the item's left, then its name on white, or on
// navy in white letters when selected.
class SwatchDelegate : public QStyledItemDelegate {
public:
    static constexpr int kCount = 13;

    SwatchDelegate(QObject* parent, const std::array<QPixmap, kCount>& swatches,
                   const std::array<int, kCount>& swatchIndex);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const std::array<QPixmap, kCount>& swatches_;
    const std::array<int, kCount>& swatchIndex_;
};
