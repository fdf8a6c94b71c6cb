#pragma once

class QIODevice;

namespace vellumark {

// Whether a JPEG stream reaches the end-of-image marker of its picture.
// Qt's decoder fills a cut-off JPEG with grey and reports success, so a
// truncated file is caught here first. Segments are skipped by their
// lengths, so a thumbnail inside the EXIF data does not count, and data
// after the end marker (motion photos, trailers) does not matter. Reads
// the device from its current position in small blocks.
bool JpegReachesEnd(QIODevice &device);

} // namespace vellumark
