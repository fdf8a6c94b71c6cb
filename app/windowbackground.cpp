#include "app/windowbackground.h"

#include "logic/pictures/pictureloader.h"
#include "logic/programinfo.h"
#include "logic/settings/windowstate.h"
#include "widgets/backgroundshape.h"
#include "widgets/controlsarea.h"

#include <QColorDialog>
#include <QFileDialog>

namespace vellumark {

WindowBackground::WindowBackground(WindowState &state, ControlsArea *area, BackgroundShape *shape)
    : QObject(area)
    , m_state(state)
    , m_area(area)
    , m_shape(shape)
{ }

void WindowBackground::showState()
{
    m_shape->setFillColor(ColourFromNumber(m_state.fillColour));
    m_shape->setFillStyle(m_state.fillStyle);
    // A path that names no picture stays in the state and is saved again.
    const QImage picture = LoadPicture(m_state.backgroundPicture);
    if (!picture.isNull())
        m_area->setBackgroundPicture(picture);
    else if (!m_state.backgroundPicture.isEmpty())
        emit pictureNotLoaded(m_state.backgroundPicture);
}

void WindowBackground::setFillStyle(int style)
{
    m_state.fillStyle = style;
    m_shape->setFillStyle(style);
}

void WindowBackground::chooseFillColour()
{
    QColorDialog dialog(ColourFromNumber(m_state.fillColour), m_area->window());
    dialog.setObjectName(QStringLiteral("ColourDialog"));
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
        return;
    m_state.fillColour = ColourNumber(dialog.selectedColor());
    m_shape->setFillColor(dialog.selectedColor());
}

void WindowBackground::choosePicture()
{
    QFileDialog dialog(m_area->window());
    dialog.setObjectName(QStringLiteral("SkinDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDirectory(ProgramFolder());
    dialog.setNameFilter(QStringLiteral("Skin Image (*.SCI)")); // matched case-insensitively
    dialog.selectNameFilter(dialog.nameFilters().value(0));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString file = dialog.selectedFiles().value(0);
    if (file.isEmpty())
        return;
    // Load first: a file that is no picture leaves everything as it was,
    // and says so as a cover picture does.
    const QImage picture = LoadPicture(file);
    if (picture.isNull()) {
        emit pictureNotLoaded(file);
        return;
    }
    m_area->setBackgroundPicture(picture);
    m_state.backgroundPicture = file;
}

void WindowBackground::removePicture()
{
    m_area->setBackgroundPicture(QImage());
    m_state.backgroundPicture.clear();
}

} // namespace vellumark
