#pragma once

#include "logic/texts/language.h"

#include <QString>

namespace vellumark {

// The preview box's menu of how a picture meets its cover.
struct FitMenuTexts
{
    QString stretch;
    QString fill;
    QString fit;
    QString centre;
};
const FitMenuTexts &FitTexts(Language language);

} // namespace vellumark
