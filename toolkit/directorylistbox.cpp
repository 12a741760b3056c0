#include "toolkit/directorylistbox.h"

namespace zorvaku {

TDirectoryListBox::TDirectoryListBox(QWidget* parent)
    : QListWidget(parent)
{
}

}  // namespace zorvaku
