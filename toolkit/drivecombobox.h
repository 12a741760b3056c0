#pragma once

#include <QComboBox>

namespace zorvaku {

// The drive selector of the browsing panel: one row per mounted volume.
class TDriveComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TDriveComboBox(QWidget* parent = nullptr);
};

}  // namespace zorvaku
