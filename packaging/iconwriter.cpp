// Writes the program's icon as PNG files for the desktop's icon theme:
//   vellumark-iconwriter OUTPUT_FOLDER
// makes OUTPUT_FOLDER/<size>x<size>/apps/vellumark.png for each size.
#include "logic/artwork.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: vellumark-iconwriter OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int size : { 16, 22, 24, 32, 48, 64, 128, 256 }) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(folder)
            || !vellumark::ProgramIconImage(size).save(folder + QStringLiteral("/vellumark.png"))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
