#pragma once

#include "logic/settings/programsettings.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vellumark {

// The options dialog: exit confirmation, printer set-up before printing,
// the about window at start-up and the border width, read from the store
// when it opens and written on OK; plus a button that puts the 24 measure
// values back to their standards at once.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    OptionsDialog(ProgramSettings settings, QString languageMarker, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void loadValues();
    void showTexts();
    void borderWidthChanged();
    void bleedChanged();
    void acceptValues();
    void resetMeasures();
    // False, after telling the user, when one of the writes failed.
    bool sayIfNotSaved(const QList<SettingsWrite> &writes);

    ProgramSettings m_settings;
    QString m_languageMarker;

    QCheckBox *Check1 = nullptr;
    QCheckBox *Check2 = nullptr;
    QCheckBox *Check3 = nullptr;
    QCheckBox *Check4 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
};

} // namespace vellumark
