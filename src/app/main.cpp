// loggard: the well-log viewer. `loggard FILE.las` opens that file at start.

#include "app/app_files.h"
#include "app/main_form.h"
#include "app/signal_closer.h"
#include "app/toolbar_icons.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

void PrintUsage(std::FILE* out)
{
    std::fprintf(out,
                 "usage: loggard [FILE.las]\n"
                 "\n"
                 "Loggard, a viewer and light editor for well logs in LAS files (versions 1.2, 2.0 and 3.0).\n"
                 "With one file given, the program opens it at start.\n"
                 "\n"
                 "options:\n"
                 "  -h, --help     print this help and exit\n"
                 "  -v, --version  print the version and exit\n"
                 "\n"
                 "mainSettings.ini (language, last view) and settings.dat (curve views and\n"
                 "calculations) are kept beside the program when its folder is writable,\n"
                 "otherwise in ~/.config/loggard.\n");
}

}  // namespace

int main(int argc, char** argv)
{
    // Answered before the window system is reached, so they work without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            PrintUsage(stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            std::printf("loggard %s\n", LOGGARD_VERSION);
            return 0;
        }
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName("loggard");
    QApplication::setApplicationDisplayName("Loggard");
    QApplication::setApplicationVersion(LOGGARD_VERSION);
    QApplication::setDesktopFileName("loggard");
    QApplication::setWindowIcon(ToolbarIcons::Program());

    // Qt has taken its own options out of argv by now.
    QStringList files;
    for (int i = 1; i < argc; ++i)
        files << QString::fromLocal8Bit(argv[i]);

    RemoveSaveTemporariesOnSignals();
    TFrmMain window(AppFiles::SettingsFolder(), files);
    const RSignalCloser closer(window);
    window.showMaximized();
    return application.exec();
}
