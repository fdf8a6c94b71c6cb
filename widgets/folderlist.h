#pragma once

#include <QListWidget>

namespace vellumark {

// A folder list: the folders from the root down to the current one, then
// the current folder's subfolders. Double-click or Enter on an entry opens
// it. Paths use '/' and carry no trailing separator but for the root.
class FolderList : public QListWidget
{
    Q_OBJECT

public:
    explicit FolderList(const QString &name, QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Opens a folder; false, with nothing changed, when it is not an
    // existing folder.
    bool setPath(const QString &path);

signals:
    void pathChanged(const QString &path);

private:
    void refresh();

    QString m_path;
};

} // namespace vellumark
