#pragma once

#include "logic/settings/settingswrite.h"
#include "logic/texts/language.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace vellumark {

// Tells the user when the settings cannot be written. The status bar says
// it once, at the first failure, rather than at every key press; once a
// write succeeds again, the next failure is said again. The exit, which
// writes the window's values in one series, says where they were not saved.
class SettingsWriteReporter
{
public:
    using Say = std::function<void(const QString &)>;
    using CurrentLanguage = std::function<Language()>;

    SettingsWriteReporter(Say say, CurrentLanguage language);

    void observe(const SettingsWrite &write);

    // The key could not be made at start: said at once, and the failures
    // of the writes that follow are not said again.
    void keyNotCreated(const SettingsWrite &write, Language language);

    // The writes between the two calls form one series; the first of its
    // failures, if any.
    void beginSeries();
    std::optional<SettingsWrite> endSeries();

    // The exit's word that the window's settings were not saved and where:
    // on the terminal, and in a message box unless askUser is false (the
    // program ends on a signal, with nobody to answer).
    void tellNotSavedAtExit(const SettingsWrite &write, QWidget *parent, bool askUser) const;

private:
    Say m_say;
    CurrentLanguage m_language;
    bool m_said = false;
    bool m_inSeries = false;
    std::optional<SettingsWrite> m_seriesFailure;
};

} // namespace vellumark
