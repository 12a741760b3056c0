#include "app/mainwindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>

#include "selection/joinlist.h"
#include "toolkit/bytelineedit.h"
#include "toolkit/bytes.h"
#include "toolkit/controls.h"
#include "toolkit/directorylistbox.h"
#include "toolkit/drivecombobox.h"
#include "toolkit/errorbox.h"
#include "toolkit/filelistbox.h"
#include "toolkit/inputhold.h"

namespace zorvaku {

TForm1* Form1 = nullptr;

namespace {

// Steps of the progress bar: tenths of a per cent.
constexpr int ProgressSteps = 1000;

// The window's place and outer size on the screen, frame included.
constexpr QRect OuterGeometry(28, 104, 738, 478);

const QColor clGreen(0, 128, 0);
const QColor clRed(255, 0, 0);
const QColor clYellow(255, 255, 0);
const QColor clAqua(0, 255, 255);
const QColor clLime(0, 255, 0);

// Names control after its field and places it in the client area.
template <typename Control>
Control* Place(Control* control, const char* name, int left, int top, int width, int height)
{
    control->setObjectName(QLatin1String(name));
    control->setGeometry(left, top, width, height);
    return control;
}

// A label at left, top, as wide as its text.
QLabel* PlaceLabel(QWidget* owner, const char* name, int left, int top, const QString& text)
{
    auto* label = new QLabel(text, owner);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QPushButton* PlaceButton(QWidget* owner, const char* name, int left, int top, int width, const QString& caption)
{
    return Place(new QPushButton(caption, owner), name, left, top, width, 25);
}

int SelectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

}  // namespace

TForm1::TForm1(Application*)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zorvaku（分割機能付き）"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/window.png")));
    setFont(WindowFont());
    SetColour(this, clGreen);
    move(OuterGeometry.topLeft());
    resize(OuterGeometry.size());

    // Created in the order of the form description.
    Label1 = PlaceLabel(this, "Label1", 336, 8, QStringLiteral("結合するファイル（ダブルクリック＝取り消し）"));
    Label2 = PlaceLabel(this, "Label2", 16, 384, QStringLiteral("結合後のファイル名（デフォルトは先頭のファイル名）"));

    DriveComboBox1 = Place(new TDriveComboBox(this), "DriveComboBox1", 16, 24, 153, 18);
    SetColour(DriveComboBox1, clRed);

    DirectoryListBox1 = Place(new TDirectoryListBox(this), "DirectoryListBox1", 16, 56, 153, 297);
    SetColour(DirectoryListBox1, clYellow);

    FileListBox1 = Place(new TFileListBox(this), "FileListBox1", 176, 24, 153, 329);
    SetColour(FileListBox1, clAqua);
    SetItemHeight(FileListBox1, 12);
    connect(FileListBox1, &TFileListBox::Change, this, Guarded(this, &TForm1::FileListBox1Change, FileListBox1));

    DriveComboBox1->SetDirList(DirectoryListBox1);
    DirectoryListBox1->SetFileList(FileListBox1);
    connect(DriveComboBox1, &TDriveComboBox::Change, this,
        Guarded(this, &TForm1::DriveComboBox1Change, DriveComboBox1));
    connect(DirectoryListBox1, &TDirectoryListBox::Change, this,
        Guarded(this, &TForm1::DirectoryListBox1Change, DirectoryListBox1));

    ListBox1 = Place(new QListWidget(this), "ListBox1", 336, 24, 377, 329);
    SetColour(ListBox1, clLime);
    SetItemHeight(ListBox1, 12);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(ListBox1, &QListWidget::doubleClicked, this, Guarded(this, &TForm1::ListBox1Click, ListBox1));

    Button1 = PlaceButton(this, "Button1", 592, 368, 121, QStringLiteral("閉じる"));
    connect(Button1, &QPushButton::clicked, this, Guarded(this, &TForm1::Button1Click, Button1));

    // The join and the split run behind the guard too; a close asked for
    // while they ran is carried out after that, and after the error box.
    const auto operation = [this](void (TForm1::*handler)(QObject*), QObject* sender) {
        return [this, handler, sender] {
            Guarded(this, handler, sender)();
            CloseIfHeld();
        };
    };

    Button2 = PlaceButton(this, "Button2", 448, 400, 129, QStringLiteral("Ｏ　　　Ｋ"));
    connect(Button2, &QPushButton::clicked, this, operation(&TForm1::Button2Click, Button2));

    Edit1 = Place(new ByteLineEdit(this), "Edit1", 16, 400, 321, 20);

    Button3 = PlaceButton(this, "Button3", 448, 368, 129, QStringLiteral("結合実行"));
    connect(Button3, &QPushButton::clicked, this, Guarded(this, &TForm1::Button3Click, Button3));

    Button4 = PlaceButton(this, "Button4", 592, 400, 121, QStringLiteral("分割実行"));
    connect(Button4, &QPushButton::clicked, this, operation(&TForm1::Button4Click, Button4));

    // Not one of the form's controls: it shows only while a join or split runs.
    progress_ = Place(new QProgressBar(this), "Progress", 16, 429, 697, 13);
    progress_->setRange(0, ProgressSteps);
    progress_->hide();

    setTabOrder(DriveComboBox1, DirectoryListBox1);
    setTabOrder(DirectoryListBox1, FileListBox1);
    setTabOrder(FileListBox1, ListBox1);
    setTabOrder(ListBox1, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Edit1);
    setTabOrder(Edit1, Button3);
    setTabOrder(Button3, Button4);

    // Controls outside the busy set keep their own cursor while the window
    // shows the hourglass; in Qt they would otherwise take the window's.
    for (QWidget* control : std::initializer_list<QWidget*>{Label1, Label2, DriveComboBox1, DirectoryListBox1})
        control->setCursor(Qt::ArrowCursor);

    HideJoinControls();
    TheJoinList.FileCount = 0;
}

void TForm1::DriveComboBox1Change(QObject*)
{
    DirectoryListBox1->SetDrive(DriveComboBox1->Drive());
    FileListBox1->ApplyFilePath(DirectoryListBox1->Directory());
}

void TForm1::DirectoryListBox1Change(QObject*)
{
    FileListBox1->ApplyFilePath(DirectoryListBox1->Directory());
}

void TForm1::FileListBox1Change(QObject*)
{
    // The rules run whether or not the file was added (the table may be full).
    const auto refresh = qScopeGuard([this] {
        ShowNewRows();
        RefreshAfterAdd(TheJoinList.FileSlots[0], TheJoinList.FileSlots[1]);
    });
    AddFile(TheJoinList, FileListBox1->FileName());
}

void TForm1::ListBox1Click(QObject*)
{
    if (!RemoveRow(TheJoinList, SelectedRow(ListBox1)))
        return;
    ShowAllRows();
    RefreshAfterRemove(TheJoinList.FileSlots[0], TheJoinList.FileSlots[1]);
}

void TForm1::Button1Click(QObject*)
{
    close();
}

void TForm1::Button2Click(QObject*)
{
    const std::string output = Edit1->Bytes();
    RunOperation([&output](const ProgressFn& progress) { JoinListed(TheJoinList, output, progress); });
}

void TForm1::Button3Click(QObject*)
{
    if (TheJoinList.FileSlots[1].empty())
        return;
    Edit1->show();
    Button2->show();
    Label2->show();
}

void TForm1::Button4Click(QObject*)
{
    const auto rows = qScopeGuard([this] { ShowNewRows(); });  // the split's row, also when it fails
    RunOperation([](const ProgressFn& progress) { SplitFirst(TheJoinList, progress); });
}

void TForm1::HideJoinControls()
{
    Edit1->hide();
    Button2->hide();
    Button3->hide();
    Label2->hide();
}

void TForm1::RefreshAfterAdd(const std::string& first, const std::string& second)
{
    Edit1->SetBytes(first);
    if (!second.empty())
        Button3->show();
    Button4->setVisible(!first.empty() && second.empty());
}

void TForm1::RefreshAfterRemove(const std::string& first, const std::string& second)
{
    Edit1->SetBytes(first);
    if (second.empty()) {
        Edit1->hide();
        Label2->hide();
        Button2->hide();
    }
    Button4->setVisible(!first.empty() && second.empty());
    if (second.empty())
        Button3->hide();
}

void TForm1::SetBusyCursor(bool on)
{
    for (QWidget* control :
        std::initializer_list<QWidget*>{this, ListBox1, Button1, Button2, Button3, Button4, FileListBox1}) {
        if (on)
            control->setCursor(Qt::WaitCursor);
        else
            control->unsetCursor();
    }
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shownBefore_)
        return;
    shownBefore_ = true;
    // The outer size includes the frame, which is known only once shown.
    const QSize frame = frameGeometry().size() - geometry().size();
    if (!frame.isEmpty())
        resize(OuterGeometry.size() - frame);
}

void TForm1::ShowNewRows()
{
    for (auto i = static_cast<std::size_t>(ListBox1->count()); i < TheJoinList.Rows.size(); ++i)
        ListBox1->addItem(ShowBytes(TheJoinList.Rows[i]));
}

void TForm1::ShowAllRows()
{
    ListBox1->clear();
    ShowNewRows();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (working_) {
        closeHeld_ = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TForm1::RunOperation(const std::function<void(const ProgressFn&)>& work)
{
    SetBusyCursor(true);
    InputHold hold;
    working_ = true;
    const auto done = qScopeGuard([this] {
        progress_->hide();
        working_ = false;
        SetBusyCursor(false);
    });
    work([this, &hold](const Progress& progress) {
        ShowNewRows();
        ShowProgress(progress);
        hold.Repaint();
    });
}

void TForm1::CloseIfHeld()
{
    if (std::exchange(closeHeld_, false))
        close();
}

void TForm1::ShowProgress(const Progress& progress)
{
    const QString file = ShowBytes(progress.file);
    progress_->setValue(progress.total == 0 ? ProgressSteps
                                            : static_cast<int>(progress.done * ProgressSteps / progress.total));
    progress_->setFormat(QStringLiteral("%p%  ") + QString(file).replace('%', QStringLiteral("%%")));
    progress_->show();
    emit OperationProgress(static_cast<qint64>(progress.done), static_cast<qint64>(progress.total), file);
}

}  // namespace zorvaku
