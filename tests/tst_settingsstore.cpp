#include "logic/settings/programsettings.h"
#include "logic/settings/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
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
    void changedValueReplacesItsOwnLine();
    void filesOfTheIniFormatReadBack_data();
    void filesOfTheIniFormatReadBack();
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

namespace {

const QByteArray Marker = "; Vellumark settings, verbatim: a value is everything after the first "
                          "\"=\" up to the end of its line";

// A settings file as a person writes it into a file the program made.
QByteArray handWritten(const QByteArray &lines)
{
    return Marker + '\n' + lines;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

void SettingsStoreTest::textRoundTrips_data()
{
    // A value, the line the store writes for it, and a file a person wrote
    // holding it (empty where a person would write the store's own line).
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("file");
    const QString value = QStringLiteral("Value");
    QTest::newRow("empty") << value << QString() << QByteArray("Value=") << QByteArray();
    QTest::newRow("backslash") << value << QStringLiteral("Front\\CD")
                               << QByteArray("Value=Front\\CD") << QByteArray();
    QTest::newRow("windows path") << value << QStringLiteral("C:\\Immagini\\")
                                  << QByteArray("Value=C:\\Immagini\\") << QByteArray();
    QTest::newRow("quotes") << value << QStringLiteral("say \"cheese\" 'now'")
                            << QByteArray("Value=say \"cheese\" 'now'") << QByteArray();
    QTest::newRow("equals and semicolon")
        << value << QStringLiteral("a=b;c#d") << QByteArray("Value=a=b;c#d") << QByteArray();
    QTest::newRow("comma") << value << QStringLiteral("12,5") << QByteArray("Value=12,5")
                           << QByteArray();
    QTest::newRow("leading and trailing blanks")
        << value << QStringLiteral("  spaced  ") << QByteArray("Value\\=\\s\\sspaced\\s\\s")
        << handWritten("Value=  spaced  \n");
    QTest::newRow("at sign") << value << QStringLiteral("@ByteArray(x)")
                             << QByteArray("Value=@ByteArray(x)") << QByteArray();
    QTest::newRow("non-ASCII") << value << QString::fromUtf8("Zurück w.f. – è ☃")
                               << QByteArray("Value=Zurück w.f. – è ☃") << QByteArray();
    QTest::newRow("line breaks") << value << QStringLiteral("one\ntwo\r\nthree")
                                 << QByteArray("Value\\=one\\ntwo\\r\\nthree")
                                 << handWritten("Value\\=one\\ntwo\\r\\nthree\n");
    QTest::newRow("control characters and tabs")
        << value << QStringLiteral("\ta\tb\x01\x7f\t")
        << QByteArray("Value\\=\\ta\\tb\\u0001\\u007f\\t") << QByteArray();
    QTest::newRow("tab inside") << value << QStringLiteral("a\tb") << QByteArray("Value\\=a\\tb")
                                << handWritten("Value\\=a\\tb\n");
    QTest::newRow("brackets") << value << QStringLiteral("[General]")
                              << QByteArray("Value=[General]") << QByteArray();
    QTest::newRow("long") << value << QString(10000, u'x')
                          << QByteArray("Value=") + QByteArray(10000, 'x') << QByteArray();

    // Lines a person writes by hand.
    QTest::newRow("password with ; and #")
        << QStringLiteral("Password") << QStringLiteral("p;w#1") << QByteArray("Password=p;w#1")
        << handWritten("Password=p;w#1\n");
    QTest::newRow("password with a backslash")
        << QStringLiteral("Password") << QStringLiteral("a\\b") << QByteArray("Password=a\\b")
        << handWritten("OnPassword=1\nPassword=a\\b\n");
    QTest::newRow("two blanks before")
        << QStringLiteral("Password") << QStringLiteral("  two blanks before")
        << QByteArray("Password\\=\\s\\stwo blanks before")
        << handWritten("Password=  two blanks before\n");
    QTest::newRow("trailing blanks")
        << QStringLiteral("Password") << QStringLiteral("secret  ")
        << QByteArray("Password\\=secret\\s\\s") << handWritten("Password=secret  \n");
    QTest::newRow("network share")
        << QStringLiteral("02A") << QStringLiteral("\\\\server\\share")
        << QByteArray("02A=\\\\server\\share") << handWritten("02A=\\\\server\\share\n");
    QTest::newRow("comma and blank")
        << QStringLiteral("Immagine") << QStringLiteral("a, b") << QByteArray("Immagine=a, b")
        << handWritten("Immagine=a, b\n");
    QTest::newRow("quoted by hand")
        << QStringLiteral("Percorso") << QStringLiteral("\"C:\\x\"")
        << QByteArray("Percorso=\"C:\\x\"") << handWritten("Percorso=\"C:\\x\"\n");
    QTest::newRow("language") << QStringLiteral("Lingua") << QStringLiteral("Tedesco")
                              << QByteArray("Lingua=Tedesco") << handWritten("Lingua=Tedesco\n");
    QTest::newRow("CRLF line ends")
        << QStringLiteral("Password") << QStringLiteral("p;w#1") << QByteArray("Password=p;w#1")
        << Marker + "\r\nLingua=Tedesco\r\nPassword=p;w#1\r\nAbout=0\r\n";
    QTest::newRow("byte order mark")
        << QStringLiteral("Lingua") << QStringLiteral("Tedesco") << QByteArray("Lingua=Tedesco")
        << "\xEF\xBB\xBF" + handWritten("Lingua=Tedesco\n");
    QTest::newRow("comment lines")
        << QStringLiteral("Lingua") << QStringLiteral("Tedesco") << QByteArray("Lingua=Tedesco")
        << handWritten("; Lingua=Inglese was too small\n\n  # Lingua=Italiano\n[General]\n"
                       "Lingua=Tedesco\n");
    QTest::newRow("unknown key") << QStringLiteral("Mine") << QStringLiteral("my own; #1, \\x")
                                 << QByteArray("Mine=my own; #1, \\x")
                                 << handWritten("Mine=my own; #1, \\x\nLingua=Tedesco\n");
    QTest::newRow("last line of a name counts")
        << QStringLiteral("Lingua") << QStringLiteral("Tedesco") << QByteArray("Lingua=Tedesco")
        << handWritten("Lingua=Inglese\nLingua=Tedesco\n");
    QTest::newRow("blanks around the name")
        << QStringLiteral("Lingua") << QStringLiteral("Tedesco") << QByteArray("Lingua=Tedesco")
        << handWritten("  Lingua\t=Tedesco\n");
    QTest::newRow("no line end at the end")
        << QStringLiteral("Lingua") << QStringLiteral("Tedesco") << QByteArray("Lingua=Tedesco")
        << handWritten("Lingua=Tedesco");
}

void SettingsStoreTest::textRoundTrips()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    store.CreateSettingsKey(Key);
    const QString path = store.filePath(Key);

    store.writeText(Key, name, text);
    QVERIFY2(fileBytes(path).split('\n').contains(line), fileBytes(path).constData());
    const QVariant back = store.GetSettingValue(Key, name, QStringLiteral("?"));
    QCOMPARE(back.typeId(), int(QMetaType::QString));
    QCOMPARE(back.toString(), text);

    if (file.isEmpty())
        file = handWritten(line + '\n');
    writeFile(path, file);
    QCOMPARE(store.readText(Key, name, QStringLiteral("?")), text);
    // Writing the value it holds leaves the file alone; writing another
    // value leaves every byte there and adds a line.
    store.writeText(Key, name, text);
    QCOMPARE(fileBytes(path), file);
    store.writeText(Key, QStringLiteral("Skin"), QStringLiteral("6"));
    const QByteArray after = fileBytes(path);
    QVERIFY2(after.startsWith(file), after.constData());
    QVERIFY(after.endsWith("Skin=6\n") || after.endsWith("Skin=6\r\n"));
    QCOMPARE(store.readText(Key, name, QStringLiteral("?")), text);
    QCOMPARE(store.readText(Key, QStringLiteral("Skin"), QStringLiteral("?")), QStringLiteral("6"));
}

void SettingsStoreTest::changedValueReplacesItsOwnLine()
{
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    store.CreateSettingsKey(Key);
    const QString path = store.filePath(Key);
    writeFile(path,
              Marker + "\r\n; mine\r\nLingua=Inglese\r\nPassword=p;w#1\r\nLingua=Italiano\r\n");
    store.writeText(Key, QStringLiteral("Lingua"), QStringLiteral("Tedesco"));
    store.writeText(Key, QStringLiteral("Immagine"), QStringLiteral(" /x "));
    QCOMPARE(fileBytes(path),
             Marker
                 + "\r\n; mine\r\nLingua=Inglese\r\nPassword=p;w#1\r\nLingua=Tedesco\r\n"
                   "Immagine\\=\\s/x\\s\r\n");
}

void SettingsStoreTest::filesOfTheIniFormatReadBack_data()
{
    // Files the store wrote in QSettings' INI format, each beside the values
    // it was given (as JSON).
    QTest::addColumn<QString>("file");
    const QDir corpus(QFINDTESTDATA("data/inisettings"));
    const QStringList files = corpus.entryList({ QStringLiteral("*.ini") }, QDir::Files);
    QVERIFY(files.size() >= 3);
    for (const QString &name : files)
        QTest::newRow(qPrintable(name)) << corpus.filePath(name);
}

void SettingsStoreTest::filesOfTheIniFormatReadBack()
{
    QFETCH(QString, file);
    QFile json(file.chopped(4) + QStringLiteral(".json"));
    QVERIFY(json.open(QIODevice::ReadOnly));
    const QJsonObject expected = QJsonDocument::fromJson(json.readAll()).object();
    QVERIFY(!expected.isEmpty());

    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    store.CreateSettingsKey(Key);
    const QString path = store.filePath(Key);
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::copy(file, path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    for (auto value = expected.begin(); value != expected.end(); ++value)
        QCOMPARE(store.readText(Key, value.key(), QStringLiteral("?")), value->toString());

    // The next write is in the verbatim format, with every value unchanged.
    store.writeText(Key, QStringLiteral("Written"), QStringLiteral("now"));
    QVERIFY(fileBytes(path).startsWith(Marker + '\n'));
    for (auto value = expected.begin(); value != expected.end(); ++value)
        QCOMPARE(store.readText(Key, value.key(), QStringLiteral("?")), value->toString());
    QCOMPARE(store.readText(Key, QStringLiteral("Written"), QString()), QStringLiteral("now"));
    // Control characters (a TAB too) are written escaped: only line ends
    // stand raw in the converted file.
    for (const QByteArray &line : fileBytes(path).split('\n')) {
        for (const char c : line)
            QVERIFY2(uchar(c) >= 0x20 && c != 0x7f, line.constData());
    }
    if (expected.contains(QStringLiteral("Tab")))
        QVERIFY(fileBytes(path).split('\n').contains("Tab\\=a\\tb"));
    QCOMPARE(QFile::permissions(path) & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
             QFileDevice::Permissions());
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
    QCOMPARE(store.GetSettingValue(Key, QStringLiteral("Count"), QVariant()),
             QVariant(QStringLiteral("255")));
    // A number is stored as its text. Only an INI file of an older version
    // can hold a typed one: a 64-bit -5 as QSettings streams it.
    writeFile(store.filePath(Key),
              "[General]\nCount=255\n"
              "Typed=@Variant(\\0\\0\\0\\x4\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfb)\n");
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
    // Bytes, and a typed number too large for 32 bits (1 << 40), in an INI
    // file of an older version.
    writeFile(store.filePath(Key),
              "[General]\nBytes=@ByteArray(\\x1\\x2)\n"
              "Huge=@Variant(\\0\\0\\0\\x4\\0\\0\\x1\\0\\0\\0\\0\\0)\n");
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
    QCOMPARE(DefaultSettingValue(QStringLiteral("Colore")), QStringLiteral("255"));
    QVERIFY(!DefaultSettingValue(QStringLiteral("Percorso")).isEmpty());
}

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_settingsstore.moc"
