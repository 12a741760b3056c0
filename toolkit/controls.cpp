#include "toolkit/controls.h"

#include <QComboBox>
#include <QFontDatabase>

namespace zorvaku {

void SetItemHeight(QAbstractItemView* view, int pixels)
{
    view->setItemDelegate(new FixedHeightDelegate(pixels, view));
}

void SetColour(QWidget* control, const QColor& colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Window, colour);
    // A combo box that cannot be typed into draws its face as a button.
    if (qobject_cast<QComboBox*>(control))
        palette.setColor(QPalette::Button, colour);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
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
