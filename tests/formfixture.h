#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include "app/mainwindow.h"
#include "selection/joinlist.h"
#include "tests/testsupport.h"
#include "toolkit/errorbox.h"
#include "toolkit/filelistbox.h"

namespace zorvaku::test {

// A main window started in a fresh temporary directory, as the program starts
// in the directory it is run from, with the error box replaced by a recorder.
// It puts the working directory and the join list back when it goes.
class FormFixture {
public:
    FormFixture()
    {
        TheJoinList = JoinList{};
        SetErrorBoxRecorder([this](const QString& text) { errors << text; });
    }
    ~FormFixture()
    {
        delete Form1;
        Form1 = nullptr;
        SetErrorBoxRecorder(nullptr);
    }

    // Builds the window (Form1) in `start` (`dir` when empty), lets
    // beforeShow prepare it, and shows it, which lists `start`.
    TForm1& Start(const std::function<void(TForm1&)>& beforeShow = {}, const std::string& start = {})
    {
        inDir.emplace(start.empty() ? dir.path() : start);
        Form1 = new TForm1(nullptr);
        if (beforeShow)
            beforeShow(*Form1);
        Form1->show();
        return *Form1;
    }

    template <typename Control = QWidget>
    Control* Find(const char* name) const
    {
        auto* control = Form1->findChild<Control*>(QLatin1String(name));
        if (!control)
            qFatal("no control named %s", name);
        return control;
    }

    // Clicks the file list's row that shows name.
    void Pick(const QString& name)
    {
        auto* files = Find<TFileListBox>("FileListBox1");
        const QModelIndexList hits = files->model()->match(files->model()->index(0, 0), Qt::DisplayRole, name, 1,
            Qt::MatchExactly);
        QVERIFY2(!hits.isEmpty(), qPrintable("not in the file list: " + name));
        files->scrollTo(hits.first());
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualRect(hits.first()).center());
    }

    // Double-clicks row `row` of ListBox1.
    void DoubleClickRow(int row)
    {
        auto* list = Find<QListWidget>("ListBox1");
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }

    QStringList Rows() const
    {
        QStringList rows;
        auto* list = Find<QListWidget>("ListBox1");
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        return rows;
    }

    // dir / name, as the file list's full file name gives it.
    std::string Path(const std::string& name) const { return dir / name; }
    QString Row(int i, const std::string& name) const { return QString::number(i) + ": " + QString::fromStdString(dir / name); }

    TempDir dir;
    QStringList errors;  // texts the error box would have shown

private:
    std::optional<InDirectory> inDir;
};

}  // namespace zorvaku::test
