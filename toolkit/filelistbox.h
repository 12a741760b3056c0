#pragma once

#include <string>
#include <vector>

#include <QAbstractListModel>
#include <QListView>

namespace zorvaku {

// The file list's rows: the names of the plain files of one directory, as
// bytes, shown as text.
class FileRowsModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void SetNames(std::vector<std::string> names);
    const std::string& Name(int row) const { return names_[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<std::string> names_;
};

// The file list of the browsing panel: the plain files of its directory in
// natural order (see ListPlainFiles), one selected row at a time.
//
// Change is raised once at the end of every listing, with no row selected,
// and once for every move of the selection to a row other than the one last
// reported, by mouse or by each step of a navigation key; a click on the
// selected row raises nothing. Listing is synchronous, so that Change comes
// before whatever follows the listing.
class TDirectoryListBox;

class TFileListBox : public QListView {
    Q_OBJECT
public:
    // Takes the working directory as its directory; lists it when first shown.
    explicit TFileListBox(QWidget* parent = nullptr);

    // The directory the list lists, as bytes.
    const std::string& Directory() const { return directory_; }
    // Lists directory (the caller has made it the working directory), then raises Change.
    void Enter(const std::string& directory);
    // Lists the directory if that has not happened yet (then raises Change).
    void EnsureListed();
    // Moves the panel to directory: nothing when it is the directory listed
    // (the same bytes); otherwise the linked directory list opens it (see
    // TDirectoryListBox::OpenDirectory) and this list follows. Lists the
    // directory first if it has never been listed. Throws OperationError.
    void ApplyFilePath(const std::string& directory);
    // The selected file's full path: directory, one separator unless the
    // directory ends in one, the name as the file system holds it; "" when
    // no row is selected.
    std::string FileName() const;

signals:
    void Change();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
        const QEvent* event = nullptr) const override;

private:
    friend class TDirectoryListBox;

    int SelectedRow() const;
    void SelectionMoved();

    FileRowsModel rows_;
    std::string directory_;
    bool listed_ = false;   // the directory has been listed at least once
    int lastReported_ = -1;  // the row the last Change was raised for; -1 after a listing
    TDirectoryListBox* dirList_ = nullptr;  // the directory list this list follows
};

}  // namespace zorvaku
