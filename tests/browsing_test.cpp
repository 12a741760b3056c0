#include <QLineEdit>
#include <QSignalSpy>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileops/paths.h"
#include "tests/formfixture.h"
#include "toolkit/listing.h"
#include "toolkit/directorylistbox.h"
#include "toolkit/drivecombobox.h"
#include "toolkit/workingdirectory.h"

using namespace zorvaku;
using namespace zorvaku::test;

// The browsing panel in the window: which events a directory open and a
// drive pick raise, in which order, and that the working directory is always
// the directory on show.
class BrowsingTest : public QObject {
    Q_OBJECT

private:
    // Records the panel's change events, after the window's own handler of
    // each has run: "file:<full file name>", "dir", "drive".
    struct EventLog {
        void Watch(TForm1& form)
        {
            connect(form.FileListBox1, &TFileListBox::Change, form.FileListBox1,
                [this, &form] { events << "file:" + QString::fromStdString(form.FileListBox1->FileName()); });
            connect(form.DirectoryListBox1, &TDirectoryListBox::Change, form.DirectoryListBox1, [this] { events << "dir"; });
            connect(form.DriveComboBox1, &TDriveComboBox::Change, form.DriveComboBox1, [this] { events << "drive"; });
        }
        QStringList Take() { return std::exchange(events, {}); }
        QStringList events;
    };

    // The row of the directory list that shows text.
    static int DirRow(const TForm1& form, const QString& text)
    {
        const auto found = form.DirectoryListBox1->findItems(text, Qt::MatchExactly);
        return found.isEmpty() ? -1 : form.DirectoryListBox1->row(found.first());
    }

    static void DoubleClickDirRow(TForm1& form, int row)
    {
        auto* list = form.DirectoryListBox1;
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    static QStringList DirRows(const TForm1& form)
    {
        QStringList rows;
        for (int i = 0; i < form.DirectoryListBox1->count(); ++i)
            rows << form.DirectoryListBox1->item(i)->text();
        return rows;
    }

    static QStringList Files(const TForm1& form)
    {
        QStringList rows;
        for (int i = 0; i < form.FileListBox1->model()->rowCount(); ++i)
            rows << form.FileListBox1->model()->index(i, 0).data().toString();
        return rows;
    }

    // Volumes made of directories under f.dir: the root, "ram" (a RAM disk) and "stick".
    static std::vector<Volume> FakeVolumes(const FormFixture& f)
    {
        return {{"/", DriveType::Fixed, {}, {}}, {f.dir / "ram", DriveType::RamDisk, "RAM", {}},
            {f.dir / "stick", DriveType::Removable, {}, {}}};
    }

private slots:
    void theFirstShowRaisesTheDriveAndFileEventsOnly()
    {
        FormFixture f;
        EventLog log;
        TForm1& form = f.Start([&](TForm1& form) { log.Watch(form); });
        QCOMPARE(log.Take(), QStringList({"file:", "drive"}));
        QCOMPARE(WorkingDirectory(), f.dir.path());
        QCOMPARE(form.DirectoryListBox1->Directory(), f.dir.path());
        QCOMPARE(form.DirectoryListBox1->currentItem()->text(), QString::fromStdString(BaseName(f.dir.path(), PosixPaths)));
        QVERIFY(form.DriveComboBox1->currentIndex() >= 0);
        QCOMPARE(f.errors, QStringList());
    }

    void directoryRowsLevelsThenSubdirectories()
    {
        FormFixture f;
        for (const char* name : {"beta", "Alpha", ".hidden"})
            ::mkdir(f.Path(name).c_str(), 0755);
        TForm1& form = f.Start();
        QStringList expected{"/"};
        for (const std::string& level : DirectoryLevels(f.dir.path()))
            if (level != "/")
                expected << QString::fromStdString(BaseName(level, PosixPaths));
        expected << "Alpha" << "beta";
        QCOMPARE(DirRows(form), expected);
        QCOMPARE(form.DirectoryListBox1->sizeHintForRow(0), 16);
        QVERIFY(!form.DirectoryListBox1->item(0)->icon().isNull());
        QVERIFY(form.DirectoryListBox1->item(0)->icon().cacheKey() != form.DirectoryListBox1->currentItem()->icon().cacheKey());
    }

    void openingADirectoryRaisesFileThenDirAndMovesTheWorkingDirectory()
    {
        FormFixture f;
        ::mkdir(f.Path("sub").c_str(), 0755);
        WriteFile(f.Path("sub/inner.txt"), "x");
        EventLog log;
        TForm1& form = f.Start([&](TForm1& form) { log.Watch(form); });
        log.Take();

        DoubleClickDirRow(form, DirRow(form, "sub"));
        QCOMPARE(log.Take(), QStringList({"file:", "dir"}));
        QCOMPARE(WorkingDirectory(), f.Path("sub"));
        QCOMPARE(form.FileListBox1->Directory(), f.Path("sub"));
        QCOMPARE(Files(form), QStringList{"inner.txt"});
        QCOMPARE(form.DirectoryListBox1->currentItem()->text(), QStringLiteral("sub"));

        // The row of the directory on show opens nothing.
        DoubleClickDirRow(form, form.DirectoryListBox1->currentRow());
        QCOMPARE(log.Take(), QStringList());

        // Enter opens the highlighted row; clicks and arrow keys only move the highlight.
        const int parent = form.DirectoryListBox1->currentRow() - 1;
        QTest::mouseClick(form.DirectoryListBox1->viewport(), Qt::LeftButton, {},
            form.DirectoryListBox1->visualItemRect(form.DirectoryListBox1->item(parent)).center());
        QTest::keyClick(form.DirectoryListBox1, Qt::Key_Up);
        QTest::keyClick(form.DirectoryListBox1, Qt::Key_Down);
        QCOMPARE(log.Take(), QStringList());
        QCOMPARE(WorkingDirectory(), f.Path("sub"));
        QTest::keyClick(form.DirectoryListBox1, Qt::Key_Return);
        QCOMPARE(log.Take(), QStringList({"file:", "dir"}));
        QCOMPARE(WorkingDirectory(), f.dir.path());
        QCOMPARE(f.errors, QStringList());
    }

    void aDirectoryThatCannotBeEnteredChangesNothing()
    {
        FormFixture f;
        ::mkdir(f.Path("gone").c_str(), 0755);
        EventLog log;
        TForm1& form = f.Start([&](TForm1& form) { log.Watch(form); });
        log.Take();
        const QStringList rowsBefore = DirRows(form);
        ::rmdir(f.Path("gone").c_str());

        DoubleClickDirRow(form, DirRow(form, "gone"));
        QCOMPARE(f.errors.size(), 1);
        QVERIFY(f.errors[0].startsWith("移動できません"));
        QVERIFY(f.errors[0].contains("gone"));
        QCOMPARE(log.Take(), QStringList());
        QCOMPARE(WorkingDirectory(), f.dir.path());
        QCOMPARE(form.DirectoryListBox1->Directory(), f.dir.path());
        QCOMPARE(DirRows(form), rowsBefore);
    }

    void theListsAreRefreshedOnlyByEnteringAgain()
    {
        FormFixture f;
        ::mkdir(f.Path("sub").c_str(), 0755);
        TForm1& form = f.Start();
        DoubleClickDirRow(form, DirRow(form, "sub"));
        WriteFile(f.Path("sub/late.txt"), "x");
        QCOMPARE(Files(form), QStringList());
        DoubleClickDirRow(form, form.DirectoryListBox1->currentRow() - 1);
        DoubleClickDirRow(form, DirRow(form, "sub"));
        QCOMPARE(Files(form), QStringList{"late.txt"});
    }

    void aSplitAndABareOutputNameLandInTheDirectoryBrowsedTo()
    {
        FormFixture f;
        ::mkdir(f.Path("target").c_str(), 0755);
        WriteFile(f.Path("data.bin"), Pattern(1500000));
        WriteFile(f.Path("tail.bin"), "tail");
        TForm1& form = f.Start();
        f.Pick("data.bin");
        DoubleClickDirRow(form, DirRow(form, "target"));
        f.Click("Button4");
        QCOMPARE(FileSize(f.Path("target/0data.bin")), 1000000u);
        QCOMPARE(FileSize(f.Path("target/1data.bin")), 500000u);
        QVERIFY(!Exists(f.Path("0data.bin")));
        QCOMPARE(Files(form), QStringList());  // the pieces show once the directory is entered again

        DoubleClickDirRow(form, form.DirectoryListBox1->currentRow() - 1);
        f.Pick("tail.bin");
        DoubleClickDirRow(form, DirRow(form, "target"));
        f.Click("Button3");
        f.Find<QLineEdit>("Edit1")->setText("joined.bin");
        f.Click("Button2");
        QVERIFY(ReadFile(f.Path("target/joined.bin")) == Pattern(1500000) + "tail");
        QCOMPARE(f.errors, QStringList());
    }

    void aDrivePickRaisesFileDirThenDriveAndRemembersEachDrivesDirectory()
    {
        FormFixture f;
        for (const char* path : {"ram", "ram/work", "stick", "stick/deep"})
            ::mkdir(f.Path(path).c_str(), 0755);
        WriteFile(f.Path("stick/on-stick.txt"), "x");
        EventLog log;
        TForm1& form = f.Start(
            [&](TForm1& form) {
                form.DriveComboBox1->SetVolumeReader([&] { return FakeVolumes(f); });
                log.Watch(form);
            },
            f.Path("ram/work"));
        QCOMPARE(log.Take(), QStringList({"file:", "drive"}));
        auto* drives = form.DriveComboBox1;
        QCOMPARE(drives->count(), 3);
        QCOMPARE(drives->itemText(1), QString::fromStdString(f.Path("ram") + " [RAM]"));
        QCOMPARE(drives->currentIndex(), 1);
        QCOMPARE(drives->Drive(), f.Path("ram"));

        drives->setCurrentIndex(2);
        emit drives->activated(2);  // as a pick by mouse or keyboard ends
        QCOMPARE(log.Take(), QStringList({"file:", "dir", "drive"}));
        QCOMPARE(WorkingDirectory(), f.Path("stick"));
        QCOMPARE(Files(form), QStringList{"on-stick.txt"});

        // The drive on show again: nothing at all.
        emit drives->activated(2);
        QCOMPARE(log.Take(), QStringList());

        DoubleClickDirRow(form, DirRow(form, "deep"));
        log.Take();
        drives->setCurrentIndex(1);
        emit drives->activated(1);
        QCOMPARE(WorkingDirectory(), f.Path("ram/work"));  // back where the ram drive was left
        drives->setCurrentIndex(2);
        emit drives->activated(2);
        QCOMPARE(WorkingDirectory(), f.Path("stick/deep"));

        // A drive's directory that is gone: its root instead.
        ::rmdir(f.Path("ram/work").c_str());
        drives->setCurrentIndex(1);
        emit drives->activated(1);
        QCOMPARE(WorkingDirectory(), f.Path("ram"));
        QCOMPARE(f.errors, QStringList());
    }

    void aFailedDrivePickKeepsItsRowAndTheLists()
    {
        FormFixture f;
        ::mkdir(f.Path("ram").c_str(), 0755);  // "stick" is missing: no medium
        EventLog log;
        TForm1& form = f.Start(
            [&](TForm1& form) {
                form.DriveComboBox1->SetVolumeReader([&] { return FakeVolumes(f); });
                log.Watch(form);
            },
            f.Path("ram"));
        log.Take();
        auto* drives = form.DriveComboBox1;
        QTest::keyClick(drives, Qt::Key_Down);  // from ram to stick, by keyboard
        QCOMPARE(f.errors.size(), 1);
        QVERIFY(f.errors[0].contains("stick"));
        QCOMPARE(log.Take(), QStringList());
        QCOMPARE(drives->currentIndex(), 2);
        QCOMPARE(WorkingDirectory(), f.Path("ram"));
        QCOMPARE(form.DirectoryListBox1->Directory(), f.Path("ram"));

        emit drives->activated(2);  // the same row again: nothing
        QCOMPARE(f.errors.size(), 1);
        QCOMPARE(log.Take(), QStringList());

        drives->setCurrentIndex(0);
        emit drives->activated(0);
        QCOMPARE(log.Take(), QStringList({"file:", "dir", "drive"}));
        QCOMPARE(WorkingDirectory(), std::string("/"));
    }

    void realRamDisksAreDrives()
    {
        FormFixture f;
        for (const char* name : {"one", "two"}) {
            ::mkdir(f.Path(name).c_str(), 0755);
            if (::mount("zorvaku-test", f.Path(name).c_str(), "tmpfs", 0, "size=1m") != 0)
                QSKIP("mounting a tmpfs is not permitted here");
        }
        const auto unmount = qScopeGuard([&] {
            ::chdir("/");
            ::umount(f.Path("one").c_str());
            ::umount(f.Path("two").c_str());
        });
        WriteFile(f.Path("two/on-two"), "x");
        TForm1& form = f.Start({}, f.Path("one"));
        auto* drives = form.DriveComboBox1;
        const int two = drives->findText(QString::fromStdString(f.Path("two")));
        QVERIFY(two >= 0);
        QCOMPARE(drives->Drive(), f.Path("one"));
        drives->setCurrentIndex(two);
        emit drives->activated(two);
        QCOMPARE(WorkingDirectory(), f.Path("two"));
        QCOMPARE(Files(form), QStringList{"on-two"});
        delete Form1;
        Form1 = nullptr;
    }
};

QTEST_MAIN(BrowsingTest)
#include "browsing_test.moc"
