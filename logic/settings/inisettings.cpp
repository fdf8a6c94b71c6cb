#include "logic/settings/inisettings.h"

#include <QSettings>
#include <QStringList>
#include <QTemporaryFile>

#include <limits>

namespace vellumark {

namespace {

QVariant readable(const QVariant &stored)
{
    switch (stored.typeId()) {
    case QMetaType::QString:
    case QMetaType::Int:
        return stored;
    case QMetaType::QStringList:
        // A hand-written "12,5" comes back as a list; give the text as written.
        return stored.toStringList().join(u',');
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        bool ok = false;
        const qlonglong number = stored.toLongLong(&ok);
        if (ok && number >= std::numeric_limits<int>::min()
            && number <= std::numeric_limits<int>::max())
            return int(number);
        return QVariant();
    }
    default:
        return QVariant();
    }
}

} // namespace

SettingsValues ReadIniSettings(const QByteArray &file)
{
    // QSettings reads INI only from a file. A copy, not the settings file
    // itself: QSettings keeps what it read of a path and trusts it while the
    // file's size and time stay the same, which a quick rewrite may keep.
    // The copy is private to its owner and removed at once.
    QTemporaryFile copy;
    if (!copy.open() || copy.write(file) != file.size() || !copy.flush())
        return {};
    const QSettings settings(copy.fileName(), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return {};
    SettingsValues values;
    const QStringList names = settings.allKeys();
    for (const QString &name : names) {
        const QVariant value = readable(settings.value(name));
        if (value.isValid())
            values.insert(name, value);
    }
    return values;
}

} // namespace vellumark
