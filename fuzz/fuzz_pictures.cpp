// Feeds arbitrary bytes to the picture decoders the program reads pictures
// with (Qt's readers of Windows bitmap, GIF, JPEG and PNG, with the EXIF
// orientation applied and Qt's default allocation limit) and turns what
// they give by a quarter turn clockwise, as the DVD picture is turned.
#include "fuzz/fuzzcheck.h"

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
    return 0;
}
