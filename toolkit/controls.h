#pragma once

#include <QAbstractItemView>
#include <QColor>
#include <QFont>
#include <QStyledItemDelegate>

namespace zorvaku {

// Draws rows as the style does, every row the same given height.
class FixedHeightDelegate : public QStyledItemDelegate {
public:
    FixedHeightDelegate(int height, QObject* parent)
        : QStyledItemDelegate(parent)
        , height_(height)
    {
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

private:
    int height_;
};

// Gives every row of view the height pixels.
void SetItemHeight(QAbstractItemView* view, int pixels);

// Sets the colour of control's face: the field of a list, combo box or edit,
// the background of anything else.
void SetColour(QWidget* control, const QColor& colour);

// The window's font: the Japanese proportional Gothic at 12 pixels, or the
// nearest font the system has.
QFont WindowFont();

}  // namespace zorvaku
