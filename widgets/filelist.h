#pragma once

#include <QListWidget>

namespace vellumark {

// The file list of one folder, filtered by a ';'-separated pattern of
// wildcards ("*.jpg;*.jpeg"), letters compared without case. Selecting a
// file reports fileSelected; a double-click or Enter reports confirmed.
class FileList : public QListWidget
{
    Q_OBJECT

public:
    explicit FileList(const QString &name, QWidget *parent = nullptr);

    QString folder() const { return m_folder; }
    QString pattern() const { return m_pattern; }
    void setFolder(const QString &folder);
    void setPattern(const QString &pattern);
    // The names listed, in their order.
    QStringList fileNames() const;
    // The selected name, or the empty text.
    QString selectedFileName() const;

signals:
    void fileSelected(const QString &name);
    void confirmed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void refresh();

    QString m_folder;
    QString m_pattern;
};

} // namespace vellumark
