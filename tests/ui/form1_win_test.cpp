// Winning: the completion test, the ranking, the name entry and the freeze.
#include <QElapsedTimer>
#include <QProcess>
#include <QSysInfo>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fixture.h"

using namespace fifteen;
using namespace fifteen::testing;

namespace {

void type_name(Game& game, const QString& text)
{
    auto* box = game.control<QLineEdit>("enter_name");
    box->clear();
    QTest::keyClicks(box, text);
}

const char* const kNames[] = {"prvo_mesto", "drugo_mesto", "trece_mesto", "cetvrto_mesto", "peto_mesto",
                              "sesto_mesto", "sedmo_mesto", "osmo_mesto", "deveto_mesto", "deseto_mesto"};

// Nine places named `stem` + A..I with the scores from `first_score` up.
QByteArray nine_places(const QByteArray& stem, int first_score)
{
    QByteArray text;
    for (int p = 0; p < 9; ++p)
        text += stem + char('A' + p) + '.' + QByteArray::number(first_score + p) + '.';
    return text;
}

QStringList table(Game& game)
{
    QStringList out;
    for (int p = 1; p <= 10; ++p)
        out << game.caption(kNames[p - 1]) + '=' + game.caption(QStringLiteral("score_%1").arg(p));
    return out;
}

void expect_frozen(Game& game, bool frozen)
{
    for (int n = 1; n <= 16; ++n)
        QCOMPARE(game.tile(n)->isEnabled(), !frozen);
    QCOMPARE(game.picture("startover")->isEnabled(), !frozen);
    QCOMPARE(game.picture("Image54")->isEnabled(), !frozen);
    QCOMPARE(game.form->frozen(), frozen);
    // The board is frozen exactly while the name entry asks for a name: its
    // panel, box and OK all show then, and none otherwise.
    QCOMPARE(game.form->entry_open(), frozen);
    for (const char* part : {"upis", "enter_name", "ok"})
        QCOMPARE(game.control(part)->isHidden(), !frozen);
}

void confirm(Game& game, const QString& name)
{
    type_name(game, name);
    game.click(game.picture("ok"));
}

// A real file system that runs out of space: a small tmpfs mounted for the
// test when it runs as root, else a file-size limit (with SIGXFSZ ignored,
// as the game does) on the writes of the test's own process.
class FullDisk {
public:
    FullDisk()
    {
        if (::geteuid() == 0 && QDir().mkpath(root_.path() + "/mnt")
            && QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=2m", "fifteen-test", root_.path() + "/mnt"}) == 0)
            mounted_ = root_.path() + "/mnt";
    }
    ~FullDisk()
    {
        lift_limit();
        if (!mounted_.isEmpty()) {
            // The game made its folder the current one; leave it, or the
            // file system stays busy.
            QDir::setCurrent(QDir::rootPath());
            if (QProcess::execute("umount", {mounted_}) != 0)
                qWarning("could not unmount %s", qPrintable(mounted_));
        }
    }
    // Where the game folder goes.
    [[nodiscard]] QString parent() const { return mounted_.isEmpty() ? root_.path() : mounted_; }
    [[nodiscard]] bool real_disk() const { return !mounted_.isEmpty(); }
    // From now on no file can grow.
    void fill()
    {
        if (real_disk()) {
            QFile filler(mounted_ + "/filler");
            QVERIFY(filler.open(QIODevice::WriteOnly));
            const QByteArray block(4096, 'f');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
            const QByteArray byte(1, 'f');
            while (filler.write(byte) == 1 && filler.flush()) {
            }
            return;
        }
        std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved_) == 0);
        rlimit small = saved_;
        small.rlim_cur = 10;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        limited_ = true;
    }
    void lift_limit()
    {
        if (limited_)
            (void)::setrlimit(RLIMIT_FSIZE, &saved_);
        limited_ = false;
    }
    [[nodiscard]] QByteArray reason() const { return real_disk() ? "No space left on device" : "File too large"; }

private:
    QTemporaryDir root_;
    QString mounted_;
    rlimit saved_{};
    bool limited_ = false;
};

QStringList leftovers(const Game& game)
{
    return QDir(game.folder.path()).entryList({"HIGHSCORE.RES.*"}, QDir::Files);
}

}  // namespace

class WinTest : public QObject {
    Q_OBJECT
private slots:
    void roadOfAWinForPlaceOne()
    {
        Game game;
        win(game, 98);
        QCOMPARE(game.form->move_count(), 99);
        auto* welldone = game.picture("welldone");
        auto* panel = game.picture("upis");
        auto* box = game.control<QLineEdit>("enter_name");
        auto* ok = game.picture("ok");
        QVERIFY(!welldone->isHidden());
        QVERIFY(shows(welldone, game.folder.file("WELLDONE2.JPG")));
        QVERIFY(game.picture("kelvane")->isHidden());
        QCOMPARE(panel->pos(), QPoint(361, 382));
        QCOMPARE(box->pos(), QPoint(372, 404));
        QCOMPARE(ok->pos(), QPoint(453, 404));
        QVERIFY(!panel->isHidden() && !box->isHidden() && !ok->isHidden());
        expect_frozen(game, true);
        QCOMPARE(game.form->name_confirmed(), 0);
        QCOMPARE(game.platform.sounds.last(), QStringLiteral("001.WAV"));

        // Nothing is recorded before a name is confirmed.
        const QStringList before = table(game);
        game.move_over_background();
        QCOMPARE(table(game), before);

        type_name(game, "anna");
        game.click(ok);
        QCOMPARE(box->text(), QStringLiteral("ANNA"));
        QCOMPARE(game.form->name_confirmed(), 1);
        QCOMPARE(table(game), before);
        QCOMPARE(game.folder.read("HIGHSCORE.RES"), kDefaultFile);

        // Moves over the frozen tiles, a label or the well-done picture reach
        // neither their own handlers nor the window's.
        game.move_over(game.tile(6));
        game.move_over(game.tile(16));
        game.move_over(game.control("score_3"));
        game.move_over(welldone);
        game.move_over(panel);
        QCOMPARE(table(game), before);
        QCOMPARE(game.form->name_confirmed(), 1);

        game.platform.sounds.clear();
        game.move_over_background();
        QCOMPARE(game.caption("prvo_mesto"), QStringLiteral("ANNA"));
        QCOMPARE(game.caption("score_1"), QStringLiteral("99"));
        QCOMPARE(game.caption("drugo_mesto"), QStringLiteral("TOMVAR"));
        QCOMPARE(game.caption("score_2"), QStringLiteral("100"));
        QCOMPARE(game.caption("deseto_mesto"), QStringLiteral("PALKA"));
        QCOMPARE(game.caption("score_10"), QStringLiteral("500"));
        QCOMPARE(game.folder.read("HIGHSCORE.RES"),
                 QByteArray("ANNA.99.TOMVAR.100.KELIN.150.DANO.200.RABO.250.MIRAS.300.SENYA.350.TAO KI.400."
                            "ZORIA.450.PALKA.500.\r\n"));
        QCOMPARE(game.form->name_confirmed(), 0);
        expect_frozen(game, false);
        QVERIFY(panel->isHidden() && box->isHidden() && ok->isHidden() && welldone->isHidden());
        QVERIFY(!game.picture("kelvane")->isHidden());
        QCOMPARE(game.form->move_count(), 0);
        QCOMPARE(game.platform.sounds, QStringList{"002.WAV"});
        QVERIFY(!is_solved(game.form->stores().board));  // a new deal replaced the solved board

        // Later moves record nothing more.
        const QByteArray stored = game.folder.read("HIGHSCORE.RES");
        game.move_over_background();
        game.move_over_background();
        QCOMPARE(game.folder.read("HIGHSCORE.RES"), stored);
        QCOMPARE(game.caption("drugo_mesto"), QStringLiteral("TOMVAR"));
    }

    void resultWithoutAPlace()
    {
        Game game;
        win(game, 549);
        QCOMPARE(game.form->move_count(), 550);
        QVERIFY(!game.picture("welldone")->isHidden());
        QVERIFY(shows(game.picture("welldone"), game.folder.file("WELLDONE1.JPG")));
        QVERIFY(!game.picture("kelvane")->isHidden());
        QVERIFY(game.picture("upis")->isHidden());
        QVERIFY(game.control("enter_name")->isHidden());
        expect_frozen(game, false);
        game.move_over_background();
        QCOMPARE(game.caption("score_10"), QStringLiteral("550"));
        // The picture stays through further moves until a new game.
        game.click_tile(15);
        QVERIFY(!game.picture("welldone")->isHidden());
    }

    void placesAroundEqualScores()
    {
        Game second;
        win(second, 99);  // 100 moves: equal to place 1 goes below it
        type_name(second, "BOB");
        second.click(second.picture("ok"));
        second.move_over_background();
        QCOMPARE(table(second).mid(0, 3), (QStringList{"TOMVAR=100", "BOB=100", "KELIN=150"}));

        Game tenth;
        win(tenth, 548);
        type_name(tenth, "ZED");
        tenth.click(tenth.picture("ok"));
        tenth.move_over(tenth.picture("ok"));
        QCOMPARE(table(tenth).mid(8), (QStringList{"PALKA=500", "ZED=549"}));
        QCOMPARE(table(tenth)[0], QStringLiteral("TOMVAR=100"));
    }

    void frozenBoardIgnoresTilesAndTheStartOverButton()
    {
        Game game;
        win(game, 98);
        const Cells cells = game.form->stores().cells;
        const auto sounds = game.platform.sounds;
        game.click_tile(12);
        game.click_tile(15);
        QCOMPARE(game.form->stores().cells, cells);
        QCOMPARE(game.form->move_count(), 99);
        game.move_over(game.picture("Image54"));
        QVERIFY(game.picture("startover")->isHidden());
        QVERIFY(!game.picture("Image54")->isHidden());
        QCOMPARE(game.platform.sounds, sounds);
        // The pictures stay as they were while frozen.
        QVERIFY(shows(game.tile(1), game.folder.file("001.JPG")));
        // OK still answers.
        type_name(game, "x");
        game.click(game.picture("ok"));
        QCOMPARE(game.form->name_confirmed(), 1);
    }

    void refusedNamesAreWiped()
    {
        Game game;
        win(game, 98);
        auto* box = game.control<QLineEdit>("enter_name");
        auto* ok = game.picture("ok");
        game.click(ok);  // empty: nothing changes
        QCOMPARE(game.form->name_confirmed(), 0);
        for (const QString& name : {QStringLiteral("AB CD"), QStringLiteral("R2D2"), QStringLiteral("A.B"),
                                    QStringLiteral("\u00C9MILE"), QStringLiteral("stra\u00DFe")}) {
            type_name(game, name);
            game.click(ok);
            QVERIFY2(box->text().isEmpty(), qPrintable(name));
            QCOMPARE(game.form->name_confirmed(), 0);
        }
        type_name(game, "[\\]^_`");
        game.click(ok);
        QCOMPARE(box->text(), QStringLiteral("[\\]^_`"));
        QCOMPARE(game.form->name_confirmed(), 1);
        QTest::keyClicks(box, "Z");
        QCOMPARE(box->text().size(), 6);
    }

    void twoClicksOnOkRecordOnce()
    {
        Game game;
        win(game, 98);
        type_name(game, "ann");
        game.click(game.picture("ok"));
        game.click(game.picture("ok"));
        QCOMPARE(game.form->name_confirmed(), 1);
        game.move_over(game.picture("ok"));
        QCOMPARE(table(game).mid(0, 3), (QStringList{"ANN=99", "TOMVAR=100", "KELIN=150"}));
        game.move_over_background();
        QCOMPARE(table(game)[1], QStringLiteral("TOMVAR=100"));
    }

    void nextEntryShowsThePreviousWinnersName()
    {
        Game game;
        win(game, 98);
        type_name(game, "anna");
        game.click(game.picture("ok"));
        game.move_over_background();
        win(game, 9);
        auto* box = game.control<QLineEdit>("enter_name");
        QVERIFY(!box->isHidden());
        QCOMPARE(box->text(), QStringLiteral("ANNA"));
        game.click(game.picture("ok"));
        game.move_over_background();
        QCOMPARE(table(game).mid(0, 2), (QStringList{"ANNA=10", "ANNA=99"}));
    }

    void missingWellDonePictureLeavesTheBoardPlayable()
    {
        Game game;
        game.folder.remove("WELLDONE2.JPG");
        win(game, 98);
        QVERIFY(game.picture("kelvane")->isHidden());
        QVERIFY(game.picture("upis")->isHidden());
        expect_frozen(game, false);
    }

    void fullTableIsStoredInAtMost120Bytes()
    {
        // Nine six-letter names with four-digit scores and a five-letter one:
        // a 119-character text, stored without its line end.
        const QByteArray text = nine_places("PLAYR", 1000) + "SHORT.1009.";
        QCOMPARE(text.size(), 119);
        Game game(text);
        QVERIFY(game.platform.ended.empty());
        win(game, 1004);
        type_name(game, "winner");
        game.click(game.picture("ok"));
        game.move_over_background();
        const QByteArray stored = game.folder.read("HIGHSCORE.RES");
        QCOMPARE(stored.size(), 120);
        QCOMPARE(stored, QByteArray("PLAYRA.1000.PLAYRB.1001.PLAYRC.1002.PLAYRD.1003.PLAYRE.1004.PLAYRF.1005."
                                    "WINNER.1005.PLAYRG.1006.PLAYRH.1007.PLAYRI.1008."));

        // The next start accepts it and reads the ten places.
        GameFolder next;
        next.write("HIGHSCORE.RES", stored);
        FakePlatform platform;
        platform.dir = next.path();
        Form1 again(platform);
        again.Form_Load();
        QVERIFY(platform.ended.empty());
        QCOMPARE(again.findChild<QLabel*>("deseto_mesto")->text(), QStringLiteral("PLAYRI"));
        QCOMPARE(again.findChild<QLabel*>("score_10")->text(), QStringLiteral("1008"));
    }

    void longHandMadeNamesGiveWaySoEveryResultIsStored()
    {
        // Eight-letter names fit the reader, but with a result in the first
        // place the table passes 120 characters. Its bytes are kept, then
        // every name is cut to six letters, on the screen as in the file.
        const QByteArray text = nine_places("EIGHTCH", 100) + "..";
        QCOMPARE(text.size(), 119);
        Game game(text);
        win(game, 8);
        confirm(game, "SIXSIX");
        game.move_over_background();
        QCOMPARE(game.caption("prvo_mesto"), QStringLiteral("SIXSIX"));
        QCOMPARE(game.caption("drugo_mesto"), QStringLiteral("EIGHTC"));
        QVERIFY(game.folder.read("HIGHSCORE.RES").startsWith("SIXSIX.9.EIGHTC.100.EIGHTC.101."));
        QCOMPARE(game.folder.read("HIGHSCORE.RES.damaged"), text);
        QCOMPARE(game.platform.reports, QStringList{"HIGHSCORE.RES: damaged; its bytes are kept in HIGHSCORE.RES.damaged"});
        QCOMPARE(game.form->move_count(), 0);
        expect_frozen(game, false);
        // The next result is stored too, with no further copy.
        win(game, 3);
        confirm(game, "anna");
        game.move_over_background();
        QVERIFY(game.folder.read("HIGHSCORE.RES").startsWith("ANNA.4.SIXSIX.9.EIGHTC.100."));
        QCOMPARE(leftovers(game), QStringList{"HIGHSCORE.RES.damaged"});
        QCOMPARE(game.platform.reports.size(), 1);
    }

    void aDamagedTableThatCannotBeCopiedIsLeftAsItIs()
    {
        // A table that links to another file system, where no second name
        // can be made: the copy is made instead. Where even that fails (here
        // a file-size limit the copy runs into), the file stays as it was and
        // the game plays on as with a table it cannot write.
        QTemporaryDir elsewhere(QStringLiteral("/dev/shm/fifteen-XXXXXX"));
        struct stat here {}, there {};
        if (!elsewhere.isValid() || ::stat(QFile::encodeName(QDir::tempPath()).constData(), &here) != 0
            || ::stat(QFile::encodeName(elsewhere.path()).constData(), &there) != 0 || here.st_dev == there.st_dev)
            QSKIP("needs /dev/shm on a file system of its own");
        const QByteArray junk(256 * 1024, 'j');
        const QString target = elsewhere.filePath("table");
        for (const bool limited : {false, true}) {
            {
                QFile f(target);
                QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(junk) == junk.size());
            }
            Game game(QByteArray(), false);
            QVERIFY(QFile::link(target, game.folder.file("HIGHSCORE.RES")));
            struct rlimit saved {};
            ::getrlimit(RLIMIT_FSIZE, &saved);
            const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
            if (limited) {
                struct rlimit small = saved;
                small.rlim_cur = 64 * 1024;
                ::setrlimit(RLIMIT_FSIZE, &small);
            }
            game.form->Form_Load();
            ::setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, old_handler);
            QCOMPARE(game.platform.reports.size(), 1);
            QFile f(target);
            QVERIFY(f.open(QIODevice::ReadOnly));
            if (limited) {
                QCOMPARE(f.readAll(), junk);
                QVERIFY2(game.platform.reports[0].startsWith(
                             "HIGHSCORE.RES: results will not be kept: it is damaged, and its bytes could not be kept: "),
                         qPrintable(game.platform.reports[0]));
                QVERIFY(leftovers(game).isEmpty());
            } else {
                QCOMPARE(f.readAll(), kDefaultFile);
                QCOMPARE(game.folder.read("HIGHSCORE.RES.damaged"), junk);
            }
            QCOMPARE(table(game)[0], QStringLiteral("TOMVAR=100"));
        }
    }

    void damagedTablesNeverBlockAResult()
    {
        QByteArray random(100, '\0');
        for (int i = 0; i < random.size(); ++i)
            random[i] = char((i * 37 + 11) % 256 == '.' ? 1 : (i * 37 + 11) % 256);
        const QByteArray clean120 = QByteArray("ABCDEF.1234.").repeated(10);
        const QList<std::pair<const char*, QByteArray>> tables{
            {"empty", ""},
            {"random", random},
            {"short", "KEEP.100.ME.200."},
            {"nine-letter name", "KEEP.100.NINELETTR.200." + kDefaultFile.mid(21)},
            {"five-digit score", "KEEP.100.ME.12345." + kDefaultFile.mid(21)},
            {"121 bytes", clean120 + "\n"},
        };
        for (const auto& [what, bytes] : tables) {
            Game game(bytes);
            QVERIFY2(game.platform.ended.empty() && game.form->isVisible(), what);
            win(game, 98);
            confirm(game, "anna");
            game.move_over_background();
            QVERIFY2(game.folder.read("HIGHSCORE.RES").startsWith("ANNA.99."), what);
            QVERIFY2(game.folder.read("HIGHSCORE.RES.damaged") == bytes, what);
            QVERIFY2(game.platform.reports == QStringList{"HIGHSCORE.RES: damaged; its bytes are kept in HIGHSCORE.RES.damaged"},
                     qPrintable(game.platform.reports.join('|')));
            // The next result takes the next place, empty or beaten.
            win(game, 9);
            confirm(game, "bob");
            game.move_over_background();
            QVERIFY2(game.folder.read("HIGHSCORE.RES").startsWith("BOB.10.ANNA.99."), what);
            QCOMPARE(leftovers(game), QStringList{"HIGHSCORE.RES.damaged"});
        }
        // A short table's empty places take results worse than every score.
        Game short_table("KEEP.100.ME.200.");
        win(short_table, 899);
        confirm(short_table, "cleo");
        short_table.move_over_background();
        QVERIFY(short_table.folder.read("HIGHSCORE.RES").startsWith("KEEP.100.ME.200.CLEO.900........"));
    }

    void byteOrderMarkIsSkipped()
    {
        Game game("\xEF\xBB\xBF" + kDefaultFile);
        QCOMPARE(table(game)[0], QStringLiteral("TOMVAR=100"));
        QCOMPARE(table(game)[9], QStringLiteral("OKU=550"));
        win(game, 98);
        confirm(game, "anna");
        game.move_over_background();
        QVERIFY(game.folder.read("HIGHSCORE.RES").startsWith("ANNA.99.TOMVAR.100."));
        QVERIFY(leftovers(game).isEmpty());
        QVERIFY(game.platform.reports.isEmpty());
    }

    void unwritableTableRanksForTheSessionAndSaysSoOnce()
    {
        GameFolder elsewhere;
        elsewhere.write("not-a-folder", "x");
        // A data folder that is a file, and a folder where the table should be.
        for (const QString& folder : {elsewhere.file("not-a-folder/Fifteen"), elsewhere.path()}) {
            QVERIFY(QDir().mkpath(elsewhere.file("HIGHSCORE.RES")));
            Game game(QByteArray(), true, {}, folder);
            QVERIFY(game.platform.ended.empty());
            QCOMPARE(table(game)[0], QStringLiteral("TOMVAR=100"));
            QCOMPARE(table(game)[9], QStringLiteral("OKU=550"));
            QCOMPARE(game.platform.reports.size(), 1);
            QVERIFY2(game.platform.reports[0].startsWith("HIGHSCORE.RES: results will not be kept: "),
                     qPrintable(game.platform.reports[0]));
            for (int moves : {98, 9}) {
                win(game, std::int16_t(moves));
                confirm(game, "anna");
                game.move_over_background();
            }
            QCOMPARE(table(game).mid(0, 3), (QStringList{"ANNA=10", "ANNA=99", "TOMVAR=100"}));
            QCOMPARE(game.platform.reports.size(), 1);
        }
    }

    void savesFollowALinkAndTakeTheUmask()
    {
        GameFolder real;
        real.write("scores", kDefaultFile);
        Game linked{QByteArray(), false};
        QVERIFY(QFile::link(real.file("scores"), linked.folder.file("HIGHSCORE.RES")));
        linked.form->Form_Load();
        win(linked, 98);
        confirm(linked, "anna");
        linked.move_over_background();
        QVERIFY(QFileInfo(linked.folder.file("HIGHSCORE.RES")).isSymLink());
        QVERIFY(real.read("scores").startsWith("ANNA.99."));

        const mode_t saved = ::umask(077);
        Game fresh{QByteArray()};
        ::umask(saved);
        QCOMPARE(QFileInfo(fresh.folder.file("HIGHSCORE.RES")).permissions() & 0x0777,
                 QFile::ReadUser | QFile::WriteUser);
    }

    void failedSavesLeaveTheOldTableAndSayWhy()
    {
        FullDisk disk;
        qInfo("full disk: %s", disk.real_disk() ? "tmpfs" : "file-size limit");
        const QByteArray old = "KEEP.100.ME.200.";
        {
            Game game(old, true, disk.parent());
            win(game, 98);
            confirm(game, "anna");
            disk.fill();
            game.move_over_background();
            disk.lift_limit();
            QCOMPARE(game.folder.read("HIGHSCORE.RES"), old);
            QVERIFY2(leftovers(game).isEmpty(), qPrintable(leftovers(game).join(' ')));
            QCOMPARE(game.platform.reports, QStringList{"HIGHSCORE.RES: not saved: " + disk.reason()});
            // The window shows the new table and the game goes on.
            QCOMPARE(game.caption("prvo_mesto"), QStringLiteral("ANNA"));
            QCOMPARE(game.form->move_count(), 0);
            expect_frozen(game, false);
        }
        {
            // A first start on a full disk creates no empty table.
            Game game(QByteArray(), false, disk.parent());
            disk.fill();
            game.form->Form_Load();
            disk.lift_limit();
            QVERIFY(!QFileInfo::exists(game.folder.file("HIGHSCORE.RES")));
            QVERIFY(leftovers(game).isEmpty());
            QVERIFY(game.platform.reports.contains("HIGHSCORE.RES: not saved: " + disk.reason()));
        }
    }

    void closingRecordsAConfirmedNameOnly()
    {
        Game confirmed;
        win(confirmed, 98);
        confirm(confirmed, "anna");
        confirmed.platform.sounds.clear();
        confirmed.form->close();
        QVERIFY(confirmed.folder.read("HIGHSCORE.RES").startsWith("ANNA.99.TOMVAR.100."));
        QCOMPARE(confirmed.platform.ended, std::vector<int>{0});
        QCOMPARE(confirmed.platform.opened.size(), 1);
        QVERIFY(confirmed.platform.sounds.isEmpty());  // no new game on the way out

        Game typing;
        win(typing, 98);
        type_name(typing, "anna");
        typing.form->close();
        QCOMPARE(typing.folder.read("HIGHSCORE.RES"), kDefaultFile);
        QCOMPARE(typing.platform.ended, std::vector<int>{0});
    }

    void twoGamesInOneFolderKeepBothResults()
    {
        Game first;
        Game second(first, Game::SameFolder{});
        Game third(first, Game::SameFolder{});

        // A lock left behind by a game that was killed holds nobody up.
        {
            QFile stale(first.folder.file("HIGHSCORE.RES.lock"));
            QVERIFY(stale.open(QIODevice::WriteOnly));
            stale.write("2147483646\nfifteen\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        }
        QElapsedTimer clock;
        clock.start();
        win(first, 98);
        confirm(first, "anna");
        first.move_over_background();
        QVERIFY(clock.elapsed() < 900);

        // The second game still shows the table it read at start; its result
        // of 520 moves no longer earns a place once the stored table is read
        // again, and the game goes on as after a recording.
        win(second, 519);
        confirm(second, "bob");
        second.move_over_background();
        QCOMPARE(second.form->name_confirmed(), 0);
        QCOMPARE(table(second)[0], QStringLiteral("ANNA=99"));
        QCOMPARE(table(second)[9], QStringLiteral("PALKA=500"));
        QCOMPARE(second.form->move_count(), 0);
        expect_frozen(second, false);

        win(third, 119);
        confirm(third, "cleo");
        third.move_over_background();
        QCOMPARE(first.folder.read("HIGHSCORE.RES"),
                 QByteArray("ANNA.99.TOMVAR.100.CLEO.120.KELIN.150.DANO.200.RABO.250.MIRAS.300.SENYA.350."
                            "TAO KI.400.ZORIA.450.\r\n"));
        QCOMPARE(table(third)[2], QStringLiteral("CLEO=120"));
        QVERIFY(!QFileInfo::exists(first.folder.file("HIGHSCORE.RES.lock")));
    }

    void unsolvedBoardChangesNothingEvenWhenConfirmed()
    {
        Game game;
        win(game, 98);
        type_name(game, "anna");
        game.click(game.picture("ok"));
        // Out of the ordinary: the board is changed under the open entry.
        game.form->set_cells_for_testing(reversed_with_gap(16));
        game.move_over_background();
        QCOMPARE(game.caption("prvo_mesto"), QStringLiteral("TOMVAR"));
        QCOMPARE(game.form->name_confirmed(), 1);
    }
};

QTEST_MAIN(WinTest)
#include "form1_win_test.moc"
