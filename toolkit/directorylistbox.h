#pragma once

#include <string>

#include <QListWidget>

namespace zorvaku {

class TDriveComboBox;
class TFileListBox;

// The directory list of the browsing panel. Its rows are the root, each
// level down to the directory on show (highlighted), then the subdirectories
// of the directory on show, without hidden ones, in name order without
// regard to letter case.
//
// A double-click or Enter opens the highlighted row; a click or an arrow key
// only moves the highlight. Opening a directory makes it the working
// directory first: if the system refuses, the error box says why and nothing
// changes. Otherwise the rows are rebuilt, the linked file list lists the
// same directory (its Change), and then Change is raised.
class TDirectoryListBox : public QListWidget {
    Q_OBJECT
public:
    // Takes the working directory as the directory on show; builds its rows when first shown.
    explicit TDirectoryListBox(QWidget* parent = nullptr);

    // The directory on show, as the system reported it when it was entered.
    const std::string& Directory() const { return directory_; }
    // Links the file list that lists the directory on show.
    void SetFileList(TFileListBox* fileList);

    // Opens directory: nothing when it is the directory on show (the same
    // bytes); otherwise as described above. Throws OperationError.
    void OpenDirectory(const std::string& directory);
    // Moves to drive (a volume's mount path) unless the directory on show is
    // on it already: to the directory last on show there, or, when that cannot
    // be entered any more, to the volume's root. Throws OperationError.
    void SetDrive(const std::string& drive);

signals:
    void Change();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class TDriveComboBox;

    // Enters directory (see OpenDirectory), without comparing it first.
    void Enter(const std::string& directory);
    void BuildRows();
    // Opens the directory of row (none for the row of the directory on show).
    void OpenRow(int row);

    std::string directory_;
    // Levels, the directory on show and subdirectories each have their folder.
    const QIcon levelGlyph_, onShowGlyph_, subdirectoryGlyph_;
    bool built_ = false;                       // the rows have been built at least once
    TFileListBox* fileList_ = nullptr;         // follows every entry
    TDriveComboBox* driveComboBox_ = nullptr;  // the drive selector linked to this list, which follows it
};

}  // namespace zorvaku
