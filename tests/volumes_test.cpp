#include <gtest/gtest.h>

#include "toolkit/volumes.h"

using namespace zorvaku;

namespace {

struct MountCase {
    const char* title;
    std::string line;
    DriveType type;
    std::string mountPath;
    std::string rowText;  // for a volume that is shown
};

// The facts of this table's block devices: 8:49 reports itself removable;
// /dev/sda2 and /dev/sr0 carry labels.
const DeviceFacts Facts{
    [](unsigned major, unsigned minor) { return major == 8 && minor == 49; },
    [](const std::string& device) {
        return device == "/dev/sda2" ? "HOME" : device == "/dev/sr0" ? "DISC" : device == "/dev/sdd1" ? "STICK" : "";
    },
};

class MountTable : public testing::TestWithParam<MountCase> {};

TEST_P(MountTable, MapsEachLineToADriveTypeAndRow)
{
    const MountCase& c = GetParam();
    const std::vector<MountEntry> entries = ParseMountInfo(c.line);
    ASSERT_EQ(entries.size(), 1u) << c.line;
    EXPECT_EQ(entries[0].mountPath, c.mountPath);
    EXPECT_EQ(TypeOf(entries[0], Facts), c.type);
    const std::vector<Volume> volumes = VolumesOf(entries, Facts);
    // The root is always there; the line's own volume, if shown, after it.
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes[0].mountPath, "/");
    if (c.type == DriveType::Unknown) {
        EXPECT_EQ(volumes.size(), 1u) << "left out";
    } else {
        EXPECT_EQ(VolumeRowText(volumes.back()), c.rowText);
    }
}

INSTANTIATE_TEST_SUITE_P(SampleLines, MountTable,
    testing::Values(
        MountCase{"root_on_disk", "28 1 254:0 / / rw,relatime - ext4 /dev/vda rw", DriveType::Fixed, "/", "/"},
        MountCase{"root_of_any_type", "71 1 0:66 / / rw - overlay overlay rw", DriveType::Fixed, "/", "/"},
        MountCase{"fixed_with_label", "66 28 8:2 / /home rw - ext4 /dev/sda2 rw", DriveType::Fixed, "/home",
            "/home [HOME]"},
        MountCase{"optional_fields", "73 28 8:4 / /data rw,relatime shared:1 master:2 - xfs /dev/sda4 rw",
            DriveType::Fixed, "/data", "/data"},
        MountCase{"escaped_space", "70 28 8:3 / /mnt/with\\040space rw - ext4 /dev/sda3 rw", DriveType::Fixed,
            "/mnt/with space", "/mnt/with space"},
        MountCase{"device_says_removable", "67 28 8:49 / /mnt/stick rw - vfat /dev/sdd1 rw", DriveType::Removable,
            "/mnt/stick", "/mnt/stick"},
        MountCase{"under_run_media", "61 28 8:17 / /run/media/u/USB rw - vfat /dev/sdb1 rw", DriveType::Removable,
            "/run/media/u/USB", "/run/media/u/USB"},
        MountCase{"under_media", "61 28 8:18 / /media/u/CARD rw - exfat /dev/sdc1 rw", DriveType::Removable,
            "/media/u/CARD", "/media/u/CARD"},
        MountCase{"cd_rom", "62 28 11:0 / /media/cdrom ro - iso9660 /dev/sr0 ro", DriveType::CdRom, "/media/cdrom",
            "/media/cdrom [DISC]"},
        MountCase{"nfs", "63 28 0:60 / /mnt/nfs rw - nfs4 server:/export rw", DriveType::Remote, "/mnt/nfs",
            "/mnt/nfs server:/export"},
        MountCase{"cifs", "64 28 0:61 / /mnt/share rw - cifs //server/share rw", DriveType::Remote, "/mnt/share",
            "/mnt/share //server/share"},
        MountCase{"sshfs", "72 28 0:67 / /mnt/ssh rw - fuse.sshfs u@host:/dir rw", DriveType::Remote, "/mnt/ssh",
            "/mnt/ssh u@host:/dir"},
        MountCase{"ram_disk", "65 28 0:62 / /mnt/ram rw - tmpfs tmpfs rw", DriveType::RamDisk, "/mnt/ram", "/mnt/ram"},
        MountCase{"proc", "22 28 0:21 / /proc rw - proc proc rw", DriveType::Unknown, "/proc", ""},
        MountCase{"cgroup", "68 28 0:63 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw", DriveType::Unknown,
            "/sys/fs/cgroup", ""},
        MountCase{"tmpfs_under_dev", "26 24 0:24 / /dev/shm rw - tmpfs tmpfs rw", DriveType::Unknown, "/dev/shm", ""},
        MountCase{"tmpfs_under_run", "60 28 0:50 / /run/user/1000 rw - tmpfs tmpfs rw", DriveType::Unknown,
            "/run/user/1000", ""},
        MountCase{"unknown_fuse", "69 28 0:64 / /mnt/portal rw - fuse.portal portal rw", DriveType::Unknown,
            "/mnt/portal", ""}),
    [](const testing::TestParamInfo<MountCase>& info) { return info.param.title; });

TEST(MountTableText, SkipsMalformedLinesKeepsOrderOfPathsAndTheTopMount)
{
    const std::string table = "28 1 254:0 / / rw - ext4 /dev/vda rw\n"
                              "garbage\n"
                              "80 28 8:5 / /mnt/x rw - ext4 /dev/sda5 rw\n"
                              "81 80 0:70 / /mnt/x rw - tmpfs tmpfs rw\n"  // mounted over the disk
                              "82 28 0:71 / /mnt/b rw - tmpfs tmpfs rw\n"
                              "83 28 0:72 / /mnt/a rw - tmpfs tmpfs rw\n";
    const std::vector<Volume> volumes = VolumesOf(ParseMountInfo(table), Facts);
    ASSERT_EQ(volumes.size(), 4u);
    EXPECT_EQ(volumes[0].mountPath, "/");
    EXPECT_EQ(volumes[1].mountPath, "/mnt/a");
    EXPECT_EQ(volumes[2].mountPath, "/mnt/b");
    EXPECT_EQ(volumes[3].mountPath, "/mnt/x");
    EXPECT_EQ(volumes[3].type, DriveType::RamDisk);
}

TEST(MountTableText, AChrootsTableWithoutRootStillHasTheRoot)
{
    const std::vector<Volume> volumes = VolumesOf(ParseMountInfo("22 28 0:21 / /proc rw - proc proc rw\n"), Facts);
    ASSERT_EQ(volumes.size(), 1u);
    EXPECT_EQ(volumes[0].mountPath, "/");
    EXPECT_EQ(volumes[0].type, DriveType::Fixed);
}

TEST(VolumeOfPath, TheLongestMountPathHoldingItComponentByComponent)
{
    const std::vector<Volume> volumes{{"/", DriveType::Fixed, {}, {}}, {"/mnt/a", DriveType::RamDisk, {}, {}}};
    EXPECT_EQ(VolumeOf("/mnt/a", volumes)->mountPath, "/mnt/a");
    EXPECT_EQ(VolumeOf("/mnt/a/b/c", volumes)->mountPath, "/mnt/a");
    EXPECT_EQ(VolumeOf("/mnt/ab", volumes)->mountPath, "/");
    EXPECT_EQ(VolumeOf("/", volumes)->mountPath, "/");
    EXPECT_EQ(VolumeOf("/mnt/a/b", {{"/mnt/a", DriveType::RamDisk, {}, {}}})->mountPath, "/mnt/a");
    EXPECT_EQ(VolumeOf("/home", {{"/mnt/a", DriveType::RamDisk, {}, {}}}), nullptr);
}

TEST(ThisMachine, HasItsRootAmongItsVolumes)
{
    const std::vector<Volume> volumes = ReadVolumes();
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes[0].mountPath, "/");
    EXPECT_EQ(volumes[0].type, DriveType::Fixed);
}

}  // namespace
