#include "widgets/folderlist.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace vellumark {

namespace {

constexpr int PathRole = Qt::UserRole;

} // namespace

FolderList::FolderList(const QString &name, QWidget *parent)
    : QListWidget(parent)
    , m_path(QDir::currentPath())
{
    setObjectName(name);
    refresh();
    // Opened once the view is done with the activation: opening rebuilds
    // the entries, the activated one included.
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        const QString path = item->data(PathRole).toString();
        QMetaObject::invokeMethod(
            this, [this, path] { setPath(path); }, Qt::QueuedConnection);
    });
}

bool FolderList::setPath(const QString &path)
{
    const QFileInfo folder(path);
    if (path.isEmpty() || !folder.isDir())
        return false;
    const QString clean = QDir::cleanPath(folder.absoluteFilePath());
    if (clean == m_path)
        return true;
    m_path = clean;
    refresh();
    emit pathChanged(m_path);
    return true;
}

void FolderList::refresh()
{
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    auto add = [this](const QIcon &icon, const QString &text, const QString &path, int depth) {
        auto *item = new QListWidgetItem(icon, QString(depth * 2, u' ') + text, this);
        item->setData(PathRole, path);
        return item;
    };

    // The chain from the root to the current folder.
    QStringList chain;
    for (QDir dir(m_path);;) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    int depth = 0;
    for (const QString &folder : chain) {
        const QString name = QDir(folder).isRoot() ? folder : QFileInfo(folder).fileName();
        add(open, name, folder, depth++);
    }
    setCurrentRow(int(chain.size()) - 1);

    const QStringList subfolders
        = QDir(m_path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : subfolders)
        add(closed, name, QDir(m_path).filePath(name), depth);
}

} // namespace vellumark
