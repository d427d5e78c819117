// Finding data files without regard to case, whole-file reads and writes, and the pause.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/trap.h"
#include "platform/data_path.h"
#include "platform/files.h"
#include "platform/qt_platform.h"

#include <QElapsedTimer>
#include <QTimer>
#include <ctime>

using namespace fifteen;

namespace {
void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
}  // namespace

class PlatformTest : public QObject {
    Q_OBJECT
private slots:
    void exactNameFirstThenAnyCase()
    {
        QTemporaryDir dir;
        put(dir.filePath("ok1.jpg"), "a");
        QCOMPARE(data_path(dir.path(), "OK1.JPG"), dir.filePath("ok1.jpg"));
        put(dir.filePath("OK1.JPG"), "b");
        QCOMPARE(data_path(dir.path(), "OK1.JPG"), dir.filePath("OK1.JPG"));
        QCOMPARE(data_path(dir.path(), "MISSING.JPG"), dir.filePath("MISSING.JPG"));
        QCOMPARE(data_path(dir.path() + "/nowhere", "X"), dir.path() + "/nowhere/X");
    }

    void sizesOfFilesOnly()
    {
        QTemporaryDir dir;
        put(dir.filePath("f"), QByteArray(121, 'x'));
        QCOMPARE(file_size(dir.filePath("f")), std::optional<std::uintmax_t>(121));
        put(dir.filePath("empty"), {});
        QCOMPARE(file_size(dir.filePath("empty")), std::optional<std::uintmax_t>(0));
        QVERIFY(!file_size(dir.filePath("none")));
        QVERIFY(!file_size(dir.path()));
    }

    void wholeFilesRoundTripEveryByte()
    {
        QTemporaryDir dir;
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString path = dir.filePath("HIGHSCORE.RES");
        save_whole_file(path, all);
        QCOMPARE(read_whole_file(path), all);
        save_whole_file(path, "short");
        QCOMPARE(read_whole_file(path), QByteArray("short"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // no temporary left behind
    }

    void failuresThrowAndLeaveTheOldFile()
    {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(Failure, (void)read_whole_file(dir.filePath("none")));
        // A folder in the file's place cannot be replaced.
        QVERIFY(QDir(dir.path()).mkdir("HIGHSCORE.RES"));
        QVERIFY_THROWS_EXCEPTION(Failure, save_whole_file(dir.filePath("HIGHSCORE.RES"), "x"));
        QVERIFY(QFileInfo(dir.filePath("HIGHSCORE.RES")).isDir());
        QVERIFY_THROWS_EXCEPTION(Failure, save_whole_file(dir.filePath("no/such/folder"), "x"));
    }

    void pauseServesEventsAndSleeps()
    {
        bool served = false;
        QTimer::singleShot(50, [&] { served = true; });
        QElapsedTimer wall;
        wall.start();
        const std::clock_t cpu = std::clock();
        serve_events_for(400);
        const double cpu_ms = 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC;
        QVERIFY(served);
        QVERIFY(wall.elapsed() >= 400);
        QVERIFY2(cpu_ms < 100, qPrintable(QString::number(cpu_ms)));  // waits, does not spin
    }
};

QTEST_GUILESS_MAIN(PlatformTest)
#include "platform_test.moc"
