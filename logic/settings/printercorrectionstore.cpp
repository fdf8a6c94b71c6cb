#include "logic/settings/printercorrectionstore.h"

#include "logic/numbertext.h"
#include "logic/settings/settingnames.h"

#include <QStringList>

#include <cmath>

namespace vellumark {

namespace {

QString groupOf(const QString &printer)
{
    return SettingName::CalibrationGroupPrefix + printer;
}

const QStringList &valueNames()
{
    static const QStringList names
        = { SettingName::CalibrationScaleX, SettingName::CalibrationScaleY,
            SettingName::CalibrationShiftX, SettingName::CalibrationShiftY };
    return names;
}

// A scale far from 1 or a shift of metres was written by hand, not by the
// calibration: such a group is ignored rather than printed through.
bool usable(const PrinterCorrection &c)
{
    const auto sane = [](double scale) { return std::isfinite(scale) && scale > 0.5 && scale < 2; };
    return sane(c.scaleX) && sane(c.scaleY) && std::abs(c.offsetX) < 1000
        && std::abs(c.offsetY) < 1000;
}

} // namespace

std::optional<PrinterCorrection> PrinterCorrections::of(const QString &printer) const
{
    if (printer.isEmpty())
        return std::nullopt;
    double values[4] = {};
    for (int i = 0; i < 4; ++i) {
        const QString text = m_settings.store().readGroupText(SettingsKeyPath(), groupOf(printer),
                                                              valueNames().at(i), QString());
        if (text.isEmpty())
            return std::nullopt;
        values[i] = ReadNumber(text);
    }
    const PrinterCorrection correction { values[0], values[1], values[2], values[3] };
    if (!usable(correction))
        return std::nullopt;
    return correction;
}

SettingsWrite PrinterCorrections::store(const QString &printer,
                                        const PrinterCorrection &correction) const
{
    if (printer.isEmpty())
        return { SettingsWrite::Failure::Other, m_settings.store().filePath(SettingsKeyPath()),
                 QString() };
    const double values[4]
        = { correction.scaleX, correction.scaleY, correction.offsetX, correction.offsetY };
    QList<std::pair<QString, QString>> texts;
    for (int i = 0; i < 4; ++i)
        texts.append({ valueNames().at(i), FormatNumber(values[i]) });
    return m_settings.store().writeGroupTexts(SettingsKeyPath(), groupOf(printer), texts);
}

SettingsWrite PrinterCorrections::remove(const QString &printer) const
{
    if (printer.isEmpty())
        return SettingsWrite::stored(m_settings.store().filePath(SettingsKeyPath()));
    return m_settings.store().removeGroup(SettingsKeyPath(), groupOf(printer));
}

} // namespace vellumark
