#include "logic/picturefilters.h"

namespace vellumark {

QStringList PictureFileFilters()
{
    return {
        QStringLiteral("Windows Bitmap - *.BMP (*.BMP *.bmp)"),
        QStringLiteral("JPEG Compilant - *.JPG (*.JPG *.jpg *.JPEG *.jpeg)"),
        QStringLiteral("Compuserve GIF - *.GIF (*.GIF *.gif)"),
        QStringLiteral("Tutti i formati (*.BMP *.bmp *.GIF *.gif *.JPG *.jpg *.JPEG *.jpeg)"),
    };
}

} // namespace vellumark
