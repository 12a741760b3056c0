#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <QComboBox>

#include "toolkit/volumes.h"

namespace zorvaku {

class TDirectoryListBox;

// The drive selector of the browsing panel: one row per mounted volume of a
// recognised type, in order of mount path, each with the glyph of its type.
// A volume stands for a drive, and its mount path for the drive's letter.
//
// The rows are built once, when the selector is first shown; it then selects
// the row of its drive and raises Change. When the user picks a row of
// another drive, the selector keeps that row and drive, the linked directory
// list moves onto the drive (see TDirectoryListBox::SetDrive), and Change is
// raised. If the directory list cannot enter it, the error box says why, the
// lists keep the old directory and the failed row stays selected.
class TDriveComboBox : public QComboBox {
    Q_OBJECT
public:
    // Where the volumes come from: the system's mount table, or a test's own.
    using VolumeReader = std::function<std::vector<Volume>()>;

    explicit TDriveComboBox(QWidget* parent = nullptr);

    // The selected drive: the mount path of the selected row's volume; ""
    // before the first show or when no volume holds the start directory.
    const std::string& Drive() const { return drive_; }
    // Links the directory list that the selector moves.
    void SetDirList(TDirectoryListBox* dirList);
    void SetVolumeReader(VolumeReader reader) { readVolumes_ = std::move(reader); }

    // The drive of directory: the mount path of the volume holding it.
    std::string DriveOf(const std::string& directory) const;
    // The directory last on show on drive, or the drive's root.
    std::string LastDirectoryOn(const std::string& drive) const;

signals:
    void Change();

protected:
    void showEvent(QShowEvent* event) override;

private:
    friend class TDirectoryListBox;

    // Picks the drive of row (a row the user chose, or the first show's).
    void Pick(int row, bool hadDrive);
    // Notes directory, now on show, as the last on its drive, and shows its
    // drive's row without raising anything.
    void Follow(const std::string& directory);
    int RowOf(const std::string& drive) const;

    VolumeReader readVolumes_;
    std::vector<Volume> volumes_;                    // one per row, read at the first show
    std::map<std::string, std::string> lastOnShow_;  // per drive, the directory last on show there
    std::string drive_;
    bool built_ = false;                     // the rows have been built
    TDirectoryListBox* dirList_ = nullptr;   // moved by a drive pick
};

}  // namespace zorvaku
