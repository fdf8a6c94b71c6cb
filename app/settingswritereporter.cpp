#include "app/settingswritereporter.h"

#include "logic/programinfo.h"
#include "logic/texts/failuretexts.h"

#include <QDir>
#include <QMessageBox>

#include <cstdio>

namespace vellumark {

SettingsWriteReporter::SettingsWriteReporter(Say say, CurrentLanguage language)
    : m_say(std::move(say))
    , m_language(std::move(language))
{ }

void SettingsWriteReporter::observe(const SettingsWrite &write)
{
    if (write.ok()) {
        m_said = false;
        return;
    }
    if (m_inSeries && !m_seriesFailure)
        m_seriesFailure = write;
    if (m_said)
        return;
    m_said = true;
    if (m_say)
        m_say(SettingsNotSavedMessage(m_language(), write));
}

void SettingsWriteReporter::keyNotCreated(const SettingsWrite &write, Language language)
{
    m_said = true;
    if (m_say)
        m_say(FailuresIn(language).settingsKeyNotCreated.arg(
            QDir::toNativeSeparators(write.file), SettingsFailureReason(language, write)));
}

void SettingsWriteReporter::beginSeries()
{
    m_inSeries = true;
    m_seriesFailure.reset();
}

std::optional<SettingsWrite> SettingsWriteReporter::endSeries()
{
    m_inSeries = false;
    return std::exchange(m_seriesFailure, std::nullopt);
}

void SettingsWriteReporter::tellNotSavedAtExit(const SettingsWrite &write, QWidget *parent,
                                               bool askUser) const
{
    const Language language = m_language();
    const QString message = FailuresIn(language).windowSettingsNotSaved.arg(
        QDir::toNativeSeparators(write.file), SettingsFailureReason(language, write));
    std::fprintf(stderr, "%s\n", qUtf8Printable(message));
    if (!askUser)
        return;
    QMessageBox box(QMessageBox::Warning, ProgramTitle(), message, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("SettingsNotSaved"));
    box.exec();
}

} // namespace vellumark
