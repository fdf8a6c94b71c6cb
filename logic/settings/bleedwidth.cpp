#include "logic/settings/bleedwidth.h"

#include "logic/numbertext.h"
#include "logic/settings/programsettings.h"

#include <algorithm>
#include <cmath>

namespace vellumark {

QString FallbackBleed()
{
    return DefaultSettingValue(SettingName::Bleed);
}

QString CheckedBleed(const QString &text)
{
    if (!ReadWholeNumber(text))
        return FallbackBleed();
    const double bleed = ReadNumber(text);
    if (bleed < 0 || bleed > kMostBleedMm)
        return FallbackBleed();
    return text;
}

double BleedCentimetres(QStringView text)
{
    const double millimetres = ReadNumber(text);
    if (!std::isfinite(millimetres))
        return 0;
    return std::clamp(millimetres, 0.0, kMostBleedMm) / 10.0;
}

} // namespace vellumark
