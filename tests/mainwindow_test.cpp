#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QTimer>

#include "fileops/split.h"
#include "tests/formfixture.h"
#include "toolkit/directorylistbox.h"
#include "toolkit/drivecombobox.h"

using namespace zorvaku;
using namespace zorvaku::test;

// The main window as a user meets it: its layout, what shows when, and the
// join and split run from its buttons on real files.
class MainWindowTest : public QObject {
    Q_OBJECT

private:
    // Which of the controls that come and go are visible: the join prompt
    // (Edit1, Label2 and Button2 together), Button3, Button4.
    static QString Visibility(const FormFixture& f)
    {
        const bool edit = f.Find("Edit1")->isVisible(), label = f.Find("Label2")->isVisible(),
                   ok = f.Find("Button2")->isVisible();
        QString prompt = edit && label && ok ? "prompt" : !edit && !label && !ok ? "-" : "prompt?";
        return prompt + " " + (f.Find("Button3")->isVisible() ? "join" : "-") + " "
            + (f.Find("Button4")->isVisible() ? "split" : "-");
    }

    // The cursor shapes of the busy set, then of the controls outside it.
    static QString Cursors(const FormFixture& f)
    {
        QString shapes;
        for (const char* name : {"ListBox1", "Button1", "Button2", "Button3", "Button4", "FileListBox1"})
            shapes += f.Find(name)->cursor().shape() == Qt::WaitCursor ? "W" : ".";
        shapes += Form1->cursor().shape() == Qt::WaitCursor ? "W" : ".";
        shapes += " ";
        for (const char* name : {"DriveComboBox1", "DirectoryListBox1", "Edit1", "Label1"})
            shapes += f.Find(name)->cursor().shape() == Qt::WaitCursor ? "W" : ".";
        return shapes;
    }

private slots:
    void layoutIsAsDrawn()
    {
        FormFixture f;
        TForm1& form = f.Start();
        QCOMPARE(form.windowTitle(), QStringLiteral("Zorvaku（分割機能付き）"));
        QCOMPARE(form.pos(), QPoint(28, 104));
        QCOMPARE(form.frameGeometry().size(), QSize(738, 478));
        QCOMPARE(form.palette().color(QPalette::Window), QColor(0, 128, 0));
        QCOMPARE(form.windowIcon().pixmap(32).size(), QSize(32, 32));
        QCOMPARE(QFontInfo(form.font()).pixelSize(), 12);
        QCOMPARE(QFontInfo(form.font()).family(), QStringLiteral("IPAPGothic"));

        struct Placed {
            const char* name;
            QRect geometry;
            QColor colour;  // the field's colour; invalid: as the style draws it
        };
        const Placed controls[] = {
            {"DriveComboBox1", {16, 24, 153, 18}, QColor(255, 0, 0)},
            {"DirectoryListBox1", {16, 56, 153, 297}, QColor(255, 255, 0)},
            {"FileListBox1", {176, 24, 153, 329}, QColor(0, 255, 255)},
            {"ListBox1", {336, 24, 377, 329}, QColor(0, 255, 0)},
            {"Button1", {592, 368, 121, 25}, {}},
            {"Button2", {448, 400, 129, 25}, {}},
            {"Edit1", {16, 400, 321, 20}, QColor(Qt::white)},
            {"Button3", {448, 368, 129, 25}, {}},
            {"Button4", {592, 400, 121, 25}, {}},
        };
        for (const Placed& c : controls) {
            QCOMPARE(f.Find(c.name)->geometry(), c.geometry);
            if (c.colour.isValid())
                QCOMPARE(f.Find(c.name)->palette().color(QPalette::Base), c.colour);
        }
        const std::pair<const char*, QString> captions[] = {
            {"Button1", "閉じる"}, {"Button2", "Ｏ　　　Ｋ"}, {"Button3", "結合実行"}, {"Button4", "分割実行"}};
        for (const auto& [name, caption] : captions)
            QCOMPARE(f.Find<QPushButton>(name)->text(), caption);

        // Labels are as wide as their whole text needs.
        for (const auto& [name, left, top] : {std::tuple{"Label1", 336, 8}, std::tuple{"Label2", 16, 384}}) {
            auto* label = f.Find<QLabel>(name);
            QCOMPARE(label->pos(), QPoint(left, top));
            QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
        }
        QCOMPARE(f.Find<QLabel>("Label1")->text(), QStringLiteral("結合するファイル（ダブルクリック＝取り消し）"));
        QCOMPARE(f.Find<QLabel>("Label2")->text(), QStringLiteral("結合後のファイル名（デフォルトは先頭のファイル名）"));

        // Tab order: the nine controls that take focus, in their order.
        QStringList order;
        QWidget* w = f.Find("DriveComboBox1");
        const QStringList focusable{"DriveComboBox1", "DirectoryListBox1", "FileListBox1", "ListBox1", "Button1",
            "Button2", "Edit1", "Button3", "Button4"};
        do {
            if (focusable.contains(w->objectName()) && !order.contains(w->objectName()))
                order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != f.Find("DriveComboBox1"));
        QCOMPARE(order, focusable);

        WriteFile(f.Path("a"), "x");
        f.Find<TFileListBox>("FileListBox1")->Enter(f.dir.path());
        f.Pick("a");
        QCOMPARE(f.Find<QListWidget>("ListBox1")->sizeHintForRow(0), 12);
        QCOMPARE(f.Find<TFileListBox>("FileListBox1")->sizeHintForRow(0), 12);
    }

    void visibilityFollowsTheJoinList_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("visible");
        // pick:X clicks file X, join-prompt clicks Button3, ok clicks Button2,
        // remove:R double-clicks row R, relist lists the directory again.
        QTest::newRow("just shown") << QStringList{} << "- - -";
        QTest::newRow("one file") << QStringList{"pick:a"} << "- - split";
        QTest::newRow("two files") << QStringList{"pick:a", "pick:b"} << "- join -";
        QTest::newRow("prompt opened") << QStringList{"pick:a", "pick:b", "join-prompt"} << "prompt join -";
        QTest::newRow("prompt needs two files") << QStringList{"pick:a", "join-prompt"} << "- - split";
        QTest::newRow("remove leaves one") << QStringList{"pick:a", "pick:b", "join-prompt", "remove:1"} << "- - split";
        QTest::newRow("remove leaves none") << QStringList{"pick:a", "remove:0"} << "- - -";
        QTest::newRow("prompt stays through adds") << QStringList{"pick:a", "pick:b", "join-prompt", "pick:c"}
                                                   << "prompt join -";
        QTest::newRow("prompt stays while two remain")
            << QStringList{"pick:a", "pick:b", "pick:c", "join-prompt", "remove:0"} << "prompt join -";
        QTest::newRow("relisting changes nothing") << QStringList{"pick:a", "pick:b", "relist"} << "- join -";
        QTest::newRow("a join changes nothing") << QStringList{"pick:a", "pick:b", "join-prompt", "ok"}
                                                << "prompt join -";
        QTest::newRow("add after joining onto the first")
            << QStringList{"pick:a", "pick:b", "join-prompt", "ok", "pick:c"} << "prompt join split";
    }

    void visibilityFollowsTheJoinList()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, visible);
        FormFixture f;
        for (const char* name : {"a", "b", "c"})
            WriteFile(f.Path(name), name);
        f.Start();
        for (const QString& step : steps) {
            const QString argument = step.section(':', 1);
            if (step.startsWith("pick:"))
                f.Pick(argument);
            else if (step == "join-prompt")
                f.Click("Button3");
            else if (step == "ok")
                f.Click("Button2");
            else if (step.startsWith("remove:"))
                f.DoubleClickRow(argument.toInt());
            else if (step == "relist")
                f.Find<TFileListBox>("FileListBox1")->Enter(f.dir.path());
        }
        QCOMPARE(Visibility(f), visible);
        QVERIFY(f.Find("Label1")->isVisible() && f.Find("ListBox1")->isVisible() && f.Find("Button1")->isVisible());
        QCOMPARE(f.errors, QStringList());
    }

    void pickingByClickAndArrowKeysAndRemovingByDoubleClick()
    {
        FormFixture f;
        for (const char* name : {"a", "b", "c", "d"})
            WriteFile(f.Path(name), name);
        f.Start();
        f.Pick("a");
        f.Pick("c");
        f.Pick("a");
        QCOMPARE(f.Rows(), QStringList({f.Row(0, "a"), f.Row(1, "c"), f.Row(2, "a")}));

        auto* files = f.Find<TFileListBox>("FileListBox1");
        files->setFocus();
        QTest::keyClick(files, Qt::Key_Down);  // from a: b, c, d
        QTest::keyClick(files, Qt::Key_Down);
        QTest::keyClick(files, Qt::Key_Down);
        QCOMPARE(f.Rows().mid(3), QStringList({f.Row(3, "b"), f.Row(4, "c"), f.Row(5, "d")}));
        QCOMPARE(TheJoinList.FileCount, 6);

        f.DoubleClickRow(1);
        QCOMPARE(f.Rows(),
            QStringList({f.Row(0, "a"), f.Row(1, "a"), f.Row(2, "b"), f.Row(3, "c"), f.Row(4, "d")}));
        QCOMPARE(TheJoinList.FileCount, 5);
        QVERIFY(TheJoinList.FileSlots[5].empty());
    }

    void typingInTheOutputNameIsOverwrittenByTheNextPick()
    {
        FormFixture f;
        for (const char* name : {"a", "b", "c"})
            WriteFile(f.Path(name), name);
        f.Start();
        f.Pick("a");
        f.Pick("b");
        f.Click("Button3");
        auto* edit = f.Find<QLineEdit>("Edit1");
        QCOMPARE(edit->text(), QString::fromStdString(f.Path("a")));
        QTest::keyClicks(edit, "typed");
        f.Pick("c");
        QCOMPARE(edit->text(), QString::fromStdString(f.Path("a")));
    }

    void joinThroughTheButtonsOntoTheFirstFileOrATypedName()
    {
        FormFixture f;
        WriteFile(f.Path("a"), "AAA");
        WriteFile(f.Path("b"), Pattern(45000));
        WriteFile(f.Path("c"), "CC");
        f.Start();
        f.Pick("a");
        f.Pick("b");
        f.Pick("c");
        f.Click("Button3");
        f.Click("Button2");
        QVERIFY(ReadFile(f.Path("a")) == "AAA" + Pattern(45000) + "CC");
        QCOMPARE(f.Rows(), QStringList({f.Row(0, "a"), f.Row(1, "b"), f.Row(2, "c")}));
        f.Click("Button2");  // at once again: nothing more is appended
        QCOMPARE(FileSize(f.Path("a")), 3u + 45000u + 2u);

        // A bare name typed as the output is created in the working directory.
        f.DoubleClickRow(0);
        f.Pick("b");
        f.Pick("c");
        f.Click("Button3");
        f.Find<QLineEdit>("Edit1")->setText("joined.out");
        f.Click("Button2");
        QVERIFY(ReadFile(f.Path("joined.out")) == Pattern(45000) + "CC");
        QCOMPARE(f.errors, QStringList());
    }

    void aNameThatIsNotUtf8IsJoinedInPlace()
    {
        FormFixture f;
        const std::string odd = "\xff\xfe.bin";
        WriteFile(f.Path(odd), "head");
        WriteFile(f.Path("tail"), "tail");
        f.Start();
        f.Pick(QString::fromUtf8(odd.c_str()));
        f.Pick("tail");
        f.Click("Button3");
        f.Click("Button2");
        QCOMPARE(f.errors, QStringList());
        QCOMPARE(ReadFile(f.Path(odd)), std::string("headtail"));
    }

    void splitThroughTheButtonIntoTheWorkingDirectory()
    {
        FormFixture f;
        const std::string data = Pattern(2500000);
        WriteFile(f.Path("big.dat"), data);
        f.Start();
        f.Pick("big.dat");
        f.Click("Button4");
        QCOMPARE(f.Rows(), QStringList({f.Row(0, "big.dat"), "big.dat"}));
        QCOMPARE(FileSize(f.Path("0big.dat")), 1000000u);
        QCOMPARE(FileSize(f.Path("1big.dat")), 1000000u);
        QVERIFY(ReadFile(f.Path("2big.dat")) == data.substr(2000000));
        QVERIFY(!Exists(f.Path("3big.dat")));
        QCOMPARE(Visibility(f), QStringLiteral("- - split"));
        QCOMPARE(f.errors, QStringList());
    }

    void busyCursorOnTheSevenControlsWhileWorkingAndNeverLeftBehind()
    {
        FormFixture f;
        WriteFile(f.Path("a"), Pattern(3000000));
        WriteFile(f.Path("b"), Pattern(10));
        TForm1& form = f.Start();
        QStringList during;
        connect(&form, &TForm1::OperationProgress, this, [&] { during << Cursors(f); });

        f.Pick("a");
        f.Click("Button4");
        f.Pick("b");
        f.Click("Button3");
        f.Click("Button2");
        QVERIFY(!during.isEmpty());
        during.removeDuplicates();
        QCOMPARE(during, QStringList{"WWWWWWW ...."});
        QCOMPARE(Cursors(f), QStringLiteral("....... ...."));
        for (const char* name : {"ListBox1", "Button1", "FileListBox1"})
            QVERIFY2(!f.Find(name)->testAttribute(Qt::WA_SetCursor), name);

        // A join that fails still ends with the normal cursor.
        f.DoubleClickRow(0);
        f.Pick("a");
        f.Pick("b");
        ::unlink(f.Path("b").c_str());
        f.Click("Button3");
        f.Click("Button2");
        QCOMPARE(f.errors.size(), 1);
        QCOMPARE(Cursors(f), QStringLiteral("....... ...."));
    }

    void anErrorReachesTheBoxAndTheProgramGoesOn()
    {
        FormFixture f;
        WriteFile(f.Path("a"), "A");
        WriteFile(f.Path("b"), "B");
        WriteFile(f.Path("c"), "C");
        f.Start();
        f.Pick("a");
        f.Pick("b");
        ::unlink(f.Path("b").c_str());
        f.Click("Button3");
        f.Click("Button2");
        QCOMPARE(f.errors.size(), 1);
        QVERIFY(f.errors[0].startsWith("結合できません"));
        QVERIFY(f.errors[0].contains(QString::fromStdString(f.Path("b"))));
        QVERIFY(f.errors[0].endsWith("）."));
        QCOMPARE(ReadFile(f.Path("a")), std::string("A"));

        // Nothing was undone and nothing is stuck: the user carries on.
        WriteFile(f.Path("b"), "B");
        f.Click("Button2");
        QCOMPARE(ReadFile(f.Path("a")), std::string("AB"));
        f.Pick("c");
        QCOMPARE(f.Rows().last(), f.Row(2, "c"));
        QCOMPARE(f.errors.size(), 1);
    }

    void theErrorBoxIsAModalStopBoxWithOneOkButton()
    {
        FormFixture f;
        WriteFile(f.Path("a"), "A");
        f.Start();
        SetErrorBoxRecorder(nullptr);
        QString seen;
        QTimer answer;  // answers the box once it is up
        connect(&answer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            answer.stop();
            seen = box->windowTitle() + "|" + box->text();
            QCOMPARE(box->icon(), QMessageBox::Critical);
            QCOMPARE(box->buttons().size(), 1);
            QCOMPARE(box->standardButton(box->buttons().first()), QMessageBox::Ok);
            box->buttons().first()->click();
        });
        answer.start(10);
        f.Pick("a");
        ::unlink(f.Path("a").c_str());
        f.Click("Button4");
        QVERIFY(seen.startsWith(QGuiApplication::applicationDisplayName() + "|分割できません"));
        QVERIFY(seen.endsWith("."));
        QVERIFY(!Exists(f.Path("0a")));
    }

    void progressShowsWhileWorkingReachesAllAndHides()
    {
        FormFixture f;
        WriteFile(f.Path("a"), Pattern(2500000));
        WriteFile(f.Path("b"), Pattern(1500000));
        TForm1& form = f.Start();
        auto* bar = f.Find<QProgressBar>("Progress");
        QVERIFY(!bar->isVisible());
        QStringList seen;  // value and text of the bar at every report
        connect(&form, &TForm1::OperationProgress, this, [&] {
            QVERIFY(bar->isVisible());
            seen << QString::number(bar->value()) + " " + bar->text();
        });
        f.Pick("a");
        f.Pick("b");
        f.Click("Button3");
        f.Click("Button2");
        QVERIFY(seen.size() >= 2);
        QCOMPARE(seen.first(), "0 0%  " + QString::fromStdString(f.Path("b")));
        QVERIFY(seen.last().startsWith("1000 100%"));
        QVERIFY(!bar->isVisible());

        seen.clear();
        f.DoubleClickRow(0);  // the join left one file listed; now none
        f.Pick("a");
        f.Click("Button4");
        QVERIFY(seen.size() >= 2);
        QCOMPARE(seen.first(), "0 0%  " + QString::fromStdString(f.Path("a")));
        QVERIFY(seen.last().startsWith("1000 100%"));
        QVERIFY(!bar->isVisible());
    }

    void noInputIsHandledWhileWorkingNorAfter()
    {
        FormFixture f;
        WriteFile(f.Path("big.dat"), Pattern(2500000));
        TForm1& form = f.Start();
        f.Pick("big.dat");
        bool clicked = false;
        connect(&form, &TForm1::OperationProgress, this, [&] {
            if (std::exchange(clicked, true))
                return;
            f.Click("Button4");  // an impatient second split
            f.Click("Button1");  // and Close
            QTest::keyClick(f.Find("ListBox1"), Qt::Key_Delete);
            f.DoubleClickRow(0);
        });
        f.Click("Button4");
        QVERIFY(clicked);
        QCoreApplication::processEvents();
        QVERIFY(form.isVisible());
        QCOMPARE(FileSize(f.Path("0big.dat")), 1000000u);  // one split: nothing doubled
        QCOMPARE(FileSize(f.Path("2big.dat")), 500000u);
        QCOMPARE(f.Rows(), QStringList({f.Row(0, "big.dat"), "big.dat"}));
    }

    void aCloseRequestWaitsForTheEndOfTheWork()
    {
        FormFixture f;
        WriteFile(f.Path("big.dat"), Pattern(2500000));
        TForm1& form = f.Start();
        f.Pick("big.dat");
        QStringList states;  // is the window open at each report?
        connect(&form, &TForm1::OperationProgress, this, [&] {
            if (states.isEmpty())
                form.close();  // as the window's close box asks
            states << (form.isVisible() ? "open" : "closed");
        });
        f.Click("Button4");
        QVERIFY(states.size() >= 2);
        QCOMPARE(states.count("closed"), 0);
        QVERIFY(!form.isVisible());
        QCOMPARE(FileSize(f.Path("2big.dat")), 500000u);  // the split ran to its end first
    }

    void closeButtonEndsTheProgram()
    {
        FormFixture f;
        TForm1& form = f.Start();
        QVERIFY(form.isVisible());
        f.Click("Button1");
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
