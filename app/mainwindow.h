#pragma once

#include <functional>
#include <string>

#include <QWidget>

#include "fileops/progress.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace zorvaku {

class Application;
class ByteLineEdit;
class TDirectoryListBox;
class TDriveComboBox;
class TFileListBox;

// The program's one window: the browsing panel on the left, the join list on
// the right, the join prompt and the buttons below. Its event handlers do all
// the work, each through one call into the core; the window rules decide only
// what is visible and which cursor shows, never what is listed.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    // Builds the window and its controls as laid out for 96 dpi, binds the
    // handlers, hides the join controls and starts the join list's count at 0.
    explicit TForm1(Application* owner);

    TDriveComboBox* DriveComboBox1;
    TDirectoryListBox* DirectoryListBox1;
    TFileListBox* FileListBox1;
    QListWidget* ListBox1;
    QPushButton* Button1;
    QPushButton* Button2;
    ByteLineEdit* Edit1;
    QPushButton* Button3;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* Button4;

    // Event handlers. Each runs behind the error box's guard (see Guarded).

    // After a drive pick: puts the directory list on the selector's drive and
    // the file list on the directory on show; the links have done both already.
    void DriveComboBox1Change(QObject* Sender);
    // After a directory open: puts the file list on the directory on show,
    // where the link has put it already.
    void DirectoryListBox1Change(QObject* Sender);

    // Adds the file list's full file name to the join list, if a file is selected.
    void FileListBox1Change(QObject* Sender);
    // Removes the join list's selected row (on a double-click).
    void ListBox1Click(QObject* Sender);
    // Closes the window, which ends the program.
    void Button1Click(QObject* Sender);
    // Joins the listed files onto the file named in Edit1.
    void Button2Click(QObject* Sender);
    // Opens the join prompt when two or more files are listed.
    void Button3Click(QObject* Sender);
    // Splits the first listed file into pieces in the directory on show.
    void Button4Click(QObject* Sender);

    // Window rules.

    // Hides the join prompt and Button3.
    void HideJoinControls();
    // After an add: Edit1 takes the first slot, Button3 shows once two files
    // are listed, Button4 shows while exactly one is.
    void RefreshAfterAdd(const std::string& first, const std::string& second);
    // After a remove: as after an add, but with fewer than two files listed
    // the join prompt and Button3 are hidden.
    void RefreshAfterRemove(const std::string& first, const std::string& second);
    // Sets the hourglass (on) or the normal cursor on the busy set: the
    // window, ListBox1, Button1 to Button4 and FileListBox1.
    void SetBusyCursor(bool on);

signals:
    // How far the running join or split has got.
    void OperationProgress(qint64 done, qint64 total, const QString& file);

protected:
    void showEvent(QShowEvent* event) override;
    // Holds a close request made while a join or split runs until it has ended.
    void closeEvent(QCloseEvent* event) override;

private:
    // Runs a join or split: the busy cursor and the progress bar show while
    // it runs, the window repaints but takes no input, and all that is put
    // back however the work ends.
    void RunOperation(const std::function<void(const ProgressFn&)>& work);
    // Closes the window if a close request was held during the operation.
    void CloseIfHeld();
    // Appends to ListBox1 the join list's rows it does not show yet.
    void ShowNewRows();
    // Shows the join list's rows afresh (after a remove rebuilt them).
    void ShowAllRows();
    // Shows how far the operation has got in the progress bar.
    void ShowProgress(const Progress& progress);

    QProgressBar* progress_;    // in the strip below the buttons while a join or split runs
    bool shownBefore_ = false;  // the first show, when the outer size is made 738 x 478, is over
    bool working_ = false;      // a join or split is running
    bool closeHeld_ = false;    // a close was asked for while working
};

// The main window, set before its constructor runs.
extern TForm1* Form1;

}  // namespace zorvaku
