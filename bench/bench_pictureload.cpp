// Loading a 6000 x 4000 JPEG into a slot's three boxes, as a click on the
// preview does, against one plain decode of the same file: wall time in this
// process, peak memory in fresh child processes (one per measure, so that
// each peak is its own). Two files: grain as heavy as a photograph at
// high ISO, and the lighter grain of a daylight photograph.

#include "benchsupport.h"
#include "logic/pictures/loadedpicture.h"
#include "widgets/picturebox.h"

#include <QApplication>
#include <QFileInfo>
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
    QSize screen;
    for (int i = 0; i < 3; ++i)
        screen = screen.expandedTo(boxes[i]->screenPixelsNeeded());
    const LoadedPicture picture = LoadedPicture::fromFile(path, screen).value_or(LoadedPicture());
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
            owned[i]->setFittable(i == 0); // the preview crops and zooms
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
    struct Photo
    {
        const char *grain;
        int noise;
    };
    for (const Photo &photo : { Photo { "heavy grain", 48 }, Photo { "daylight grain", 12 } }) {
        const QString path = dir.filePath(QStringLiteral("photo%1.jpg").arg(photo.noise));
        if (!WriteLargeJpeg(path, QSize(6000, 4000), photo.noise)) {
            std::fprintf(stderr, "could not write the test picture\n");
            return 1;
        }
        const QString file = QStringLiteral("6000 × 4000 JPEG, %1, %2 MB")
                                 .arg(QString::fromLatin1(photo.grain))
                                 .arg(QFileInfo(path).size() / 1e6, 0, 'f', 1);

        plainDecode(path); // warm the plug-ins and the file cache
        const int runs = 7;
        const double plainMs = MedianMilliseconds(runs, [&] { plainDecode(path); });
        Slot slot;
        const double slotMs = MedianMilliseconds(runs, [&] {
            loadIntoSlot(path, slot.boxes);
            for (PictureBox *box : slot.boxes)
                box->clearPicture();
        });
        // The least a JPEG decoder can do: an eighth of each side, the DC
        // coefficients alone; every coefficient is still entropy-decoded.
        const double eighthMs = MedianMilliseconds(runs, [&] {
            QImageReader reader(path);
            reader.setScaledSize(reader.size() / 8);
            reader.read();
        });
        reportRow(QStringLiteral("picture into a slot's three boxes: time"),
                  QString::number(slotMs, 'f', 1) + QStringLiteral(" ms"),
                  QStringLiteral("one plain decode, ") + file,
                  QString::number(plainMs, 'f', 1) + QStringLiteral(" ms"), slotMs / plainMs,
                  QStringLiteral("<= 0.25"));
        reportRow(QStringLiteral("for comparison: the same file decoded at 1/8 of each side"),
                  QString::number(eighthMs, 'f', 1) + QStringLiteral(" ms"),
                  QStringLiteral("one plain decode"),
                  QString::number(plainMs, 'f', 1) + QStringLiteral(" ms"), eighthMs / plainMs,
                  QStringLiteral("—"));

        const qint64 startKb = childPeak(QStringLiteral("none"), path);
        const qint64 plainKb = childPeak(QStringLiteral("plain"), path);
        const qint64 slotKb = childPeak(QStringLiteral("slot"), path);
        if (startKb < 0 || plainKb < 0 || slotKb < 0) {
            std::fprintf(stderr, "a measuring process failed\n");
            return 1;
        }
        reportRow(QStringLiteral("picture into a slot's three boxes: memory above start-up"),
                  QString::number(slotKb - startKb) + QStringLiteral(" kB"),
                  QStringLiteral("one plain decode, ") + file,
                  QString::number(plainKb - startKb) + QStringLiteral(" kB"),
                  double(slotKb - startKb) / double(plainKb - startKb), QStringLiteral("<= 0.15"));
        const qint64 fileKb = QFileInfo(path).size() / 1024;
        reportRow(QStringLiteral("for comparison: the file's bytes, which the picture keeps"),
                  QString::number(fileKb) + QStringLiteral(" kB"),
                  QStringLiteral("one plain decode"),
                  QString::number(plainKb - startKb) + QStringLiteral(" kB"),
                  double(fileKb) / double(plainKb - startKb), QStringLiteral("—"));
    }
    return 0;
}
