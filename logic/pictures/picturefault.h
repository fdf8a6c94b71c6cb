#pragma once

#include <QString>

namespace vellumark {

// Why a picture file could not be loaded, as the status bar tells it.
enum class PictureFault {
    Unreadable, // missing, a folder, no permission
    NotAPicture, // no kind of picture the program reads
    Damaged, // a picture kind it reads, but the data is broken or cut off
};

// Judges a file that LoadPicture refused; only worth asking then.
PictureFault DiagnosePictureFile(const QString &path);

} // namespace vellumark
