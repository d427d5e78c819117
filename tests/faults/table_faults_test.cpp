// Each system call that a player's session makes on the table, failed once
// in turn as a failing disk fails it, or the game killed there: the stored
// table is never lost, keeps its mode and its link, holds every result after
// the next win, and a failure that cost a save is said, once.
#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>

#include "platform/qt_platform.h"
#include "ui/fixture.h"

using namespace fifteen;

namespace {

const QByteArray kGood = QByteArray(testing::kDefaultFile).replace("TOMVAR", "GOOD");
const QByteArray kDamaged = "\x01\x02 no field ends here";

enum class Table { Good, Damaged, Missing, Linked };

// The calls failed in turn, each as "CALL:ERRNO" ("kill" ends the game there);
// a "/" before CALL fails it on the game folder instead of the table.
const std::pair<Table, const char*> kRows[] = {
    {Table::Good, "access:5 access:13 statx:5 statx:13 stat:5 stat:13 lstat:5 open:5 open64:5 openat:5 read:5 "
                  "fstat:5 write:28 fchmod:5 fsync:5 fsync:4 linkat:5 rename:5 unlink:5 /access:5 /fsync:5 "
                  "rename:kill linkat:kill write:kill fsync:kill"},
    {Table::Linked, "readlink:5 lstat:5 stat:5 statx:5 rename:5 fchmod:5"},
    {Table::Damaged, "access:13 stat:5 statx:5 linkat:5 open:5 rename:5 fsync:5 /fsync:5 unlink:5 linkat:kill "
                     "rename:kill"},
    {Table::Missing, "stat:5 linkat:5 write:28 open:5 linkat:kill"},
};

// The session: the start and three wins, the pointer moved while a name
// waits. Prints each line the game says.
struct Session : testing::FakePlatform {
    [[nodiscard]] QString table_dir() const override
    {
        return fifteen::table_folder(dir, [this](const QString& line) { std::printf("said: %s\n", qPrintable(line)); });
    }
    void report(const QString& line) override { std::printf("said: %s\n", qPrintable(line)); }
};

void win(Form1& form, std::int16_t moves_before, const char* name)
{
    form.set_cells_for_testing(testing::kNearlySolved);
    form.set_move_count_for_testing(moves_before);
    QTest::mouseClick(form.findChild<QWidget*>("Image16"), Qt::LeftButton, {}, QPoint(40, 40));
    form.findChild<QLineEdit*>("enter_name")->clear();
    QTest::keyClicks(form.findChild<QLineEdit*>("enter_name"), name);
    QTest::mouseClick(form.findChild<QWidget*>("ok"), Qt::LeftButton, {}, QPoint(10, 10));
    for (int x = 0; x < 4 && form.name_confirmed() != 0; ++x)
        QTest::mouseMove(&form, QPoint(350 + x, 20));
}

int play_session(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::umask(022);
    Session session;
    session.dir = QString::fromLocal8Bit(argv[2]);
    Form1 form(session);
    form.Form_Load();
    win(form, 98, "anna");
    // Read past the preloaded library, so that this look fails nothing.
    char start[8] = {};
    const long fd = ::syscall(SYS_openat, AT_FDCWD, qPrintable(session.dir + "/HIGHSCORE.RES"), O_RDONLY);
    std::printf("first stored: %d\n", fd >= 0 && ::syscall(SYS_read, fd, start, 8) == 8 && !memcmp(start, "ANNA.99.", 8));
    win(form, 9, "bob");
    win(form, 199, "cleo");  // whichever save failed, a later one stores its result
    std::printf("waiting: %d\n", int(form.name_confirmed()));
    return 0;
}

// A game folder in `parent`: its data files, and the table of the row.
QString make_folder(const QString& parent, Table table)
{
    const QString folder = parent + "/game";
    QDir().mkpath(folder);
    const QDir source(QStringLiteral(FIFTEEN_GAME_DIR));
    for (const QString& name : source.entryList(QDir::Files))
        if (name != "fifteen" && name != "HIGHSCORE.RES")
            QFile::link(source.filePath(name), folder + '/' + name);
    const QString stored = table == Table::Linked ? parent + "/scores" : folder + "/HIGHSCORE.RES";
    if (table != Table::Missing) {
        testing::GameFolder::put(stored, table == Table::Damaged ? kDamaged : kGood);
        ::chmod(qPrintable(stored), 0640);
    }
    if (table == Table::Linked)
        QFile::link(stored, folder + "/HIGHSCORE.RES");
    return folder;
}

struct Run {
    bool fired = false;
    bool killed = false;
    QByteArray out;
};

Run play(const QString& parent, const QString& folder, const QString& fault)
{
    QProcess session;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", parent);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LD_PRELOAD", FIFTEEN_FAIL_CALL);
    env.insert("FIFTEEN_FAIL", fault);
    session.setProcessEnvironment(env);
    session.start(QCoreApplication::applicationFilePath(), {"--play", folder});
    session.waitForFinished(30000);
    return Run{session.readAllStandardError().contains("fail_call: fired"),
               session.exitStatus() == QProcess::CrashExit, session.readAllStandardOutput()};
}

}  // namespace

class TableFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void noFailingCallCostsATable()
    {
        int points = 0;
        for (const auto& [table, calls] : kRows)
            for (const QString& call : QString(calls).split(' '))
                for (int n = 1; n <= 24; ++n) {
                    QTemporaryDir parent;
                    const QString folder = make_folder(parent.path(), table);
                    const QStringList parts = QString(call).remove('/').split(':');
                    const QString fault = QString("%1:%2:%3:%4").arg(parts[0]).arg(n).arg(
                        parts[1], call.startsWith('/') ? folder : "HIGHSCORE.RES");
                    Run run = play(parent.path(), folder, fault);
                    if (!run.fired)
                        break;
                    ++points;
                    const QString stored = table == Table::Linked ? parent.filePath("scores") : folder + "/HIGHSCORE.RES";
                    if (run.killed) {
                        // What the kill left is the old file or a clean table.
                        const QByteArray left = testing::GameFolder::get(stored);
                        QVERIFY2(left == kDamaged || (table == Table::Missing && left.isEmpty())
                                     || read_stored_table(left.toStdString(), std::size_t(left.size())).clean,
                                 qPrintable(fault + " left " + left));
                        run = play(parent.path(), folder, {});  // the player starts again
                        run.killed = true;
                    }
                    const QByteArray bytes = testing::GameFolder::get(stored);
                    const QByteArray at = fault.toUtf8() + "\n" + run.out + bytes;
                    const bool good = table == Table::Good || table == Table::Linked;
                    QVERIFY2(run.out.contains("waiting: 0\n") && bytes.contains(good ? ".GOOD.100." : ".TOMVAR.100.")
                                 && bytes.startsWith(run.killed ? "BOB.10." : "BOB.10.ANNA.99.") && bytes.contains("ANNA.99."),
                             at);
                    struct stat info {};
                    QVERIFY2(::stat(qPrintable(stored), &info) == 0
                                 && (info.st_mode & 07777) == (table == Table::Missing ? 0644 : 0640)
                                 && (table != Table::Linked || QFileInfo(folder + "/HIGHSCORE.RES").isSymLink()),
                             at);
                    const QStringList others = QDir(folder).entryList({"HIGHSCORE.RES.*"}, QDir::Files);
                    for (const QString& name : others.filter("HIGHSCORE.RES.damaged"))
                        QVERIFY2(testing::GameFolder::get(folder + '/' + name) == kDamaged, at);
                    // No temporary file is left (a lock file is: the next game takes it over).
                    QVERIFY2(others.filter(QRegularExpression("^HIGHSCORE\\.RES\\.[A-Za-z0-9]{6}$")).isEmpty(), at);
                    QStringList said = QString::fromUtf8(run.out).split('\n').filter(QRegularExpression("^said: "));
                    QVERIFY2(said.removeDuplicates() == 0, at);
                    QVERIFY2(run.killed || !run.out.contains("first stored: 0") || !said.isEmpty(), at);
                }
        qInfo("figures: %d calls failed in turn, each keeping the table", points);
        QVERIFY(points > 150);  // the library reached the game
    }
};

int main(int argc, char** argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--play")
        return play_session(argc, argv);
    QCoreApplication app(argc, argv);
    TableFaultsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "table_faults_test.moc"
