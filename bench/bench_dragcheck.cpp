// The check made as a drag enters a picture box against a full decode of
// the same 6000 x 4000 JPEG.

#include "benchsupport.h"
#include "logic/pictures/pictureloader.h"
#include "widgets/picturebox.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdio>

using namespace vellumark;
using namespace vellumark::bench;

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    if (!WriteLargeJpeg(path, QSize(6000, 4000))) {
        std::fprintf(stderr, "could not write the test picture\n");
        return 1;
    }

    LoadPicture(path); // warm the plug-ins and the file cache
    const double decodeMs = MedianMilliseconds(5, [&] { LoadPicture(path); });

    const int checks = 2000;
    const double checkMs = MedianMilliseconds(5,
                                              [&] {
                                                  for (int i = 0; i < checks; ++i)
                                                      CanReadPicture(path);
                                              })
        / checks;

    // The same through a box, as the platform delivers a drag from a file
    // manager.
    PictureBox box(QStringLiteral("Image1"));
    box.resize(153, 153);
    box.setAcceptsPictureFiles(true);
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(path) });
    bool accepted = true;
    const double enterMs
        = MedianMilliseconds(5,
                             [&] {
                                 for (int i = 0; i < checks; ++i) {
                                     QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data,
                                                           Qt::LeftButton, Qt::NoModifier);
                                     static_cast<QObject &>(box).event(&enter);
                                     accepted = accepted && enter.isAccepted();
                                 }
                             })
        / checks;
    if (!accepted) {
        std::fprintf(stderr, "the box refused a picture\n");
        return 1;
    }

    const QString decode = QString::number(decodeMs, 'f', 1) + QStringLiteral(" ms");
    reportRow(QStringLiteral("drag check: picture header"),
              QString::number(checkMs * 1000, 'f', 1) + QStringLiteral(" µs"),
              QStringLiteral("full decode, 6000 × 4000 JPEG"), decode, checkMs / decodeMs,
              QStringLiteral("<= 0.001"));
    reportRow(QStringLiteral("drag check: drag entering a box"),
              QString::number(enterMs * 1000, 'f', 1) + QStringLiteral(" µs"),
              QStringLiteral("full decode, 6000 × 4000 JPEG"), decode, enterMs / decodeMs,
              QStringLiteral("<= 0.001"));
    return 0;
}
