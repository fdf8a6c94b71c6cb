#include "dialogs/pdffiledialog.h"

#include "logic/page/pdfexport.h"

#include <QFileInfo>
#include <QLineEdit>

namespace vellumark {

PdfFileDialog::PdfFileDialog(QWidget *parent)
    : QFileDialog(parent)
{
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setNameFilter(QStringLiteral("PDF (*.pdf)"));
}

void PdfFileDialog::accept()
{
    const QStringList files = selectedFiles();
    // Qt's default suffix is added only to a name without any dot.
    if (files.size() == 1 && !files.first().isEmpty() && !QFileInfo(files.first()).isDir()) {
        const QString named = WithPdfSuffix(files.first());
        // The name field itself: selectFile() leaves it alone while it has
        // the focus, as it has when the user just typed the name.
        auto *name = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (named != files.first() && name)
            name->setText(named);
    }
    QFileDialog::accept();
}

} // namespace vellumark
