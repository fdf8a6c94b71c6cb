#pragma once

#include "logic/settings/programsettings.h"

#include <QDialog>

#include <chrono>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vellumark {

// The start-up password prompt. The entry is compared exactly with the
// stored password, read again at every check. One wrong entry is warned
// about; a second one, or closing the window without the right password,
// means the program must end. A right entry shows the open padlock for a
// moment, then the prompt closes after one more moment without it.
class PasswordPrompt : public QDialog
{
    Q_OBJECT

public:
    enum class Outcome { Undecided, Accepted, MustEnd };

    explicit PasswordPrompt(ProgramSettings settings, QWidget *parent = nullptr);

    Outcome outcome() const { return m_outcome; }

    // The length of each of the two pauses after a right entry.
    void setPause(std::chrono::milliseconds pause) { m_pause = pause; }

    void reject() override;

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void checkEntry();
    bool entryMatches() const;
    void pause();
    void end(Outcome outcome);

    ProgramSettings m_settings;
    std::chrono::milliseconds m_pause { 1000 };
    Outcome m_outcome = Outcome::Undecided;
    bool m_failedOnce = false;
    bool m_pausing = false;

    QLabel *SSPanel2 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;
    QLabel *Picture1 = nullptr;
    QLabel *Picture2 = nullptr;
};

} // namespace vellumark
