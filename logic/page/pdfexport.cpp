#include "logic/page/pdfexport.h"

#include "logic/page/paintcoverplan.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace vellumark {

namespace {

// A printer's resolution: borders are drawn in device pixels.
constexpr int kPdfDotsPerInch = 1200;

} // namespace

bool ExportPdf(const CoverPlan &plan, const QPageLayout &layout, const QString &title,
               const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfDotsPerInch);
        writer.setTitle(title);
        writer.setCreator(title);
        if (!writer.setPageLayout(layout))
            return false;
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        PaintCoverPlan(painter, plan);
        if (!painter.end())
            return false;
    }
    return file.commit();
}

QString WithPdfSuffix(const QString &name)
{
    const QString suffix = QStringLiteral(".pdf");
    return name.endsWith(suffix, Qt::CaseInsensitive) ? name : name + suffix;
}

QPageLayout PaperCornerA4()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

} // namespace vellumark
