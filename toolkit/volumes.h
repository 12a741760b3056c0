#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvaku {

// The kinds of volume the drive selector shows; Unknown ones it leaves out.
enum class DriveType { Unknown, Removable, Fixed, Remote, CdRom, RamDisk };

// One line of the mount table (/proc/self/mountinfo), as far as it matters here.
struct MountEntry {
    unsigned major = 0;      // the device's numbers; 0 for file systems on no block device
    unsigned minor = 0;
    std::string mountPath;  // unescaped: "\040" in the table is a space
    std::string fsType;
    std::string source;  // the device, or the server and export of a network file system
};

// The lines of a mount table in mountinfo form; malformed lines are skipped.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// What the system says of a block device, beyond the mount table.
struct DeviceFacts {
    // The device major:minor reports itself removable.
    std::function<bool(unsigned major, unsigned minor)> isRemovable;
    // The volume label of the device at path ("" when it has none).
    std::function<std::string(const std::string& device)> labelOf;
};

// A volume as the drive selector shows it: the mount path stands for the drive.
struct Volume {
    std::string mountPath;
    DriveType type = DriveType::Unknown;
    std::string label;          // fixed, CD-ROM and RAM volumes that have one
    std::string networkSource;  // remote volumes: server:/export, //server/share …
    bool operator==(const Volume&) const = default;
};

// The type of the volume mounted by entry.
DriveType TypeOf(const MountEntry& entry, const DeviceFacts& facts);

// The volumes of recognised type among entries, in order of mount path; of
// a mount path mounted more than once, the last mount (the one on top). The
// root "/" is always among them, even when entries have no line for it.
std::vector<Volume> VolumesOf(const std::vector<MountEntry>& entries, const DeviceFacts& facts);

// The row text of volume: its mount path, then " [label]" for a labelled
// fixed, CD-ROM or RAM volume, or " " and the network source for a remote one.
std::string VolumeRowText(const Volume& volume);

// The volume holding path: the one whose mount path contains it component by
// component (/mnt/a holds /mnt/a/b, not /mnt/ab), the longest such; null when
// none does.
const Volume* VolumeOf(const std::string& path, const std::vector<Volume>& volumes);

// The volumes of this machine, from /proc/self/mountinfo, /sys and /dev/disk/by-label.
std::vector<Volume> ReadVolumes();

}  // namespace zorvaku
