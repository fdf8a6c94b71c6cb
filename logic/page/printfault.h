#pragma once

namespace vellumark {

// Why a page did not come out of the printer.
enum class PrintFault {
    FileNotWritable, // the PDF file chosen as the printer cannot be written
    PrinterError, // the printer reported an error or ended the job
    PageNotStarted, // the printer did not take the page, and said no more
};

} // namespace vellumark
