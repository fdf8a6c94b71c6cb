#include "app/picturechoice.h"

#include "dialogs/picturedialog.h"
#include "logic/pictures/picturefilters.h"
#include "logic/pictures/picturefolder.h"
#include "logic/settings/windowstate.h"

#include <QFileDialog>

namespace vellumark {

namespace {

std::optional<QString> chooseWithPreview(WindowState &state, QWidget *parent)
{
    PictureDialog dialog(state.pictureFolder, state.previewSwitch, MarkerOfLanguage(state.language),
                         parent);
    dialog.exec();
    switch (dialog.outcome()) {
    case PictureDialog::Outcome::Confirmed:
        state.pictureFolder = dialog.chosenFolder();
        state.previewSwitch = dialog.previewState();
        return dialog.chosenFile();
    case PictureDialog::Outcome::Cancelled:
        state.previewSwitch = dialog.previewState();
        return std::nullopt;
    case PictureDialog::Outcome::Closed:
        break;
    }
    return std::nullopt;
}

std::optional<QString> chooseWithSystemDialog(const WindowState &state, QWidget *parent)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("PictureDialog"));
    // Qt's own dialog, so that the filters match whatever the case of the
    // extension, and the filters show their texts alone.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList filters = PictureFileFilters();
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    if (!state.pictureFolder.isEmpty())
        dialog.setDirectory(state.pictureFolder);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFiles().value(0);
}

} // namespace

std::optional<QString> ChoosePictureFile(WindowState &state, QWidget *parent)
{
    // Closing the preview dialog without a choice leaves the slot as it was,
    // rather than loading the previous choice again.
    std::optional<QString> file = state.openWithPreview ? chooseWithPreview(state, parent)
                                                        : chooseWithSystemDialog(state, parent);
    if (!file || file->isEmpty())
        return std::nullopt;
    state.pictureFolder = PictureFolder(*file);
    return file;
}

} // namespace vellumark
