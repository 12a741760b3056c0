#include "toolkit/drivecombobox.h"

#include <QStyle>

#include "toolkit/bytes.h"
#include "toolkit/directorylistbox.h"
#include "toolkit/errorbox.h"
#include "toolkit/workingdirectory.h"

namespace zorvaku {

namespace {

QIcon GlyphOf(DriveType type, const QStyle* style)
{
    switch (type) {
    case DriveType::Removable: return style->standardIcon(QStyle::SP_DriveFDIcon);
    case DriveType::Remote: return style->standardIcon(QStyle::SP_DriveNetIcon);
    case DriveType::CdRom: return style->standardIcon(QStyle::SP_DriveCDIcon);
    case DriveType::RamDisk: return style->standardIcon(QStyle::SP_ComputerIcon);
    case DriveType::Fixed:
    case DriveType::Unknown: break;
    }
    return style->standardIcon(QStyle::SP_DriveHDIcon);
}

}  // namespace

TDriveComboBox::TDriveComboBox(QWidget* parent)
    : QComboBox(parent)
    , readVolumes_(ReadVolumes)
{
    setIconSize(QSize(16, 16));
    connect(this, &QComboBox::activated, this, [this](int row) { RunGuarded([&] { Pick(row, true); }); });
}

void TDriveComboBox::SetDirList(TDirectoryListBox* dirList)
{
    dirList_ = dirList;
    dirList->driveComboBox_ = this;
}

std::string TDriveComboBox::DriveOf(const std::string& directory) const
{
    const Volume* volume = VolumeOf(directory, volumes_);
    return volume ? volume->mountPath : std::string();
}

std::string TDriveComboBox::LastDirectoryOn(const std::string& drive) const
{
    const auto found = lastOnShow_.find(drive);
    return found == lastOnShow_.end() ? drive : found->second;
}

void TDriveComboBox::showEvent(QShowEvent* event)
{
    QComboBox::showEvent(event);
    if (built_)
        return;
    built_ = true;
    volumes_ = readVolumes_();
    for (const Volume& volume : volumes_)
        addItem(GlyphOf(volume.type, style()), ShowBytes(VolumeRowText(volume)));
    const std::string start = dirList_ ? dirList_->Directory() : WorkingDirectory();
    lastOnShow_[DriveOf(start)] = start;
    RunGuarded([&] { Pick(RowOf(DriveOf(start)), false); });
}

void TDriveComboBox::Pick(int row, bool hadDrive)
{
    const std::string drive = row >= 0 ? volumes_[static_cast<std::size_t>(row)].mountPath : std::string();
    if (hadDrive && drive == drive_)
        return;
    drive_ = drive;
    setCurrentIndex(row);
    if (dirList_)
        dirList_->SetDrive(drive);  // nothing when the directory on show is on that drive
    emit Change();
}

void TDriveComboBox::Follow(const std::string& directory)
{
    drive_ = DriveOf(directory);
    lastOnShow_[drive_] = directory;
    setCurrentIndex(RowOf(drive_));
}

int TDriveComboBox::RowOf(const std::string& drive) const
{
    for (std::size_t i = 0; i < volumes_.size(); ++i) {
        if (volumes_[i].mountPath == drive)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace zorvaku
