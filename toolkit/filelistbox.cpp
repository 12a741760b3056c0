#include "toolkit/filelistbox.h"

#include <QKeyEvent>

#include "fileops/paths.h"
#include "toolkit/directorylistbox.h"
#include "toolkit/bytes.h"
#include "toolkit/listing.h"
#include "toolkit/workingdirectory.h"

namespace zorvaku {

void FileRowsModel::SetNames(std::vector<std::string> names)
{
    beginResetModel();
    names_ = std::move(names);
    endResetModel();
}

int FileRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant FileRowsModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return ShowBytes(Name(index.row()));
}

TFileListBox::TFileListBox(QWidget* parent)
    : QListView(parent)
    , directory_(WorkingDirectory())
{
    setModel(&rows_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);  // keeps a list of 100,000 files quick
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &TFileListBox::SelectionMoved);
}

void TFileListBox::Enter(const std::string& directory)
{
    directory_ = directory;
    listed_ = true;
    lastReported_ = -1;
    rows_.SetNames(ListPlainFiles(directory_));
    emit Change();
}

void TFileListBox::EnsureListed()
{
    if (!listed_)
        Enter(directory_);
}

void TFileListBox::ApplyFilePath(const std::string& directory)
{
    EnsureListed();
    if (directory == directory_)
        return;
    if (dirList_) {
        dirList_->OpenDirectory(directory);
    } else {
        SetWorkingDirectory(directory);
        Enter(WorkingDirectory());
    }
}

std::string TFileListBox::FileName() const
{
    const int row = SelectedRow();
    return row < 0 ? std::string() : FullFileName(directory_, rows_.Name(row), PlatformPaths);
}

void TFileListBox::showEvent(QShowEvent* event)
{
    QListView::showEvent(event);
    EnsureListed();
}

void TFileListBox::keyPressEvent(QKeyEvent* event)
{
    // With no row selected, a navigation key selects a row at the top (at the
    // bottom for End) instead of moving on from the unselected current row.
    static const int NavigationKeys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp,
        Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
    if (SelectedRow() < 0 && rows_.rowCount() > 0 && std::find(std::begin(NavigationKeys), std::end(NavigationKeys),
                                                                  event->key()) != std::end(NavigationKeys)) {
        const int row = event->key() == Qt::Key_End ? rows_.rowCount() - 1 : 0;
        selectionModel()->setCurrentIndex(rows_.index(row), QItemSelectionModel::ClearAndSelect);
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

QItemSelectionModel::SelectionFlags TFileListBox::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    // One row stays selected once chosen: neither Ctrl+click nor a click
    // beside the rows takes the selection away.
    const QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    if (!index.isValid() || command.testAnyFlag(QItemSelectionModel::Deselect)
        || command.testAnyFlag(QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    return command;
}

int TFileListBox::SelectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void TFileListBox::SelectionMoved()
{
    const int row = SelectedRow();
    if (row < 0 || row == lastReported_)
        return;
    lastReported_ = row;
    emit Change();
}

}  // namespace zorvaku
