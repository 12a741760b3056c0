#pragma once

#include <QListWidget>

namespace zorvaku {

// The directory list of the browsing panel: the levels of the directory on
// show and its subdirectories.
class TDirectoryListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TDirectoryListBox(QWidget* parent = nullptr);
};

}  // namespace zorvaku
