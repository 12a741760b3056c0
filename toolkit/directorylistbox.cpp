#include "toolkit/directorylistbox.h"

#include <QKeyEvent>
#include <QPainter>

#include "fileops/operationerror.h"
#include "fileops/paths.h"
#include "toolkit/bytes.h"
#include "toolkit/controls.h"
#include "toolkit/drivecombobox.h"
#include "toolkit/errorbox.h"
#include "toolkit/filelistbox.h"
#include "toolkit/listing.h"
#include "toolkit/workingdirectory.h"

namespace zorvaku {

namespace {

// Where a row leads: the directory it opens, as bytes.
constexpr int PathRole = Qt::UserRole;
// How far a row is indented, in levels.
constexpr int IndentRole = Qt::UserRole + 1;
// Pixels a row moves right per level.
constexpr int IndentStep = 8;

// Draws a row indented by its level, every row the same height.
class IndentedRowDelegate : public FixedHeightDelegate {
public:
    using FixedHeightDelegate::FixedHeightDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem indented = option;
        indented.rect.setLeft(option.rect.left() + IndentStep * index.data(IndentRole).toInt());
        FixedHeightDelegate::paint(painter, indented, index);
    }
};

}  // namespace

TDirectoryListBox::TDirectoryListBox(QWidget* parent)
    : QListWidget(parent)
    , directory_(WorkingDirectory())
    , levelGlyph_(QStringLiteral(":/glyphs/level.png"))
    , onShowGlyph_(QStringLiteral(":/glyphs/current.png"))
    , subdirectoryGlyph_(QStringLiteral(":/glyphs/subdirectory.png"))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(16, 16));
    setItemDelegate(new IndentedRowDelegate(16, this));
    connect(this, &QListWidget::itemDoubleClicked, this,
        [this](QListWidgetItem* item) { RunGuarded([&] { OpenRow(row(item)); }); });
}

void TDirectoryListBox::SetFileList(TFileListBox* fileList)
{
    fileList_ = fileList;
    fileList->dirList_ = this;
}

void TDirectoryListBox::OpenDirectory(const std::string& directory)
{
    if (directory != directory_)
        Enter(directory);
}

void TDirectoryListBox::SetDrive(const std::string& drive)
{
    if (!driveComboBox_ || driveComboBox_->DriveOf(directory_) == drive)
        return;
    // The mount path is the volume's root.
    const std::string last = driveComboBox_->LastDirectoryOn(drive);
    if (last != drive) {
        try {
            Enter(last);
            return;
        } catch (const OperationError&) {
            // Gone or barred since: the volume's root instead.
        }
    }
    Enter(drive);
}

void TDirectoryListBox::showEvent(QShowEvent* event)
{
    QListWidget::showEvent(event);
    if (!built_)
        BuildRows();
}

void TDirectoryListBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        RunGuarded([this] { OpenRow(currentRow()); });
        return;
    }
    QListWidget::keyPressEvent(event);
}

void TDirectoryListBox::Enter(const std::string& directory)
{
    SetWorkingDirectory(directory);
    directory_ = WorkingDirectory();
    BuildRows();
    if (driveComboBox_)
        driveComboBox_->Follow(directory_);
    if (fileList_)
        fileList_->Enter(directory_);
    emit Change();
}

void TDirectoryListBox::BuildRows()
{
    built_ = true;
    clear();
    const auto addRow = [this](const std::string& text, const std::string& path, int indent, const QIcon& glyph) {
        auto* item = new QListWidgetItem(glyph, ShowBytes(text), this);
        item->setData(PathRole, QByteArray(path.data(), static_cast<qsizetype>(path.size())));
        item->setData(IndentRole, indent);
    };
    const std::vector<std::string> levels = DirectoryLevels(directory_);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const bool onShow = i + 1 == levels.size();
        addRow(i == 0 ? levels[i] : BaseName(levels[i], PlatformPaths), levels[i], static_cast<int>(i),
            onShow ? onShowGlyph_ : levelGlyph_);
    }
    const int onShowRow = count() - 1;
    for (const std::string& name : ListSubdirectories(directory_))
        addRow(name, FullFileName(directory_, name, PlatformPaths), static_cast<int>(levels.size()), subdirectoryGlyph_);
    setCurrentRow(onShowRow);
}

void TDirectoryListBox::OpenRow(int row)
{
    if (row < 0 || row >= count())
        return;
    const QByteArray path = item(row)->data(PathRole).toByteArray();
    OpenDirectory(std::string(path.constData(), static_cast<std::size_t>(path.size())));
}

}  // namespace zorvaku
