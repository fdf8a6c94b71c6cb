// Loading a 6000 x 4000 JPEG into a slot's three boxes against one plain
// decode of the same file: wall time in this process, peak memory in fresh
// child processes (one per measure, so that each peak is its own).

#include "benchsupport.h"
#include "logic/pictures/pictureloader.h"
#include "widgets/picturebox.h"

#include <QApplication>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

using namespace vellumark;
using namespace vellumark::bench;

namespace {

QImage plainDecode(const QString &path)
{
    QImageReader reader(path);
    return reader.read();
}

// Loads the picture into three boxes as a click does, and paints each box
// once at its size on screen.
void loadIntoSlot(const QString &path, PictureBox *boxes[3])
{
    const QImage picture = LoadPicture(path);
    for (int i = 0; i < 3; ++i)
        boxes[i]->setPicture(picture);
    for (int i = 0; i < 3; ++i) {
        QImage screen(boxes[i]->size(), QImage::Format_ARGB32_Premultiplied);
        boxes[i]->render(&screen);
    }
}

struct Slot
{
    Slot()
    {
        const QSize sizes[] = { { 153, 153 }, { 49, 49 }, { 49, 49 } }; // preview, thumbnails
        for (int i = 0; i < 3; ++i) {
            owned[i] = std::make_unique<PictureBox>(QStringLiteral("Image%1").arg(i + 1));
            owned[i]->resize(sizes[i]);
            boxes[i] = owned[i].get();
        }
    }
    std::unique_ptr<PictureBox> owned[3];
    PictureBox *boxes[3];
};

// Child process: one measure, then its peak memory on standard output.
int measureChild(const QString &mode, const QString &path)
{
    if (mode == u"plain") {
        const QImage picture = plainDecode(path);
        if (picture.isNull())
            return 1;
    } else if (mode == u"slot") {
        Slot slot;
        loadIntoSlot(path, slot.boxes);
        if (!slot.boxes[2]->hasPicture())
            return 1;
    }
    std::printf("%lld\n", static_cast<long long>(PeakMemoryKb()));
    return 0;
}

qint64 childPeak(const QString &mode, const QString &path)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--child"), mode, path });
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        return -1;
    return child.readAllStandardOutput().trimmed().toLongLong();
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments[1] == u"--child")
        return measureChild(arguments[2], arguments[3]);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    if (!WriteLargeJpeg(path, QSize(6000, 4000))) {
        std::fprintf(stderr, "could not write the test picture\n");
        return 1;
    }

    plainDecode(path); // warm the plug-ins and the file cache
    const int runs = 7;
    const double plainMs = MedianMilliseconds(runs, [&] { plainDecode(path); });
    Slot slot;
    const double slotMs = MedianMilliseconds(runs, [&] {
        loadIntoSlot(path, slot.boxes);
        for (PictureBox *box : slot.boxes)
            box->clearPicture();
    });
    reportRow(QStringLiteral("picture into a slot's three boxes: time"),
              QString::number(slotMs, 'f', 1) + QStringLiteral(" ms"),
              QStringLiteral("one plain decode, 6000 × 4000 JPEG"),
              QString::number(plainMs, 'f', 1) + QStringLiteral(" ms"), slotMs / plainMs,
              QStringLiteral("<= 1.1"));

    const qint64 startKb = childPeak(QStringLiteral("none"), path);
    const qint64 plainKb = childPeak(QStringLiteral("plain"), path);
    const qint64 slotKb = childPeak(QStringLiteral("slot"), path);
    if (startKb < 0 || plainKb < 0 || slotKb < 0) {
        std::fprintf(stderr, "a measuring process failed\n");
        return 1;
    }
    reportRow(QStringLiteral("picture into a slot's three boxes: peak memory"),
              QString::number(slotKb) + QStringLiteral(" kB"),
              QStringLiteral("one plain decode (peak)"),
              QString::number(plainKb) + QStringLiteral(" kB"), double(slotKb) / double(plainKb),
              QStringLiteral("<= 1.1"));
    reportRow(QStringLiteral("picture into a slot's three boxes: memory above start-up"),
              QString::number(slotKb - startKb) + QStringLiteral(" kB"),
              QStringLiteral("one plain decode"),
              QString::number(plainKb - startKb) + QStringLiteral(" kB"),
              double(slotKb - startKb) / double(plainKb - startKb), QStringLiteral("<= 1.1"));
    return 0;
}
