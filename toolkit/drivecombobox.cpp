#include "toolkit/drivecombobox.h"

namespace zorvaku {

TDriveComboBox::TDriveComboBox(QWidget* parent)
    : QComboBox(parent)
{
}

}  // namespace zorvaku
