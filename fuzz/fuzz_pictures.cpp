// Feeds arbitrary bytes to the picture decoders the program reads pictures
// with (Qt's readers of Windows bitmap, GIF, JPEG and PNG, with the EXIF
// orientation applied and Qt's default allocation limit) and turns what
// they give by a quarter turn clockwise, as the DVD picture is turned; then
// loads them as a slot keeps a picture, turns it and decodes a part of it,
// as a page does.
#include "fuzz/fuzzcheck.h"
#include "logic/pictures/loadedpicture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QTransform>

#include <cstdint>

using vellumark::fuzz::check;

namespace {

bool isReadFormat(const QByteArray &format)
{
    return format == "bmp" || format == "gif" || format == "jpeg" || format == "jpg"
        || format == "png";
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The GIF and JPEG readers are plugins, found through the application.
    static QCoreApplication app(*argc, *argv);
    vellumark::fuzz::silenceQt();
    // Small pictures find the same decoder faults; large ones only fill the
    // sanitizer's quarantine until the run is stopped for its memory.
    QImageReader::setAllocationLimit(32);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    // Other formats Qt knows (TIFF, WebP...) are not the program's to read.
    if (!isReadFormat(reader.format()))
        return 0;
    const QImage picture = reader.read();
    if (picture.isNull())
        return 0;

    const QImage turned = picture.transformed(QTransform().rotate(90));
    check(!turned.isNull(), "a picture that loads can be turned");
    check(turned.width() == picture.height() && turned.height() == picture.width(),
          "a quarter turn swaps width and height");
    // Clockwise: the top-left corner goes to the top-right, the bottom-left
    // to the top-left.
    const int right = turned.width() - 1;
    const int bottom = picture.height() - 1;
    check(turned.pixel(right, 0) == picture.pixel(0, 0), "top-left corner turned");
    check(turned.pixel(0, 0) == picture.pixel(0, bottom), "bottom-left corner turned");
    check(turned.pixel(0, turned.height() - 1) == picture.pixel(picture.width() - 1, bottom),
          "bottom-right corner turned");

    const std::optional<vellumark::LoadedPicture> loaded
        = vellumark::LoadedPicture::fromBytes(bytes, QSize(16, 16));
    if (!loaded)
        return 0;
    check(loaded->size() == picture.size(), "kept at the size a plain decode gives");
    check(!loaded->screenCopy().isNull(), "a kept picture has its screen copy");
    vellumark::LoadedPicture shown = loaded->turnedClockwise();
    check(shown.size() == picture.size().transposed(), "a turn of a kept picture swaps its sides");
    // The top left third at half its size, as a page decodes a crop.
    const QRect third(0, 0, std::max(1, shown.size().width() / 3),
                      std::max(1, shown.size().height() / 3));
    const QSize half = (third.size() / 2).expandedTo(QSize(1, 1));
    const QImage part = shown.decoded(third, half);
    check(part.isNull() || part.size() == half, "a part decodes at the size asked");
    for (int turn = 1; turn < 4; ++turn)
        shown = shown.turnedClockwise();
    check(shown.screenCopy() == loaded->screenCopy(), "four turns give the screen copy back");
    return 0;
}
