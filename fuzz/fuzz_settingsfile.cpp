// Feeds arbitrary bytes to the settings store, twice over.
// As the settings file (damaged, cut short, edited by hand, or written by an
// older version in the INI format): nothing may crash, every read gives
// text, a number or the default, and writing one value changes no other.
// As a map of values (UTF-16, names and values between zeros): the file
// written for them reads back as them, and so does any verbatim file with
// them written into it.
#include "fuzz/fuzzcheck.h"
#include "logic/settings/settingsfileformat.h"
#include "logic/settings/settingsstore.h"
#include "logic/settings/verbatimsettings.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
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

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The values as text, leaving out names a write cannot carry over.
QMap<QString, QString> storableTexts(const SettingsValues &values)
{
    QMap<QString, QString> texts;
    for (auto value = values.cbegin(); value != values.cend(); ++value) {
        if (IsStorableSettingName(value.key()))
            texts.insert(value.key(), value->toString());
    }
    return texts;
}

// Names and values read as UTF-16 between zeros: "name", "value", "name"...
SettingsValues valuesOf(const uint8_t *data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(data[2 * i] | data[2 * i + 1] << 8));
    const QStringList fields = text.split(QChar(u'\0'));
    SettingsValues values;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        if (IsStorableSettingName(fields.at(i)))
            values.insert(fields.at(i), fields.at(i + 1));
    }
    return values;
}

void checkFileThroughTheStore(const QByteArray &bytes)
{
    const QString key = QStringLiteral("Software\\Orvandi\\Vellumark\\Settings");
    const SettingsStore store(root().path());
    const QString path = store.filePath(key);
    QDir().mkpath(QFileInfo(path).path());
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the file is written");
        file.write(bytes);
    }

    const SettingsValues before = ReadSettingsFile(bytes);
    QStringList names = before.keys();
    names << QStringLiteral("Lingua") << QStringLiteral("02A") << QStringLiteral("Percorso");
    const QVariant fallback(QStringLiteral("default"));
    for (const QString &name : std::as_const(names)) {
        const QVariant value = store.GetSettingValue(key, name, fallback);
        check(value.typeId() == QMetaType::QString || value.typeId() == QMetaType::Int,
              "a value reads as text or a number", name.toUtf8());
    }

    store.writeText(key, QStringLiteral("Lingua"), QStringLiteral("Tedesco"));
    const QByteArray after = fileBytes(path);
    check(IsVerbatimSettingsFile(after), "a write leaves a verbatim file");
    check(store.readText(key, QStringLiteral("Lingua"), QString()) == QStringLiteral("Tedesco"),
          "the value written reads back");
    QMap<QString, QString> expected = storableTexts(before);
    expected.insert(QStringLiteral("Lingua"), QStringLiteral("Tedesco"));
    check(storableTexts(ReadSettingsFile(after)) == expected, "a write changes no other value",
          after.left(400));
}

} // namespace

// Decoding a "@Variant(...)" value of an INI file trusts the sizes written
// in it, so a few bytes can ask for gigabytes. Refuse such requests as a
// machine without that much memory would, rather than count them as a
// crash: Qt copes with the refusal, and what it does then is what is under
// test.
extern "C" const char *__asan_default_options()
{
    return "allocator_may_return_null=1:max_allocation_size_mb=1024";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Reading an INI file turns every "@Variant(...)" value into its type, a
    // picture too, which needs the application the program has.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    fuzz::silenceQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkFileThroughTheStore(bytes);

    const SettingsValues values = valuesOf(data, size);
    const QByteArray written = WriteVerbatimSettings(QByteArray(), values);
    check(IsVerbatimSettingsFile(written), "a new file is marked verbatim");
    check(ReadVerbatimSettings(written) == values, "read(write(values)) == values",
          written.left(400));

    if (IsVerbatimSettingsFile(bytes)) {
        SettingsValues expected = ReadVerbatimSettings(bytes);
        for (auto value = values.cbegin(); value != values.cend(); ++value)
            expected.insert(value.key(), value.value());
        check(ReadVerbatimSettings(WriteVerbatimSettings(bytes, values)) == expected,
              "values written into a file read back beside its others", bytes.left(400));
    }
    return 0;
}
