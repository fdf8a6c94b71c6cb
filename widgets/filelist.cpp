#include "widgets/filelist.h"

#include "logic/pictures/picturefiles.h"

#include <QDir>
#include <QKeyEvent>

namespace vellumark {

FileList::FileList(const QString &name, QWidget *parent)
    : QListWidget(parent)
    , m_folder(QDir::currentPath())
    , m_pattern(QStringLiteral("*.*"))
{
    setObjectName(name);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        const QString name = selectedFileName();
        if (!name.isEmpty())
            emit fileSelected(name);
    });
}

void FileList::setFolder(const QString &folder)
{
    m_folder = folder;
    refresh();
}

void FileList::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    refresh();
}

QStringList FileList::fileNames() const
{
    QStringList names;
    for (int row = 0; row < count(); ++row)
        names.append(item(row)->text());
    return names;
}

QString FileList::selectedFileName() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void FileList::refresh()
{
    // A new listing has no selection yet and selects nothing by itself.
    const QSignalBlocker quiet(this);
    clear();
    addItems(MatchingFiles(m_folder, m_pattern));
}

void FileList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit confirmed();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FileList::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListWidget::mouseDoubleClickEvent(event);
    if (itemAt(event->position().toPoint()))
        emit confirmed();
}

} // namespace vellumark
