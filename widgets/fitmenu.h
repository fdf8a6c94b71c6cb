#pragma once

#include "logic/page/picturefit.h"
#include "logic/texts/fittexts.h"

#include <functional>

class QMenu;
class QWidget;

namespace vellumark {

// A cover preview's context menu: the three fit modes, the current one
// checked, then "Centre the picture". It deletes itself when it closes.
QMenu *MakeFitMenu(QWidget *parent, const FitMenuTexts &texts, FitMode current, bool canCentre,
                   const std::function<void(FitMode)> &choose, const std::function<void()> &centre);

} // namespace vellumark
