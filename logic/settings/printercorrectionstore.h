#pragma once

#include "logic/page/printercorrection.h"
#include "logic/settings/programsettings.h"

#include <QString>

#include <optional>

namespace vellumark {

// The corrections of the printers calibrated so far, one group of the
// settings per printer name, kept apart from the main values.
class PrinterCorrections
{
public:
    explicit PrinterCorrections(ProgramSettings settings)
        : m_settings(std::move(settings))
    { }

    // The printer's correction; none when it has none stored, or when what
    // is stored is not a usable correction.
    std::optional<PrinterCorrection> of(const QString &printer) const;
    SettingsWrite store(const QString &printer, const PrinterCorrection &correction) const;
    SettingsWrite remove(const QString &printer) const;

private:
    ProgramSettings m_settings;
};

} // namespace vellumark
