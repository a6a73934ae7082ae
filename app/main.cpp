#include <QApplication>
#include <cstdio>
#include <cstring>

#include "appinfo.h"
#include "relvaneapp.h"

namespace {

void printHelp() {
    std::printf(
        "Usage: relvane [command]\n"
        "\n"
        "Without a command, starts the Relvane ER diagram editor.\n"
        "\n"
        "Commands:\n"
        "  --help       show this help\n"
        "  --version    show the program's version\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("relvane %s\n", qPrintable(versionNumber()));
        return 0;
    }
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        printHelp();
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Relvane"));
    QApplication::setApplicationDisplayName(applicationTitle());
    RelvaneApp relvane;
    relvane.start();
    return app.exec();
}
