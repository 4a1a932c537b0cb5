// Tessel scripts: arguments bound from the right, nesting, stopping at the first failure,
// and the two display scripts that ship with the program.
#include "TestFiles.h"
#include "tessel/Host.h"
#include "tessel/Script.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tessel;

class TesselScriptsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldBindArgumentsFromTheRight_data()
    {
        QTest::addColumn<QStringList>("parameters");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("one each") << QStringList{"a", "b", "c"} << " x y z"
                                  << QStringList{"x", "y", "z"};
        QTest::newRow("first takes the rest")
            << QStringList{"base", "name", "count"} << " /my  maps/base dir relief 999"
            << QStringList{"/my maps/base dir", "relief", "999"};
        QTest::newRow("single") << QStringList{"path"} << " a b" << QStringList{"a b"};
        QTest::newRow("none") << QStringList{} << "  " << QStringList{};
        QTest::newRow("quoted word")
            << QStringList{"base", "name", "count"} << " /my maps \"my relief\" 9"
            << QStringList{"/my maps", "my relief", "9"};
        QTest::newRow("stray quotes are characters")
            << QStringList{"a", "b"} << " x\"y \"open" << QStringList{"x\"y", "\"open"};
    }

    void shouldBindArgumentsFromTheRight()
    {
        QFETCH(QStringList, parameters);
        QFETCH(QString, arguments);
        QFETCH(QStringList, values);
        const Binding binding = bindArguments(parameters, arguments);
        QVERIFY2(binding.values, qPrintable(binding.error));
        QCOMPARE(*binding.values, values);
    }

    void shouldRefuseTooFewOrUnexpectedArguments()
    {
        QCOMPARE(bindArguments({"path", "count"}, " 0").error,
                 QStringLiteral("expects 2 argument(s) (path count) but got 1"));
        QVERIFY(!bindArguments({}, " stray").values);
        QCOMPARE(substitute("a %x% %y% %%z %x%", {"x", "y"}, {"1", "%x%"}),
                 QStringLiteral("a 1 %x% %%z 1"));
    }

    void shouldStopAtTheFirstFailingLine()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("s.zeb"),
                          "&args n\n! comment\n&s a = %n%\nshadesymbol 5\n&s b = 2\n"));
        Host host(dir.path());
        Messages messages;
        QCOMPARE(host.RunCommand("&r " + dir.filePath("s.zeb") + " 7", messages),
                 qint32(StatusBadArguments));
        QCOMPARE(messages.items(), QStringList{dir.filePath("s.zeb") +
                                               " line 4: shadesymbol: symbol 5 is not defined in "
                                               "the current shadeset"});
        QCOMPARE(host.GetVariable("a"), QStringLiteral("7"));
        QCOMPARE(host.GetVariable("b"), QString());
    }

    void shouldRefuseSelfCallsDeepNestingAndMissingScripts()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("self.zeb"), "&r self.zeb\n"));
        for (int i = 0; i < 9; ++i) {
            QVERIFY(writeFile(dir.filePath(QStringLiteral("n%1.zeb").arg(i)),
                              QStringLiteral("&r n%1.zeb\n").arg(i + 1).toUtf8()));
        }
        QVERIFY(writeFile(dir.filePath("n9.zeb"), "&s deep = yes\n"));
        Host host(dir.path());
        Messages messages;
        QCOMPARE(host.RunCommand("&wo " + dir.path(), messages), qint32(StatusOk));

        QCOMPARE(host.RunCommand("&r self.zeb", messages), qint32(StatusScriptError));
        QCOMPARE(messages.last(), dir.filePath("self.zeb") +
                                      " line 1: &r: " + dir.filePath("self.zeb") + " calls itself");
        QCOMPARE(host.RunCommand("&r n2.zeb", messages), qint32(StatusOk)); // 8 scripts deep
        QCOMPARE(host.GetVariable("deep"), QStringLiteral("yes"));
        QCOMPARE(host.RunCommand("&r n1.zeb", messages), qint32(StatusScriptError)); // 9 deep
        QVERIFY2(messages.last().endsWith("n9.zeb: scripts nested more than 8 deep"),
                 qPrintable(messages.last()));
        QCOMPARE(host.RunCommand("&r gone.zeb 1", messages), qint32(StatusFileError));
        QCOMPARE(messages.last(),
                 "&r: cannot open " + dir.filePath("gone.zeb") + ": No such file or directory");
        QCOMPARE(host.RunCommand("&r n9.zeb extra", messages), qint32(StatusBadArguments));
    }

    void shouldDisplayAShadesetFromABaseFolderWithBlanks()
    {
        QTemporaryDir dir;
        const QString base = dir.filePath("my maps/base dir");
        QVERIFY(copyInstallTree(base));
        Host host(base + "/tools");
        Messages messages;
        QCOMPARE(
            host.RunCommand("&r " + base + "/tools/dispshd.zeb " + base + " elev999 999", messages),
            qint32(StatusOk));
        QCOMPARE(host.shadeTable().total(), 999);
        const auto &items = host.drawing().items;
        QCOMPARE(items.size(), std::size_t(2));
        QCOMPARE(std::get<Legend>(items[0]).bands.size(), std::size_t(999));
        QCOMPARE(std::get<Label>(items[1]).text, QStringLiteral("elev999"));
    }

    void shouldDisplayAPickedFileAndKeepTheDrawingWhenTheLoadFails()
    {
        QTemporaryDir dir;
        const QString base = dir.filePath("my maps/base");
        QVERIFY(copyInstallTree(base));
        Host host(base + "/tools");
        Messages messages;
        const QString script = "&r " + base + "/tools/disp_old_shd.zeb ";
        QCOMPARE(host.RunCommand(script + base + "/shades/elev999.shd 57", messages),
                 qint32(StatusOk));
        QCOMPARE(std::get<Legend>(host.drawing().items[0]).bands.size(), std::size_t(57));
        QCOMPARE(std::get<Label>(host.drawing().items[1]).text, QStringLiteral("elev999"));

        QCOMPARE(host.RunCommand(script + base + "/shades/none.shd 57", messages),
                 qint32(StatusFileError));
        QCOMPARE(host.drawing().items.size(), std::size_t(2));
        QCOMPARE(host.RunCommand(script + " 0", messages), qint32(StatusBadArguments));
        QCOMPARE(host.drawing().items.size(), std::size_t(2));
    }
};

QTEST_GUILESS_MAIN(TesselScriptsTest)
#include "tst_tessel_scripts.moc"
