#pragma once

#include <QFileDialog>

namespace vellumark {

// The save dialog of a PDF file. A name that does not end in ".pdf" gets
// it before the dialog checks the name, so that the question whether to
// replace a file is asked about the file that will be written.
class PdfFileDialog : public QFileDialog
{
    Q_OBJECT

public:
    explicit PdfFileDialog(QWidget *parent = nullptr);

    void accept() override;
};

} // namespace vellumark
