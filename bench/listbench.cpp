// Times listing a directory of 100,000 empty files into the file list
// (offscreen, shown and painted) against `ls -1v` on the same directory, in
// one run, and prints the ratio. Read the ratio, not the seconds.
//
//   zorvaku_listbench [--files N] [--dir PARENT]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>

#include "toolkit/filelistbox.h"

namespace fs = std::filesystem;

namespace {

double Seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int files = 100000;
    std::string parent = fs::temp_directory_path().string();
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--files")
            files = std::atoi(argv[i + 1]);
        else if (std::string(argv[i]) == "--dir")
            parent = argv[i + 1];
    }
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    const fs::path dir = fs::path(parent) / ("zorvaku-listbench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    for (int i = 0; i < files; ++i) {
        const std::string name = (dir / (std::to_string(i) + "piece.dat")).string();
        ::close(::open(name.c_str(), O_WRONLY | O_CREAT, 0644));
    }
    const std::string ls = "ls -1v '" + dir.string() + "' > /dev/null";
    if (std::system(ls.c_str()) != 0)  // warm the directory cache for both
        return 1;

    double ours = 1e9, theirs = 1e9;
    for (int round = 0; round < 3; ++round) {
        zorvaku::TFileListBox list;
        list.resize(153, 329);
        list.show();
        ours = std::min(ours, Seconds([&] {
            list.Enter(dir.string());
            list.repaint();
            QCoreApplication::processEvents();
        }));
        if (list.model()->rowCount() != files)
            return 1;
        theirs = std::min(theirs, Seconds([&] {
            if (std::system(ls.c_str()) != 0)
                std::exit(1);
        }));
    }
    fs::remove_all(dir);
    std::printf("list%dk: %.3f s  ls-1v: %.3f s  ratio: %.2f\n", files / 1000, ours, theirs, ours / theirs);
    return 0;
}
