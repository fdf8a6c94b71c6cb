#include "dialogs/picturedialog.h"

#include "logic/drives.h"
#include "logic/numbertext.h"
#include "logic/pictures/picturefiles.h"
#include "logic/texts/accessibletexts.h"
#include "logic/texts/dialogtexts.h"
#include "logic/twips.h"
#include "widgets/filelist.h"
#include "widgets/folderlist.h"
#include "widgets/picturebox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellumark {

namespace {

// The side of the preview square.
constexpr int PreviewTwips = 1335;

} // namespace

PictureDialog::PictureDialog(const QString &rememberedFolder, const QString &rememberedPreview,
                             const QString &languageMarker, QWidget *parent)
    : QDialog(parent)
    , m_languageMarker(languageMarker)
    , m_beep(&QApplication::beep)
{
    setObjectName(QStringLiteral("Form2"));
    buildControls();
    startAt(rememberedFolder, rememberedPreview);
    showTexts();
    setFixedSize(sizeHint());
}

void PictureDialog::buildControls()
{
    Label3 = new QLabel(QStringLiteral("Drive..."), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->addItems(DriveRoots());
    Dir1 = new FolderList(QStringLiteral("Dir1"), this);
    Dir1->setMinimumSize(200, 180);
    {
        const QSignalBlocker quiet(Drive1);
        Drive1->setCurrentText(DriveRootOf(Dir1->path()));
    }

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItems(PictureTypes());
    Combo1->setCurrentText(InitialPictureType());
    File1 = new FileList(QStringLiteral("File1"), this);
    File1->setMinimumSize(200, 180);
    File1->setFolder(Dir1->path());
    File1->setPattern(*PatternOfPictureType(InitialPictureType()));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));

    Check1 = new QCheckBox(this);
    Check1->setObjectName(QStringLiteral("Check1"));
    auto *previewFrame = new QFrame(this);
    previewFrame->setFrameShape(QFrame::Box);
    previewFrame->setFrameShadow(QFrame::Sunken);
    auto *previewLayout = new QVBoxLayout(previewFrame);
    previewLayout->setContentsMargins(1, 1, 1, 1);
    Image1 = new PictureBox(QStringLiteral("Image1"), previewFrame);
    Image1->setFixedSize(TwipsToPixels(PreviewTwips), TwipsToPixels(PreviewTwips));
    previewLayout->addWidget(Image1);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(this);
    Command2->setObjectName(QStringLiteral("Command2"));

    Label5 = new QLabel(QStringLiteral("../../"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setFrameShape(QFrame::Panel);
    Label5->setFrameShadow(QFrame::Sunken);

    auto *grid = new QGridLayout(this);
    grid->addWidget(Label3, 0, 0);
    grid->addWidget(Drive1, 1, 0);
    grid->addWidget(Dir1, 2, 0, 3, 1);
    grid->addWidget(Label2, 0, 1);
    grid->addWidget(Combo1, 1, 1);
    grid->addWidget(File1, 2, 1, 2, 1);
    grid->addWidget(Text1, 4, 1);
    grid->addWidget(Check1, 1, 2);
    grid->addWidget(previewFrame, 2, 2, Qt::AlignTop | Qt::AlignHCenter);
    auto *buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    grid->addLayout(buttons, 3, 2, 2, 1);
    grid->addWidget(Label5, 5, 0, 1, 3);
    grid->setRowStretch(3, 1);

    // The captions name their lists; the controls without one are named
    // for screen readers in the dialog's language.
    Label3->setBuddy(Drive1);
    Label2->setBuddy(Combo1);
    const AccessibleTexts &names = AccessibleTextsOf(LanguageOfMarker(m_languageMarker));
    Dir1->setAccessibleName(names.folders);
    File1->setAccessibleName(names.files);
    Text1->setAccessibleName(names.fileName);

    connect(Drive1, &QComboBox::currentTextChanged, this, &PictureDialog::driveChanged);
    connect(Dir1, &FolderList::pathChanged, this, &PictureDialog::folderChanged);
    connect(Combo1, &QComboBox::currentTextChanged, this, &PictureDialog::pictureTypeChanged);
    connect(File1, &FileList::fileSelected, this, &PictureDialog::showSelectedFile);
    connect(File1, &FileList::confirmed, this, &PictureDialog::acceptFile);
    connect(Check1, &QCheckBox::clicked, this, &PictureDialog::previewSwitched);
    connect(Command1, &QPushButton::clicked, this, &PictureDialog::acceptFile);
    connect(Command2, &QPushButton::clicked, this, &PictureDialog::cancel);
}

void PictureDialog::startAt(const QString &rememberedFolder, const QString &rememberedPreview)
{
    bool folderOpened = true;
    if (!rememberedFolder.isEmpty()) {
        const QString root = DriveRootOf(rememberedFolder);
        folderOpened = !root.isEmpty() && Dir1->setPath(rememberedFolder);
        if (folderOpened) {
            const QSignalBlocker quiet(Drive1);
            Drive1->setCurrentText(root);
        }
    }
    if (!rememberedPreview.isEmpty())
        Check1->setChecked(RoundHalfEven(ReadNumber(rememberedPreview)) != 0);
    // A remembered folder that is gone leaves the label as it was built.
    if (folderOpened)
        showFolder();
}

void PictureDialog::showTexts()
{
    const PictureDialogTexts &texts = PictureTexts(LanguageOfMarker(m_languageMarker));
    setWindowTitle(texts.caption);
    Label2->setText(texts.pictureType);
    Check1->setText(texts.preview);
    Command2->setText(texts.cancel);
}

void PictureDialog::showEvent(QShowEvent *event)
{
    showTexts();
    QDialog::showEvent(event);
}

void PictureDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showTexts();
    QDialog::changeEvent(event);
}

void PictureDialog::driveChanged()
{
    // A drive that cannot be opened leaves the folders where they were.
    Dir1->setPath(Drive1->currentText());
}

void PictureDialog::folderChanged()
{
    File1->setFolder(Dir1->path());
    showFolder();
}

void PictureDialog::pictureTypeChanged()
{
    if (const std::optional<QString> pattern = PatternOfPictureType(Combo1->currentText()))
        File1->setPattern(*pattern);
}

void PictureDialog::showSelectedFile()
{
    Text1->setText(File1->selectedFileName());
    if (!Check1->isChecked()) {
        Image1->clearPicture();
        return;
    }
    // What cannot be read as a picture leaves the previous preview.
    const QImage picture
        = ReadPreviewPicture(JoinPath(Dir1->path(), Text1->text()), Image1->screenPixelsNeeded());
    if (!picture.isNull())
        Image1->setPicture(picture);
}

void PictureDialog::previewSwitched()
{
    // Turning the preview off keeps the old one until the next file.
    if (Check1->isChecked() && !File1->selectedFileName().isEmpty())
        showSelectedFile();
}

void PictureDialog::acceptFile()
{
    if (Text1->text().isEmpty()) {
        if (m_beep)
            m_beep();
        return;
    }
    // A full path typed into the name field is taken as it is, and its
    // folder is the one remembered.
    const QString typed = Text1->text();
    if (QDir::isAbsolutePath(typed)) {
        m_chosenFile = QDir::cleanPath(typed);
        m_chosenFolder = QFileInfo(m_chosenFile).absolutePath();
    } else {
        m_chosenFile = JoinPath(Dir1->path(), typed);
        m_chosenFolder = Dir1->path();
    }
    showFolder();
    m_outcome = Outcome::Confirmed;
    accept();
}

void PictureDialog::cancel()
{
    m_outcome = Outcome::Cancelled;
    QDialog::reject();
}

void PictureDialog::reject()
{
    // The close box and Escape: nothing is handed back.
    m_outcome = Outcome::Closed;
    QDialog::reject();
}

QString PictureDialog::previewState() const
{
    return Check1->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

void PictureDialog::showFolder()
{
    Label5->setText(FolderWithSeparator(Dir1->path()));
}

} // namespace vellumark
