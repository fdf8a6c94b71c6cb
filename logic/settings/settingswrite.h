#pragma once

#include <QString>

namespace vellumark {

// What became of a write into the settings file: stored, or why not. The
// old file stays as it was whenever a write fails.
struct SettingsWrite
{
    enum class Failure {
        None,
        KeyMissing, // the file is not there (and a write never makes it)
        FolderNotWritable, // the file cannot be made or replaced in its folder
        FileReadOnly,
        DiskFull,
        Other, // see detail
    };

    Failure failure = Failure::None;
    QString file; // the settings file
    QString detail; // the system's own words, where it gave any

    bool ok() const { return failure == Failure::None; }

    static SettingsWrite stored(const QString &file) { return { Failure::None, file, {} }; }
    // Why a write into the file failed, judged from the file, its folder and
    // the room left on its disk; bytes is what the write needed.
    static SettingsWrite failed(const QString &file, const QString &detail, qint64 bytes = 0);
};

} // namespace vellumark
