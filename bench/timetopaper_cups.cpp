// The user's figure: from the print command to the CUPS PDF printer's
// finished file, for two 6000 x 4000 JPEG photographs as A (12.1 x 12.1 cm)
// and B (15 x 11.8 cm), printed straight ("Stampante" = 0). It needs a CUPS
// server with the cups-pdf queue; scripts/bench-cups.sh runs it.
#include "bench/benchsupport.h"
#include "logic/pictures/loadedpicture.h"
#include "print/printjob.h"
#include "tests/cupspdfprinter.h"
#include "tests/testsupport.h"
#include "widgets/picturebox.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace vellumark;
using namespace vellumark::test;

namespace {

// Whether the PDF queue's job has ended.
bool jobEnded(int id)
{
    const std::optional<QList<int>> open = CupsPdfPrinter::jobIds(true);
    return open && !open->contains(id);
}

struct Paper
{
    double seconds = -1;
    qint64 bytes = 0;
};

// One print command, timed until the printer's file is whole.
Paper timeToPaper(MainWindow *window, PrintJob *job, const QString &title, const QString &folder)
{
    const std::optional<QList<int>> before = CupsPdfPrinter::jobIds(false);
    job->printer().setDocName(title);
    QElapsedTimer clock;
    clock.start();
    window->findChild<QAction *>(QStringLiteral("ID_Print"))->trigger();

    int ours = -1;
    WaitFor(
        [&] {
            for (int id : CupsPdfPrinter::jobIds(false).value_or(QList<int>()))
                if (!before || !before->contains(id))
                    ours = id;
            return ours >= 0;
        },
        60000);
    Paper paper;
    QString file;
    const bool done = WaitFor(
        [&] {
            if (!jobEnded(ours))
                return false;
            for (const QFileInfo &info : QDir(folder).entryInfoList({ title + u'*' }))
                if (info.size() > 0)
                    file = info.filePath();
            return !file.isEmpty();
        },
        300000);
    if (!done)
        return paper;
    paper.seconds = clock.nsecsElapsed() / 1e9;
    paper.bytes = QFileInfo(file).size();
    QFile::remove(file);
    return paper;
}

void setField(MainWindow *window, const char *name, const char *text)
{
    window->findChild<QLineEdit *>(QString::fromLatin1(name))->setText(QString::fromLatin1(text));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    CupsPdfPrinter cups;
    const QString failure = cups.setUp();
    if (!failure.isEmpty()) {
        std::printf("no CUPS PDF printer: %s\n", qPrintable(failure));
        return 1;
    }
    const QString folder = CupsPdfOutputFolder();
    QTemporaryDir dir;
    const QString fileA = dir.filePath(QStringLiteral("a.jpg"));
    const QString fileB = dir.filePath(QStringLiteral("b.jpg"));
    if (!bench::WriteLargeJpeg(fileA, QSize(6000, 4000))
        || !bench::WriteLargeJpeg(fileB, QSize(6000, 4000)))
        return 1;

    TemporarySettings settings;
    settings.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                    { QStringLiteral("Stampante"), QStringLiteral("0") } });
    LoadedWindow loaded = loadWindow(settings.settings());
    MainWindow *window = loaded.window.get();
    auto *job = window->findChild<PrintJob *>();
    setField(window, "Text1", "12.1");
    setField(window, "Text2", "12.1");
    setField(window, "Text5", "2");
    setField(window, "Text6", "2");
    setField(window, "Text3", "15");
    setField(window, "Text4", "11.8");
    setField(window, "Text7", "2");
    setField(window, "Text8", "14.6");
    // Held as a click loads them: each box's picture is its file's bytes.
    for (const auto &[name, file] :
         { std::pair { "Image1", fileA }, std::pair { "Image2", fileB } }) {
        auto *box = window->findChild<PictureBox *>(QString::fromLatin1(name));
        box->setPicture(LoadedPicture::fromFile(file, box->screenPixelsNeeded()).value());
    }

    const QString title
        = QStringLiteral("vellumark-bench-%1").arg(QCoreApplication::applicationPid());
    const int runs
        = qEnvironmentVariableIntValue("RUNS") > 0 ? qEnvironmentVariableIntValue("RUNS") : 3;
    auto best = [&](const char *option, const QString &tag) {
        window->findChild<QRadioButton *>(QString::fromLatin1(option))->setChecked(true);
        Paper fastest;
        for (int run = 0; run < runs; ++run) {
            const Paper paper
                = timeToPaper(window, job, title + tag + QString::number(run), folder);
            if (paper.seconds >= 0 && (fastest.seconds < 0 || paper.seconds < fastest.seconds))
                fastest = paper;
        }
        return fastest;
    };
    const Paper both = best("Option5", QStringLiteral("-ab-"));
    const Paper alone = best("Option3", QStringLiteral("-a-"));
    if (both.seconds < 0 || alone.seconds < 0) {
        std::puts("the CUPS PDF printer wrote no file");
        return 1;
    }
    bench::reportRow(QStringLiteral("print command to the CUPS PDF printer's file, two 6000 × 4000 "
                                    "covers (A+B)"),
                     QString::number(both.seconds, 'f', 1) + QStringLiteral(" s, ")
                         + QString::number(both.bytes / 1e6, 'f', 1) + QStringLiteral(" MB"),
                     QStringLiteral("one cover alone (A)"),
                     QString::number(alone.seconds, 'f', 1) + QStringLiteral(" s, ")
                         + QString::number(alone.bytes / 1e6, 'f', 1) + QStringLiteral(" MB"),
                     both.seconds / alone.seconds,
                     QStringLiteral("A+B <= 1/3 of the full-resolution job"));
    return 0;
}
