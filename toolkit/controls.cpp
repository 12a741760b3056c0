#include "toolkit/controls.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLineEdit>
#include <QFontDatabase>

namespace zorvaku {

void SetItemHeight(QAbstractItemView* view, int pixels)
{
    view->setItemDelegate(new FixedHeightDelegate(pixels, view));
}

void SetColour(QWidget* control, const QColor& colour)
{
    QPalette palette = control->palette();
    if (qobject_cast<QAbstractScrollArea*>(control) || qobject_cast<QLineEdit*>(control)) {
        palette.setColor(QPalette::Base, colour);
    } else if (qobject_cast<QComboBox*>(control)) {
        palette.setColor(QPalette::Base, colour);
        palette.setColor(QPalette::Button, colour);  // the face of a combo box that cannot be typed into
    } else {
        // A window's or label's colour is its background; its children's
        // fields keep their own.
        palette.setColor(QPalette::Window, colour);
        control->setAutoFillBackground(true);
    }
    control->setPalette(palette);
}

QFont WindowFont()
{
    // First the font the window was drawn for, then IPAPGothic, which is made
    // to the same metrics, then other Japanese Gothic faces.
    static const QStringList Preferred{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
        QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic"), QStringLiteral("TakaoPGothic")};
    QFont font;
    QStringList families;
    for (const QString& family : Preferred) {
        if (QFontDatabase::hasFamily(family))
            families << family;
    }
    // Any font that writes Japanese, should none of those be installed.
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    if (!japanese.isEmpty())
        families << japanese.first();
    if (!families.isEmpty())
        font.setFamilies(families);
    font.setPixelSize(12);
    return font;
}

}  // namespace zorvaku
