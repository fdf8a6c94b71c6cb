// Storing one value (open, atomic write, close) against one bare atomic
// replace of the same bytes with QSaveFile.
#include "benchsupport.h"
#include "logic/settings/programsettings.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

using namespace vellumark;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const ProgramSettings settings { SettingsStore(dir.path()) };
    settings.createKey();
    for (const SettingDefinition &definition : MainSettingDefinitions())
        settings.setText(definition.name, DefaultSettingValue(definition.name));

    constexpr int Runs = 400;
    int counter = 0;
    const double store = bench::medianNanoseconds(Runs, [&] {
        settings.setText(QStringLiteral("11A"), QString::number(++counter % 2 ? 14 : 15));
    });

    const QString path = settings.store().filePath(SettingsKeyPath());
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    file.close();
    const QString barePath = dir.filePath(QStringLiteral("bare.ini"));
    const double bare = bench::medianNanoseconds(Runs, [&] {
        QSaveFile save(barePath);
        save.open(QIODevice::WriteOnly);
        save.write(bytes);
        save.commit();
    });

    bench::reportRow(QStringLiteral("settings: store one value"), bench::microseconds(store),
                     QStringLiteral("bare QSaveFile replace"), bench::microseconds(bare),
                     store / bare, QStringLiteral("<= 2.5"));
    return 0;
}
