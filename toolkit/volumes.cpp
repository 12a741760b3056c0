#include "toolkit/volumes.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <sstream>

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

namespace zorvaku {

namespace {

// File systems of the network.
constexpr std::array RemoteTypes{"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "sshfs", "9p", "afs", "ceph",
    "glusterfs", "fuse.glusterfs", "davfs", "fuse.davfs2", "fuse.rclone", "ncpfs", "coda"};
// File systems of optical discs.
constexpr std::array CdRomTypes{"iso9660", "udf"};
// File systems that live in memory.
constexpr std::array RamTypes{"tmpfs", "ramfs"};

template <std::size_t N>
bool OneOf(const std::string& value, const std::array<const char*, N>& values)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

// path equals directory, or lies below it.
bool Holds(const std::string& directory, const std::string& path)
{
    if (directory == "/")
        return !path.empty() && path[0] == '/';
    return path.compare(0, directory.size(), directory) == 0
        && (path.size() == directory.size() || path[directory.size()] == '/');
}

// A field of the mount table with its octal escapes ("\040" for a space) undone.
std::string Unescaped(std::string_view field)
{
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3'
            && field[i + 2] >= '0' && field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7') {
            text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

// The volume labels of /dev/disk/by-label, by the device each names.
std::map<std::string, std::string> LabelsByDevice()
{
    std::map<std::string, std::string> labels;
    const std::string directory = "/dev/disk/by-label";
    DIR* dir = ::opendir(directory.c_str());
    if (!dir)
        return labels;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        char device[PATH_MAX];
        if (::realpath((directory + "/" + entry->d_name).c_str(), device)) {
            // udev writes a label's unsafe bytes as \xNN.
            std::string label;
            const std::string name = entry->d_name;
            for (std::size_t i = 0; i < name.size(); ++i) {
                if (name.compare(i, 2, "\\x") == 0 && i + 3 < name.size()) {
                    label += static_cast<char>(std::stoi(name.substr(i + 2, 2), nullptr, 16));
                    i += 3;
                } else {
                    label += name[i];
                }
            }
            labels[device] = label;
        }
    }
    ::closedir(dir);
    return labels;
}

// The first line of a small file of /sys, "" when unreadable.
std::string SysValue(const std::string& path)
{
    std::ifstream in(path);
    std::string value;
    std::getline(in, value);
    return value;
}

bool BlockDeviceRemovable(unsigned major, unsigned minor)
{
    char device[PATH_MAX];
    const std::string link = "/sys/dev/block/" + std::to_string(major) + ":" + std::to_string(minor);
    if (!::realpath(link.c_str(), device))
        return false;
    const std::string path = device;
    // A partition has no flag of its own: its disk is the directory above.
    const std::string flag = ::access((path + "/partition").c_str(), F_OK) == 0 ? path + "/../removable" : path + "/removable";
    return SysValue(flag) == "1";
}

}  // namespace

std::vector<MountEntry> ParseMountInfo(std::string_view text)
{
    std::vector<MountEntry> entries;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        // id parent major:minor root mountpath options [optional…] - type source superoptions
        std::istringstream fields(line);
        std::vector<std::string> words;
        for (std::string word; fields >> word;)
            words.push_back(word);
        const auto dash = std::find(words.begin(), words.end(), "-");
        if (words.size() < 6 || dash == words.end() || dash - words.begin() < 6 || words.end() - dash < 3)
            continue;
        MountEntry entry;
        if (std::sscanf(words[2].c_str(), "%u:%u", &entry.major, &entry.minor) != 2)
            continue;
        entry.mountPath = Unescaped(words[4]);
        entry.fsType = Unescaped(dash[1]);
        entry.source = Unescaped(dash[2]);
        entries.push_back(std::move(entry));
    }
    return entries;
}

DriveType TypeOf(const MountEntry& entry, const DeviceFacts& facts)
{
    if (entry.mountPath == "/")
        return DriveType::Fixed;
    // The system's own mounts are no drives (/run/media holds removable media).
    for (const char* system : {"/proc", "/sys", "/dev", "/run"}) {
        if (Holds(system, entry.mountPath) && !Holds("/run/media", entry.mountPath))
            return DriveType::Unknown;
    }
    if (OneOf(entry.fsType, RemoteTypes))
        return DriveType::Remote;
    if (OneOf(entry.fsType, CdRomTypes))
        return DriveType::CdRom;
    if (OneOf(entry.fsType, RamTypes))
        return DriveType::RamDisk;
    const bool onBlockDevice = entry.source.rfind("/dev/", 0) == 0 || entry.fsType == "zfs";
    if (!onBlockDevice)
        return DriveType::Unknown;  // proc, sysfs, cgroup, fuse helpers and the like
    if (Holds("/media", entry.mountPath) || Holds("/run/media", entry.mountPath)
        || (facts.isRemovable && facts.isRemovable(entry.major, entry.minor)))
        return DriveType::Removable;
    return DriveType::Fixed;
}

std::vector<Volume> VolumesOf(const std::vector<MountEntry>& entries, const DeviceFacts& facts)
{
    std::map<std::string, Volume> byPath;  // a later mount on the same path hides the earlier one
    // The root is always a volume, also where the table has no line for it (in a chroot).
    byPath["/"] = Volume{"/", DriveType::Fixed, {}, {}};
    for (const MountEntry& entry : entries) {
        Volume volume{entry.mountPath, TypeOf(entry, facts), {}, {}};
        if (volume.type == DriveType::Remote)
            volume.networkSource = entry.source;
        else if (volume.type != DriveType::Removable && facts.labelOf)
            volume.label = facts.labelOf(entry.source);
        byPath[entry.mountPath] = volume;
    }
    std::vector<Volume> volumes;
    for (auto& [path, volume] : byPath) {
        if (volume.type != DriveType::Unknown)
            volumes.push_back(std::move(volume));
    }
    return volumes;
}

std::string VolumeRowText(const Volume& volume)
{
    if (volume.type == DriveType::Remote && !volume.networkSource.empty())
        return volume.mountPath + " " + volume.networkSource;
    if (volume.type != DriveType::Removable && volume.type != DriveType::Remote && !volume.label.empty())
        return volume.mountPath + " [" + volume.label + "]";
    return volume.mountPath;
}

const Volume* VolumeOf(const std::string& path, const std::vector<Volume>& volumes)
{
    const Volume* best = nullptr;
    for (const Volume& volume : volumes) {
        if (Holds(volume.mountPath, path) && (!best || volume.mountPath.size() > best->mountPath.size()))
            best = &volume;
    }
    return best;
}

std::vector<Volume> ReadVolumes()
{
    std::ifstream in("/proc/self/mountinfo");
    std::stringstream text;
    text << in.rdbuf();
    const std::map<std::string, std::string> labels = LabelsByDevice();
    const DeviceFacts facts{
        BlockDeviceRemovable,
        [&labels](const std::string& device) {
            char resolved[PATH_MAX];  // /dev/mapper/x and the like are links
            const auto found = labels.find(::realpath(device.c_str(), resolved) ? resolved : device);
            return found == labels.end() ? std::string() : found->second;
        },
    };
    return VolumesOf(ParseMountInfo(text.str()), facts);
}

}  // namespace zorvaku
