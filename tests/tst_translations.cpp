// The English translation: every text lupdate finds in src/ is translated, with the same
// placeholders and no Chinese left; the programs speak English with --lang en or an English
// locale and Chinese (Qt's own texts too) otherwise.
#include "core/language.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

bool hasChinese(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return true;
    return false;
}

QStringList placeholders(const QString& text) {
    QStringList found;
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral("%\\d+")).globalMatch(text);
    while (it.hasNext())
        found << it.next().captured();
    found.sort();
    found.removeDuplicates();
    return found;
}

struct Run {
    int code = -1;
    QString out;
};

Run run(const QString& program, const QStringList& args, const QString& lang) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        env.remove(QString::fromLatin1(name));
    if (!lang.isEmpty())
        env.insert(QStringLiteral("LANG"), lang);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(HVPP_BIN_DIR "/") + program, args);
    if (!p.waitForFinished(20000))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAll())};
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void everySourceTextTranslated();
    void languageChoice_data();
    void languageChoice();
    void programsSpeakTheLanguage_data();
    void programsSpeakTheLanguage();
};

void TestTranslations::everySourceTextTranslated() {
#ifndef HVPP_LUPDATE
    QSKIP("lupdate (qt6-l10n-tools) is not installed");
#else
    QTemporaryDir dir;
    const QString ts = dir.filePath(QStringLiteral("hvpp_en.ts"));
    QVERIFY(QFile::copy(QStringLiteral(HVPP_SOURCE_DIR "/translations/hvpp_en.ts"), ts));
    QFile::setPermissions(ts, QFile::ReadOwner | QFile::WriteOwner);
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(HVPP_LUPDATE),
                  {QStringLiteral("-no-obsolete"), QStringLiteral("-locations"),
                   QStringLiteral("none"), QStringLiteral("-tr-function-alias"),
                   QStringLiteral("Q_DECLARE_TR_FUNCTIONS+=HVPP_TEXTS"),
                   QStringLiteral("-extensions"), QStringLiteral("cpp,h"),
                   QStringLiteral(HVPP_SOURCE_DIR "/src"), QStringLiteral("-ts"), ts});
    QVERIFY(lupdate.waitForFinished(60000));
    QCOMPARE(lupdate.exitCode(), 0);
    // A text lupdate cannot place in a context is a text that is never translated.
    const QString log = QString::fromUtf8(lupdate.readAll());
    for (const QString& line : log.split(u'\n'))
        QVERIFY2(!line.contains(QStringLiteral("without context")) &&
                     !line.contains(QStringLiteral("lacks Q_OBJECT")),
                 qPrintable(line));

    QFile file(ts);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    int messages = 0;
    QStringList problems;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText(QXmlStreamReader::SkipChildElements);
        } else if (xml.name() == u"source") {
            source = xml.readElementText(QXmlStreamReader::SkipChildElements);
        } else if (xml.name() == u"translation") {
            ++messages;
            const QString type = xml.attributes().value(QStringLiteral("type")).toString();
            const QString english = xml.readElementText(QXmlStreamReader::SkipChildElements);
            const QString where = context + QStringLiteral(": ") + source;
            if (type == u"unfinished" || english.isEmpty())
                problems << QStringLiteral("not translated: ") + where;
            else if (hasChinese(english))
                problems << QStringLiteral("Chinese left in: ") + where;
            else if (placeholders(english) != placeholders(source))
                problems << QStringLiteral("placeholders differ: ") + where;
            else if (english.count(u'\n') != source.count(u'\n'))
                problems << QStringLiteral("lines differ (a line left out): ") + where;
        }
    }
    QVERIFY(!xml.hasError());
    QVERIFY(messages > 300);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
#endif
}

void TestTranslations::languageChoice_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("language"); // "" for a refused option
    QTest::addColumn<QStringList>("left");
    const QString p = QStringLiteral("prog");
    const QString detect = QStringLiteral("detect");
    QTest::newRow("English locale") << QStringList{p, detect} << QStringLiteral("en_US.UTF-8")
                                    << QStringLiteral("en") << QStringList{p, detect};
    QTest::newRow("British English")
        << QStringList{p} << QStringLiteral("en-GB") << QStringLiteral("en") << QStringList{p};
    QTest::newRow("C locale") << QStringList{p} << QStringLiteral("C") << QStringLiteral("zh")
                              << QStringList{p};
    QTest::newRow("Chinese locale") << QStringList{p} << QStringLiteral("zh_CN.UTF-8")
                                    << QStringLiteral("zh") << QStringList{p};
    QTest::newRow("other locale") << QStringList{p} << QStringLiteral("de_DE.UTF-8")
                                  << QStringLiteral("zh") << QStringList{p};
    QTest::newRow("--lang en wins")
        << QStringList{p, QStringLiteral("--lang"), QStringLiteral("en"), detect}
        << QStringLiteral("zh_CN") << QStringLiteral("en") << QStringList{p, detect};
    QTest::newRow("--lang=zh wins")
        << QStringList{p, QStringLiteral("--lang=zh"), detect} << QStringLiteral("en_US")
        << QStringLiteral("zh") << QStringList{p, detect};
    QTest::newRow("--lang EN_us") << QStringList{p, QStringLiteral("--lang=EN_us")}
                                  << QStringLiteral("C") << QStringLiteral("en") << QStringList{p};
    QTest::newRow("unknown language")
        << QStringList{p, QStringLiteral("--lang"), QStringLiteral("fr")} << QStringLiteral("C")
        << QString() << QStringList{};
    QTest::newRow("missing value") << QStringList{p, QStringLiteral("--lang")}
                                   << QStringLiteral("C") << QString() << QStringList{};
    QTest::newRow("after --") << QStringList{p, QStringLiteral("--"), QStringLiteral("--lang=en")}
                              << QStringLiteral("zh_CN") << QStringLiteral("zh")
                              << QStringList{p, QStringLiteral("--"), QStringLiteral("--lang=en")};
}

void TestTranslations::languageChoice() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, locale);
    QFETCH(QString, language);
    QFETCH(QStringList, left);
    const bool hasOption = arguments.filter(QStringLiteral("--lang")).size() > 0 &&
                           !arguments.contains(QStringLiteral("--"));
    if (!hasOption) {
        QCOMPARE(Language::fromLocaleName(locale), language);
        return;
    }
    QString chosen;
    QString error;
    const bool ok = Language::take(&arguments, &chosen, &error);
    QCOMPARE(ok, !language.isEmpty());
    if (!ok) {
        QVERIFY(error.contains(QStringLiteral("zh | en")));
        return;
    }
    QCOMPARE(chosen, language);
    QCOMPARE(arguments, left);
}

void TestTranslations::programsSpeakTheLanguage_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("expect");
    const QStringList help{QStringLiteral("--help")};
    const QStringList detect{QStringLiteral("--port"), QStringLiteral("sim"),
                             QStringLiteral("--settings"), QStringLiteral("@INI@"),
                             QStringLiteral("detect")};
    QTest::newRow("hvpp-cli --help, C locale") << "hvpp-cli" << help << "C" << false << "退出码";
    QTest::newRow("hvpp-cli --help, LANG=en_US")
        << "hvpp-cli" << help << "en_US.UTF-8" << true << "Exit codes";
    QTest::newRow("hvpp-cli --lang en --help")
        << "hvpp-cli" << (QStringList{QStringLiteral("--lang"), QStringLiteral("en")} + help)
        << "zh_CN.UTF-8" << true << "Exit codes";
    QTest::newRow("hvpp-cli detect, English")
        << "hvpp-cli" << (QStringList{QStringLiteral("--lang=en")} + detect) << "" << true
        << "ATMEGA8";
    // A refused address keeps the case the loader wrote it in.
    QTest::newRow("hvpp-cli info, English refusal")
        << "hvpp-cli"
        << QStringList{QStringLiteral("--lang=en"), QStringLiteral("--settings"),
                       QStringLiteral("@INI@"), QStringLiteral("info"),
                       QStringLiteral(HVPP_TEST_DATA "/hex/damaged/beyond_7fff.hex")}
        << "" << true << "data address 8000-8001 out of range (up to 7FFF)";
    QTest::newRow("hvpp --help, C locale") << "hvpp" << help << "C" << false << "内置";
    QTest::newRow("hvpp --lang en --help")
        << "hvpp" << (QStringList{QStringLiteral("--lang"), QStringLiteral("en")} + help) << "C"
        << true << "built-in simulated programmer";
    QTest::newRow("hvpp-sim --lang en --help")
        << "hvpp-sim" << (QStringList{QStringLiteral("--lang"), QStringLiteral("en")} + help) << ""
        << true << "--chip";
    // The simulated programmer speaks English unless asked for Chinese, whatever the locale.
    QTest::newRow("hvpp-sim --help, C locale")
        << "hvpp-sim" << help << "C" << true << "--socket-cycle";
    QTest::newRow("hvpp-sim --lang zh --help")
        << "hvpp-sim" << (QStringList{QStringLiteral("--lang"), QStringLiteral("zh")} + help)
        << "en_US.UTF-8" << false << "座上的芯片";
    // The programmer's own words stay, each followed by its meaning; -v shows its frames
    // decoded as the log shows them.
    QTest::newRow("hvpp-cli -v erase, English")
        << "hvpp-cli"
        << (QStringList{QStringLiteral("--lang=en"), QStringLiteral("-v")} + detect.mid(0, 4) +
            QStringList{QStringLiteral("erase")})
        << "" << true << "< 芯片擦除完毕! (chip erased)";
    // Qt's own texts: the command-line parser's message is Chinese in a Chinese program.
    QTest::newRow("Qt's parser, Chinese")
        << "hvpp-cli" << QStringList{QStringLiteral("--bogus")} << "C" << false << "@QT@";
    QTest::newRow("Qt's parser, English") << "hvpp-cli" << QStringList{QStringLiteral("--bogus")}
                                          << "en_US.UTF-8" << true << "Unknown option";
}

void TestTranslations::programsSpeakTheLanguage() {
    QFETCH(QString, program);
    QFETCH(QStringList, args);
    QFETCH(QString, lang);
    QFETCH(bool, english);
    QFETCH(QString, expect);
    QTemporaryDir dir;
    args.replaceInStrings(QStringLiteral("@INI@"), dir.filePath(QStringLiteral("s.ini")));
    if (expect == u"@QT@") {
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                           QStringLiteral("/qtbase_zh_CN.qm")))
            QSKIP("Qt's own translations (qt6-translations-l10n) are not installed");
        expect = QStringLiteral("未知选项");
    }
    const Run r = run(program, args, lang);
    QVERIFY2(r.out.contains(expect), qPrintable(r.out));
    QString rest = r.out;
    if (english) // the programmer's words with their meaning after them are no Chinese of ours
        rest.remove(QRegularExpression(QStringLiteral("\\S+! \\([a-zA-Z ]+\\)")));
    QVERIFY2(hasChinese(rest) == !english, qPrintable(rest));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
