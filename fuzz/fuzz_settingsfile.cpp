// Feeds arbitrary bytes to the settings store as the settings file (a file
// damaged, cut short or edited by hand), reads every value in it and writes
// one back: nothing may crash, every read gives text, a number or the
// default, and the value written reads back.
#include "fuzz/fuzzcheck.h"
#include "logic/settingsstore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdint>

using namespace vellumark;
using fuzz::check;

namespace {

const QTemporaryDir &root()
{
    // In memory where there is a memory file system: every write is
    // flushed to disk, which would make this a test of the disk.
    static const QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                       ? QStringLiteral("/dev/shm/vellumark-fuzz-XXXXXX")
                                       : QDir::tempPath()
                                           + QStringLiteral("/vellumark-fuzz-XXXXXX"));
    return dir;
}

} // namespace

// Decoding a "@Variant(...)" value trusts the sizes written in it, so a few
// bytes can ask for gigabytes. Refuse such requests as a machine without
// that much memory would, rather than count them as a crash: Qt copes with
// the refusal, and what it does then is what is under test.
extern "C" const char *__asan_default_options()
{
    return "allocator_may_return_null=1:max_allocation_size_mb=1024";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Reading the file turns every "@Variant(...)" value into its type, a
    // picture too, which needs the application the program has.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    fuzz::silenceQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString key = QStringLiteral("Software\\Orvandi\\Vellumark\\Settings");
    const SettingsStore store(root().path());
    const QString path = store.filePath(key);
    QDir().mkpath(QFileInfo(path).path());
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the file is written");
        file.write(reinterpret_cast<const char *>(data), qint64(size));
        // QSettings tells a changed file by its size and time, which a quick
        // rewrite may keep: give every input a time of its own.
        static qint64 runs = 0;
        file.setFileTime(QDateTime::fromSecsSinceEpoch(946684800 + ++runs),
                         QFileDevice::FileModificationTime);
    }

    QStringList names = QSettings(path, QSettings::IniFormat).allKeys();
    names << QStringLiteral("Lingua") << QStringLiteral("02A") << QStringLiteral("Percorso");
    const QVariant fallback(QStringLiteral("default"));
    for (const QString &name : std::as_const(names)) {
        const QVariant value = store.GetSettingValue(key, name, fallback);
        check(value.typeId() == QMetaType::QString || value.typeId() == QMetaType::Int,
              "a value reads as text or a number", name.toUtf8());
        store.readText(key, name, QString());
    }

    store.writeText(key, QStringLiteral("Lingua"), QStringLiteral("Tedesco"));
    check(QSettings(path, QSettings::IniFormat).status() == QSettings::NoError,
          "the file reads after a write");
    check(store.readText(key, QStringLiteral("Lingua"), QString()) == QStringLiteral("Tedesco"),
          "the value written reads back");
    return 0;
}
