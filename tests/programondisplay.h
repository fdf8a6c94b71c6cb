#pragma once

// The real program run on a virtual display (see virtualdisplay.h), over a
// settings folder and a runtime folder of its own, and ended with the test.

#include "childprocess.h"
#include "virtualdisplay.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace vellumark::test {

class ProgramOnDisplay
{
public:
    ~ProgramOnDisplay() { kill(); }

    // Finds the program the build put beside the tests; false with the
    // reason when it is not there.
    bool findProgram(QString *failure)
    {
        m_program = QDir(qEnvironmentVariable("VELLUMARK_BINARY_DIR"))
                        .filePath(QStringLiteral("vellumark"));
        if (QFileInfo(m_program).isExecutable())
            return true;
        *failure = m_program + QStringLiteral(" is not there (VELLUMARK_BINARY_DIR)");
        return false;
    }

    // Fresh, empty settings and runtime folders: the program starts as for
    // the first time.
    bool makeFolders()
    {
        m_config = std::make_unique<QTemporaryDir>();
        m_runtime = std::make_unique<QTemporaryDir>();
        return m_config->isValid() && m_runtime->isValid(); // made for its owner alone
    }

    QString configFolder() const { return m_config->path(); }
    QString settingsFile() const
    {
        return m_config->path() + QStringLiteral("/Orvandi/Vellumark/Settings.ini");
    }

    // Starts the program on the display's X server through Qt's X11 plugin;
    // false when it did not start.
    bool start(const VirtualDisplay &display, QProcess::ProcessChannelMode channels)
    {
        kill();
        m_process = std::make_unique<QProcess>();
        QProcessEnvironment environment = display.environment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config->path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime->path());
        m_process->setProcessEnvironment(environment);
        m_process->setProcessChannelMode(channels);
        EndWithThisProcess(*m_process);
        m_process->start(m_program, {});
        return m_process->waitForStarted(5000);
    }

    // The program last started; null before the first start.
    QProcess *process() const { return m_process.get(); }

    // Kills the program if it still runs.
    void kill()
    {
        if (m_process && m_process->state() != QProcess::NotRunning) {
            m_process->kill();
            m_process->waitForFinished(5000);
        }
    }

private:
    QString m_program;
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<QTemporaryDir> m_runtime;
    std::unique_ptr<QProcess> m_process;
};

} // namespace vellumark::test
