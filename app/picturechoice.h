#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace vellumark {

struct WindowState;

// Asks the user for a picture file, through the picture dialog with its
// preview or through the system's file dialog, as the state says. The state
// keeps the folder of the choice and the preview box's state. Nothing when
// the user chose no file.
std::optional<QString> ChoosePictureFile(WindowState &state, QWidget *parent);

} // namespace vellumark
