#include <QSignalSpy>
#include <QTest>

#include "tests/testsupport.h"
#include "toolkit/filelistbox.h"

using namespace zorvaku;
using namespace zorvaku::test;

// The file list on its own: what it lists, and when it raises Change with
// which full file name.
class FileListBoxTest : public QObject {
    Q_OBJECT

private:
    // A shown file list of dir holding files; every Change records FileName().
    struct Listed {
        explicit Listed(const std::vector<std::string>& files)
        {
            for (const auto& name : files)
                WriteFile(dir / name, "x");
            QObject::connect(&list, &TFileListBox::Change, [this] { changes.push_back(list.FileName()); });
            list.resize(153, 329);
            list.Enter(dir.path());
        }
        QStringList Shown() const
        {
            QStringList rows;
            for (int i = 0; i < list.model()->rowCount(); ++i)
                rows << list.model()->index(i, 0).data().toString();
            return rows;
        }
        void Click(int row)
        {
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(list.model()->index(row, 0)).center());
        }
        TempDir dir;
        TFileListBox list;
        std::vector<std::string> changes;
    };

private slots:
    void listsInNaturalOrderSoPiecesComeInNumberOrder()
    {
        Listed l({"10big.dat", "2big.dat", "0big.dat", "1big.dat", "11big.dat", "big.dat"});
        QCOMPARE(l.Shown(), QStringList({"0big.dat", "1big.dat", "2big.dat", "10big.dat", "11big.dat", "big.dat"}));
    }

    void everyListingRaisesOneChangeWithNothingSelected()
    {
        Listed l({"a", "b"});
        l.Click(1);
        l.list.Enter(l.dir.path());
        QCOMPARE(l.changes, (std::vector<std::string>{"", l.dir / "b", ""}));
        QCOMPARE(l.list.FileName(), std::string());

        TempDir empty;
        WriteFile(empty / ".hidden", "x");
        l.list.Enter(empty.path());
        QCOMPARE(l.changes.back(), std::string());
        QCOMPARE(l.changes.size(), std::size_t{4});
    }

    void clicksRaiseOneChangePerNewRow()
    {
        Listed l({"a", "b", "c"});
        l.changes.clear();
        l.Click(0);
        l.Click(2);
        l.Click(2);  // the selected row again: nothing
        l.Click(1);
        QTest::mouseDClick(l.list.viewport(), Qt::LeftButton, {}, l.list.visualRect(l.list.model()->index(0, 0)).center());
        QTest::mouseClick(l.list.viewport(), Qt::LeftButton, Qt::ControlModifier,
            l.list.visualRect(l.list.model()->index(0, 0)).center());  // Ctrl+click keeps the row selected
        QCOMPARE(l.changes, (std::vector<std::string>{l.dir / "a", l.dir / "c", l.dir / "b", l.dir / "a"}));
        QCOMPARE(l.list.FileName(), l.dir / "a");
    }

    void eachArrowKeyStepRaisesOneChange()
    {
        Listed l({"1", "2", "3", "4"});
        l.changes.clear();
        l.list.setFocus();
        QTest::keyClick(&l.list, Qt::Key_Down);  // nothing selected yet: the first row
        QTest::keyClick(&l.list, Qt::Key_Down);
        QTest::keyClick(&l.list, Qt::Key_Down);
        QTest::keyClick(&l.list, Qt::Key_Down);
        QTest::keyClick(&l.list, Qt::Key_Down);  // at the last row: no move, nothing
        QTest::keyClick(&l.list, Qt::Key_Up);
        QCOMPARE(l.changes, (std::vector<std::string>{l.dir / "1", l.dir / "2", l.dir / "3", l.dir / "4", l.dir / "3"}));
    }

    void aNameThatIsNotUtf8KeepsItsBytes()
    {
        const std::string name = "caf\xe9-\xff.bin";  // Latin-1 bytes, not UTF-8
        Listed l({name});
        QCOMPARE(l.Shown().size(), 1);
        QVERIFY(l.Shown().first().startsWith("caf"));
        l.Click(0);
        QCOMPARE(l.list.FileName(), l.dir / name);
        QVERIFY(Exists(l.list.FileName()));
    }

    void theFirstShowListsTheWorkingDirectory()
    {
        TempDir dir;
        WriteFile(dir / "f", "x");
        InDirectory in(dir.path());
        TFileListBox list;
        QSignalSpy changes(&list, &TFileListBox::Change);
        QCOMPARE(list.model()->rowCount(), 0);
        list.show();
        QCOMPARE(changes.count(), 1);
        QCOMPARE(list.model()->rowCount(), 1);
        QCOMPARE(list.Directory(), dir.path());
        list.hide();
        list.show();
        QCOMPARE(changes.count(), 1);
    }
};

QTEST_MAIN(FileListBoxTest)
#include "filelistbox_test.moc"
