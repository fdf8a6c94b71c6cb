#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vellumark {

class FileList;
class FolderList;
class PictureBox;

// The picture dialog with preview: drives, folders, the picture files of
// the chosen type and a stretched preview of the file selected. It starts
// from the remembered folder and preview state and hands back what the
// user chose; the caller keeps them.
class PictureDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Outcome {
        Closed, // the close box: nothing changes
        Confirmed, // OK: a file, its folder and the preview state
        Cancelled, // Cancel: the preview state only
    };

    PictureDialog(const QString &rememberedFolder, const QString &rememberedPreview,
                  const QString &languageMarker, QWidget *parent = nullptr);

    Outcome outcome() const { return m_outcome; }
    // The full path of the file chosen (on OK).
    QString chosenFile() const { return m_chosenFile; }
    // The folder to start in next time (on OK), with no separator added.
    QString chosenFolder() const { return m_chosenFolder; }
    // The preview switch as "0" or "1" (on OK and Cancel).
    QString previewState() const;

    // What sounds when OK finds no file name; tests listen in.
    void setBeeper(std::function<void()> beep) { m_beep = std::move(beep); }

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildControls();
    void startAt(const QString &rememberedFolder, const QString &rememberedPreview);
    void showTexts();
    void driveChanged();
    void folderChanged();
    void pictureTypeChanged();
    void showSelectedFile();
    void previewSwitched();
    void acceptFile();
    void cancel();
    void showFolder();

    QString m_languageMarker;
    Outcome m_outcome = Outcome::Closed;
    QString m_chosenFile;
    QString m_chosenFolder;
    std::function<void()> m_beep;

    QComboBox *Drive1 = nullptr;
    FolderList *Dir1 = nullptr;
    FileList *File1 = nullptr;
    QComboBox *Combo1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QCheckBox *Check1 = nullptr;
    PictureBox *Image1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label5 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
};

} // namespace vellumark
