#include "logic/programsettings.h"
#include "logic/settingsstore.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace vellumark;

namespace {
const QString Key = QStringLiteral("Software\\Orvandi\\Vellumark\\Settings");
}

class SettingsStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void keyPathMapsToIniFile();
    void keyPathCannotLeaveTheRoot_data();
    void keyPathCannotLeaveTheRoot();
    void createKeyMakesPrivateEmptyFile();
    void createKeyKeepsExistingValues();
    void writeIntoMissingKeyStoresNothing();
    void readOfMissingKeyOrValueGivesDefault();
    void textRoundTrips_data();
    void textRoundTrips();
    void numbersAreWrittenAsText();
    void numberTypeReadsAsInteger();
    void otherTypesAreNotRead();
    void handWrittenListReadsAsText();
    void fileStaysPrivateThroughManyWrites();
    void valueWrittenIsReadBackAtOnce();
    void programSettingsDefaults();
};

void SettingsStoreTest::keyPathMapsToIniFile()
{
    const SettingsStore store(QStringLiteral("/home/u/.config"));
    QCOMPARE(store.filePath(Key), QStringLiteral("/home/u/.config/Orvandi/Vellumark/Settings.ini"));
}

void SettingsStoreTest::keyPathCannotLeaveTheRoot_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("empty") << QString();
    QTest::newRow("software alone") << QStringLiteral("Software");
    QTest::newRow("parent level") << QStringLiteral("Software\\..\\x");
    QTest::newRow("slash inside a level") << QStringLiteral("Software\\a/../../b");
}

void SettingsStoreTest::keyPathCannotLeaveTheRoot()
{
    QFETCH(QString, path);
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    QVERIFY(store.filePath(path).isEmpty());
    store.CreateSettingsKey(path);
    QVERIFY(!store.keyExists(path));
}

void SettingsStoreTest::createKeyMakesPrivateEmptyFile()
{
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    QVERIFY(!store.keyExists(Key));
    store.CreateSettingsKey(Key);
    QVERIFY(store.keyExists(Key));
    QFile file(store.filePath(Key));
    QCOMPARE(file.size(), 0);
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
        | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther
        | QFileDevice::ExeOther;
    QCOMPARE(file.permissions() & others, QFileDevice::Permissions());
    QVERIFY(file.permissions().testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
}

void SettingsStoreTest::createKeyKeepsExistingValues()
{
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    store.CreateSettingsKey(Key);
    store.writeText(Key, QStringLiteral("Lingua"), QStringLiteral("Tedesco"));
    store.CreateSettingsKey(Key);
    QCOMPARE(store.readText(Key, QStringLiteral("Lingua"), QString()), QStringLiteral("Tedesco"));
}

void SettingsStoreTest::writeIntoMissingKeyStoresNothing()
{
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    store.writeText(Key, QStringLiteral("Lingua"), QStringLiteral("Tedesco"));
    QVERIFY(!store.keyExists(Key));
    QVERIFY(!QFile::exists(store.filePath(Key)));
}

void SettingsStoreTest::readOfMissingKeyOrValueGivesDefault()
{
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    QCOMPARE(store.GetSettingValue(Key, QStringLiteral("Uscita"), 1), QVariant(1));
    store.CreateSettingsKey(Key);
    QCOMPARE(store.readText(Key, QStringLiteral("Uscita"), QStringLiteral("1")),
             QStringLiteral("1"));
    store.writeText(Key, QStringLiteral("Uscita"), QStringLiteral("0"));
    // A read that succeeds is not disturbed by one that fails after it.
    QCOMPARE(store.readText(Key, QStringLiteral("Uscita"), QStringLiteral("1")),
             QStringLiteral("0"));
    QCOMPARE(store.readText(Key, QStringLiteral("Nothing"), QStringLiteral("d")),
             QStringLiteral("d"));
}

void SettingsStoreTest::textRoundTrips_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("backslash") << QStringLiteral("Front\\CD");
    QTest::newRow("windows path") << QStringLiteral("C:\\Immagini\\");
    QTest::newRow("quotes") << QStringLiteral("say \"cheese\" 'now'");
    QTest::newRow("equals and semicolon") << QStringLiteral("a=b;c#d");
    QTest::newRow("comma") << QStringLiteral("12,5");
    QTest::newRow("leading and trailing blanks") << QStringLiteral("  spaced  ");
    QTest::newRow("at sign") << QStringLiteral("@ByteArray(x)");
    QTest::newRow("non-ASCII") << QString::fromUtf8("Zurück w.f. – è ☃");
    QTest::newRow("line breaks") << QStringLiteral("one\ntwo\r\nthree");
    QTest::newRow("brackets") << QStringLiteral("[General]");
    QTest::newRow("long") << QString(10000, u'x');
}

void SettingsStoreTest::textRoundTrips()
{
    QFETCH(QString, text);
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    store.CreateSettingsKey(Key);
    store.writeText(Key, QStringLiteral("Value"), text);
    const QVariant back = store.GetSettingValue(Key, QStringLiteral("Value"), QStringLiteral("?"));
    QCOMPARE(back.typeId(), int(QMetaType::QString));
    QCOMPARE(back.toString(), text);
}

void SettingsStoreTest::numbersAreWrittenAsText()
{
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    store.CreateSettingsKey(Key);
    store.SetSettingValue(Key, QStringLiteral("One"), 1, SettingsStore::Text);
    store.SetSettingValue(Key, QStringLiteral("MinusOne"), -1, SettingsStore::Text);
    QCOMPARE(store.GetSettingValue(Key, QStringLiteral("One"), QVariant()),
             QVariant(QStringLiteral("1")));
    QCOMPARE(store.GetSettingValue(Key, QStringLiteral("MinusOne"), QVariant()),
             QVariant(QStringLiteral("-1")));
}

void SettingsStoreTest::numberTypeReadsAsInteger()
{
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    store.CreateSettingsKey(Key);
    store.SetSettingValue(Key, QStringLiteral("Count"), 255, SettingsStore::Number);
    // A plain number in an INI file cannot be told from text; one stored as a
    // typed variant can.
    {
        QSettings raw(store.filePath(Key), QSettings::IniFormat);
        raw.setValue(QStringLiteral("Typed"), QVariant::fromValue<qlonglong>(-5));
    }
    const QVariant typed = store.GetSettingValue(Key, QStringLiteral("Typed"), QVariant());
    QCOMPARE(typed.typeId(), int(QMetaType::Int));
    QCOMPARE(typed.toInt(), -5);
    QCOMPARE(store.readText(Key, QStringLiteral("Count"), QString()), QStringLiteral("255"));
}

void SettingsStoreTest::otherTypesAreNotRead()
{
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    store.CreateSettingsKey(Key);
    store.SetSettingValue(Key, QStringLiteral("Bytes"), QByteArray("\x01\x02", 2), 3);
    QVERIFY(!store.GetSettingValue(Key, QStringLiteral("Bytes"), QVariant()).isValid());
    {
        QSettings raw(store.filePath(Key), QSettings::IniFormat);
        raw.setValue(QStringLiteral("Bytes"), QByteArray("\x01\x02", 2));
        raw.setValue(QStringLiteral("Huge"), QVariant::fromValue<qlonglong>(1LL << 40));
    }
    QCOMPARE(store.GetSettingValue(Key, QStringLiteral("Bytes"), QStringLiteral("d")),
             QVariant(QStringLiteral("d")));
    QCOMPARE(store.GetSettingValue(Key, QStringLiteral("Huge"), QStringLiteral("d")),
             QVariant(QStringLiteral("d")));
}

void SettingsStoreTest::handWrittenListReadsAsText()
{
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    store.CreateSettingsKey(Key);
    QFile file(store.filePath(Key));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[General]\n02A=12,5\n");
    file.close();
    QCOMPARE(store.readText(Key, QStringLiteral("02A"), QString()), QStringLiteral("12,5"));
}

void SettingsStoreTest::fileStaysPrivateThroughManyWrites()
{
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    store.CreateSettingsKey(Key);
    for (int i = 0; i < 200; ++i)
        store.writeText(Key, QStringLiteral("V%1").arg(i % 7), QString::number(i));
    const QFileDevice::Permissions permissions = QFile::permissions(store.filePath(Key));
    QCOMPARE(permissions
                 & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
                    | QFileDevice::WriteOther),
             QFileDevice::Permissions());
    QCOMPARE(store.readText(Key, QStringLiteral("V3"), QString()), QStringLiteral("199"));
}

void SettingsStoreTest::valueWrittenIsReadBackAtOnce()
{
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    store.CreateSettingsKey(Key);
    for (int i = 0; i < 50; ++i) {
        const QString text = QString::number(i);
        store.writeText(Key, QStringLiteral("11A"), text);
        QCOMPARE(store.readText(Key, QStringLiteral("11A"), QString()), text);
    }
}

void SettingsStoreTest::programSettingsDefaults()
{
    QCOMPARE(SettingsKeyPath(), Key);
    QCOMPARE(MainSettingDefinitions().size(), 20);
    QCOMPARE(MainSettingDefinitions().first().name, QStringLiteral("Stampa"));
    QCOMPARE(MainSettingDefinitions().last().name, QStringLiteral("Spessore"));
    QCOMPARE(DefaultSettingValue(QStringLiteral("Colore")), QStringLiteral("255"));
    QVERIFY(!DefaultSettingValue(QStringLiteral("Percorso")).isEmpty());
}

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_settingsstore.moc"
