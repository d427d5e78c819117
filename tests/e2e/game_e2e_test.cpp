// The real program under an X server: started from a copy of the game
// folder, driven with xdotool and looked at through screenshots.
#include "harness.h"

using namespace e2e;


class GameEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void firstStartCreatesTheTableAndShowsADealtBoard()
    {
        Run run;
        run.start();
        QVERIFY(!run.wait_for_window().isEmpty());
        QVERIFY(run.shown_after_ms >= 3000);  // the pause is never cut short
        const auto [cpu, peak_kb] = usage(run.process.processId());
        qInfo("figures: window shown after %lld ms; processor %.3f s by then; peak resident %ld kB",
              run.shown_after_ms, cpu, peak_kb);
        QCOMPARE(read(run.file("HIGHSCORE.RES")), kDefaultFile);

        const QImage shot = run.screenshot("first-start");
        const std::vector<int> board = board_on_screen(run, shot);
        QCOMPARE(board[15], 0);
        std::vector<int> sorted = board;
        std::sort(sorted.begin(), sorted.end());
        for (int v = 0; v < 16; ++v)
            QCOMPARE(sorted[std::size_t(v)], v);
        QCOMPARE(QGuiApplication::primaryScreen()->geometry().center(), run.origin + QPoint(250, 215));
    }

    void aFailingLookAtStartKeepsTheTable()
    {
        // A look at the table, or at whether its folder can be written,
        // that fails at start as on a failing disk: the stored table stays
        // byte for byte, with its mode, and stays where it is.
        const QByteArray table = "KEEP.1.ME.2.\r\n";
        int fired = 0;
        for (const char* fault :
             {"access:1:13:HIGHSCORE.RES", "access:2:13:HIGHSCORE.RES", "stat:1:5:HIGHSCORE.RES", "access:2:5:"}) {
            Run run;
            write(run.file("HIGHSCORE.RES"), table);
            QVERIFY(QFile::setPermissions(run.file("HIGHSCORE.RES"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
            QTemporaryDir home;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("HOME", home.path());
            env.insert("LD_PRELOAD", FIFTEEN_FAIL_CALL);
            env.insert("FIFTEEN_FAIL", fault + (QByteArray(fault).endsWith(':') ? run.dir.path() : QString()));
            run.start(env);
            QVERIFY2(!run.wait_for_window().isEmpty(), fault);
            fired += run.process.readAllStandardError().contains("fail_call: fired");
            QCOMPARE(read(run.file("HIGHSCORE.RES")), table);
            QCOMPARE(QFileInfo(run.file("HIGHSCORE.RES")).permissions() & 0x0777,
                     QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
            QVERIFY2(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty(), fault);
        }
        QVERIFY(fired >= 3);  // the calls the game makes at start, and one an older game made
    }

    void pictureOneByteTooLongEndsWithStatusOne()
    {
        Run run;
        write(run.file("HIGHSCORE.RES"), "KEEP.1.");
        write(run.file("005.JPG"), read(run.file("005.JPG")) + 'x');
        run.start();
        bool window_seen = false;
        while (!run.process.waitForFinished(100) && run.clock.elapsed() < 10000)
            window_seen = window_seen || !xdotool({"search", "--onlyvisible", "--name", "^Fifteen$"}).isEmpty();
        QCOMPARE(run.process.state(), QProcess::NotRunning);
        QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.process.exitCode(), 1);
        QVERIFY(!window_seen);
        QVERIFY(run.process.readAllStandardError().contains("005.JPG: size 4140 where 4139 is expected"));
        QCOMPARE(read(run.file("HIGHSCORE.RES")), QByteArray("KEEP.1."));
    }

    void clickedTileSlidesIntoTheGap()
    {
        Run run;
        write(run.file("HIGHSCORE.RES"), kDefaultFile);
        run.start();
        QVERIFY(!run.wait_for_window().isEmpty());
        const std::vector<int> before = board_on_screen(run, run.screenshot("before-move"));
        QCOMPARE(before[15], 0);
        run.click(QPoint(kLeft[3] + 40, kTop[2] + 40));  // the tile above the gap
        const std::vector<int> after = board_on_screen(run, run.screenshot("after-move"));
        QCOMPARE(after[11], 0);
        QCOMPARE(after[15], before[11]);
        for (int k = 0; k < 11; ++k)
            QCOMPARE(after[std::size_t(k)], before[std::size_t(k)]);
        // Still answering after the sound: the tile goes back.
        run.click(QPoint(kLeft[3] + 40, kTop[3] + 40));
        QCOMPARE(board_on_screen(run, run.screenshot("moved-back")), before);
        QCOMPARE(run.process.state(), QProcess::Running);
    }

    void logoAndCloseOpenTheSiteAndCloseEndsAtOnce()
    {
        Run run;
        write(run.file("HIGHSCORE.RES"), kDefaultFile);
        QTemporaryDir bin;
        const QString log = bin.filePath("opened.txt");
        // An opener that complains on its terminal, as xdg-open does without a browser.
        write(bin.filePath("xdg-open"), "#!/bin/sh\necho \"$@\" >> \"" + log.toLocal8Bit()
                                            + "\"\necho 'xdg-open: no method available' >&2\necho noise\n");
        QFile::setPermissions(bin.filePath("xdg-open"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", bin.path() + ':' + env.value("PATH"));
        for (const char* desktop : {"XDG_CURRENT_DESKTOP", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "DESKTOP_SESSION"})
            env.remove(desktop);
        run.start(env);
        QVERIFY(!run.wait_for_window().isEmpty());

        run.click(QPoint(374 + 50, 392 + 14));  // the logo
        // The home page shipped in the game folder.
        const QByteArray page = QUrl::fromLocalFile(run.file("fifteen.html")).toEncoded() + "\n";
        QTRY_COMPARE_WITH_TIMEOUT(read(log), page, 3000);
        QCOMPARE(run.process.state(), QProcess::Running);

        send_close_request(run.window);
        QElapsedTimer closing;
        closing.start();
        QVERIFY(run.process.waitForFinished(1000));
        qInfo("figures: ended %lld ms after the close request", closing.elapsed());
        QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.process.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(read(log), page + page, 3000);
        QCOMPARE(run.process.readAllStandardError(), QByteArray());
        QCOMPARE(run.process.readAllStandardOutput(), QByteArray());

        // A task manager's or a session's end takes the same way out.
        QFile::remove(log);
        Run second;
        write(second.file("HIGHSCORE.RES"), kDefaultFile);
        second.start(env);
        QVERIFY(!second.wait_for_window().isEmpty());
        second.process.terminate();
        QVERIFY(second.process.waitForFinished(1000));
        QCOMPARE(second.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.process.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(read(log), QUrl::fromLocalFile(second.file("fifteen.html")).toEncoded() + "\n", 3000);
    }

    void soundsPlayAndANewOneCutsTheOld()
    {
        SoundServer server;
        QVERIFY(server.started());
        Run run;
        start_with_sound(run, server, {});
        QVERIFY(!run.wait_for_window().isEmpty());
        QCOMPARE(server.streams(), 0);

        // A new game's jingle: light the button, click it.
        run.click(QPoint(100, 410));
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 1, 1000);
        // Two more at once: still one stream, the last.
        run.click(QPoint(101, 410));
        run.click(QPoint(100, 410));
        QCOMPARE(server.streams(), 1);
        VERIFY_NO_STREAM_LEFT(server);
        // A burst of moves by keys, each cutting a sound the server may
        // still be setting up: when the last has played, none is left.
        xdotool({"windowfocus", "--sync", run.window});
        QStringList burst{"key", "--delay", "0"};
        for (int i = 0; i < 15; ++i)
            burst << "Down" << "Up";
        xdotool(burst);
        VERIFY_NO_STREAM_LEFT(server);

        // A move's click sound, then the same sound file made longer: the
        // next move plays the new file.
        run.click(QPoint(kLeft[3] + 40, kTop[2] + 40));
        VERIFY_NO_STREAM_LEFT(server);
        QFile::remove(run.file("001.WAV"));
        QFile::copy(run.file("002.WAV"), run.file("001.WAV"));
        run.click(QPoint(kLeft[3] + 40, kTop[3] + 40));
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 1, 1000);
        // It shows as the game's in the desktop's volume mixer.
        const QString properties = server.stream_properties();
        QVERIFY2(properties.contains("application.name = \"Fifteen\"") && properties.contains("media.role = \"event\""),
                 qPrintable(properties));
        QTest::qWait(400);  // the 70 ms click would be over by now; the jingle is not
        QCOMPARE(server.streams(), 1);
        QCOMPARE(run.process.state(), QProcess::Running);

        // Idle after sounds: the game's thread sleeps.
        VERIFY_NO_STREAM_LEFT(server);
        QTest::qWait(500);
        const auto switches = [&run] {
            for (const QByteArray& line : read(QStringLiteral("/proc/%1/status").arg(run.process.processId())).split('\n'))
                if (line.startsWith("voluntary_ctxt_switches:"))
                    return line.mid(24).trimmed().toLong();
            return -1L;
        };
        const long before = switches();
        QTest::qWait(3000);
        qInfo("figures: %ld wake-ups of the game's thread in 3 s idle after sounds", switches() - before);
        QCOMPARE(switches() - before, 0L);

        // The server goes away in the middle of the jingle: silence, and the
        // game goes on; back again, the next sound plays.
        run.click(QPoint(100, 410));
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 1, 1000);
        server.stop();
        run.click(QPoint(kLeft[3] + 40, kTop[2] + 40));
        const std::vector<int> moved = board_on_screen(run, run.screenshot("moved-without-sound-server"));
        QCOMPARE(moved[11], 0);
        server.start();
        QVERIFY(server.started());
        run.click(QPoint(kLeft[3] + 40, kTop[3] + 40));
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 1, 2000);
        QCOMPARE(run.process.state(), QProcess::Running);
        QCOMPARE(run.process.readAllStandardError(), QByteArray());
    }

    void sameGameUnderAnyOfThePlayersSettings()
    {
        // Logging rules that quiet Qt's warnings, and Qt's own event loop in
        // place of GLib's: a cut-off logo is still refused, and a move's
        // sound still reaches the server as the game's playing stream.
        SoundServer server;
        QVERIFY(server.started());
        Run run;
        start_with_sound(run, server, {"QT_LOGGING_RULES=*.warning=false", "QT_NO_GLIB=1"});
        QVERIFY(!run.wait_for_window().isEmpty());
        // The pointer over the logo lights it; the plain picture it takes
        // back on leaving is cut off, so the logo stays lit, never grey.
        const QRect logo(374, 392, 100, 28);
        const auto point_at = [&run](QPoint at) {
            xdotool({"mousemove", QString::number(run.origin.x() + at.x()), QString::number(run.origin.y() + at.y())});
            QTest::qWait(300);
        };
        const QByteArray good = read(run.file("KELVANE1.JPG"));
        write(run.file("KELVANE1.JPG"), good.left(good.size() / 2));
        point_at(logo.center());
        const QImage lit = run.screenshot("settings-lit").copy(logo);
        point_at(QPoint(350, 20));
        QCOMPARE(run.screenshot("settings-left").copy(logo), lit);

        QFile::remove(run.file("001.WAV"));
        QFile::copy(run.file("002.WAV"), run.file("001.WAV"));  // a move's sound long enough to see
        xdotool({"windowfocus", "--sync", run.window});
        Run::keys({"Down"});
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 1, 2000);
        const QString stream = server.stream_properties();
        QVERIFY2(stream.contains("application.name = \"Fifteen\"") && stream.contains("Corked: no"), qPrintable(stream));
    }

    void soundsSayNothingWhereHomeCannotBeWritten()
    {
        // The sound library looks for its key file in the home folder, and
        // complains where it can neither read nor make one: never to the
        // game's terminal.
        SoundServer server;
        QVERIFY(server.started());
        Run run;
        start_with_sound(run, server, {"HOME=/proc"});
        QVERIFY(!run.wait_for_window().isEmpty());
        run.click(QPoint(100, 410));
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 1, 1000);
        VERIFY_NO_STREAM_LEFT(server);
        QCOMPARE(run.process.readAllStandardError(), QByteArray());
    }

    void noDisplayIsOneLineWithQtsReason()
    {
        // No display at all, and a platform plugin that is not there: one
        // line that says what Qt found wrong, and status 1.
        QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            bare.remove(name);
        QProcessEnvironment nosuch = QProcessEnvironment::systemEnvironment();
        nosuch.insert("QT_QPA_PLATFORM", "nosuch");
        const std::pair<QProcessEnvironment, const char*> cases[] = {
            {bare, "could not connect to display (DISPLAY is not set)"},
            {nosuch, "Could not find the Qt platform plugin \"nosuch\""}};
        for (const auto& [env, reason] : cases) {
            Run run;
            run.start(env);
            QVERIFY(run.process.waitForFinished(10000));
            QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
            QCOMPARE(run.process.exitCode(), 1);
            const QByteArray said = run.process.readAllStandardError();
            QVERIFY2(said.startsWith("fifteen: cannot open the display: ") && said.count('\n') == 1
                         && said.endsWith('\n') && said.contains(reason),
                     said.constData());
            QVERIFY(!QFileInfo::exists(run.file("HIGHSCORE.RES")));
        }
    }

    void nothingRunsOnAfterTheGameWithOrWithoutAWindowManager()
    {
        // The splash ends within 4 s of showing, whatever closes it, and
        // nothing from the game folder runs 1 s after the game's window
        // closed.
        for (const bool with_wm : {false, true}) {
            std::optional<WindowManager> wm;
            if (with_wm) {
                wm.emplace();
                QVERIFY(wm->started());
            }
            Run run;
            write(run.file("HIGHSCORE.RES"), kDefaultFile);
            run.start();
            QVERIFY(!wait_for_splash(run).isEmpty());
            QElapsedTimer splash_shown;
            splash_shown.start();
            QVERIFY(!run.wait_for_window().isEmpty());
            while (run.programs_running().size() > 1 && splash_shown.elapsed() < 4000)
                QTest::qWait(50);
            qInfo("figures: %s window manager: the splash ended %lld ms after it showed", with_wm ? "with a" : "no",
                  splash_shown.elapsed());
            QCOMPARE(run.programs_running(), QList<qint64>{run.process.processId()});

            send_close_request(run.window);
            QVERIFY(run.process.waitForFinished(1000));
            QTest::qWait(1000);
            QCOMPARE(run.programs_running(), QList<qint64>{});
        }
        // A click closes the splash sooner; its program ends with it.
        Run run;
        write(run.file("HIGHSCORE.RES"), kDefaultFile);
        run.start();
        const QString splash = wait_for_splash(run);
        QVERIFY(!splash.isEmpty());
        const QPoint at = window_origin(splash);
        xdotool({"mousemove", QString::number(at.x() + 20), QString::number(at.y() + 20), "click", "1"});
        QTRY_COMPARE_WITH_TIMEOUT(run.programs_running().size(), qsizetype(1), 1000);
        QVERIFY(run.clock.elapsed() < 3000);
    }

    void runsNativelyOnWayland()
    {
        // A headless compositor of its own, with its protocol log: what the
        // windows ask of it is the game's business, not its terminal's.
        QTemporaryDir runtime;
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        QProcess weston;
        QProcessEnvironment weston_env = env;
        weston_env.insert("WAYLAND_DEBUG", "server");
        weston.setProcessEnvironment(weston_env);
        weston.setStandardErrorFile(runtime.filePath("weston.log"));
        weston.setStandardOutputFile(QProcess::nullDevice());
        weston.start("weston", {"--backend=headless-backend.so", "--use-pixman", "--debug", "--socket=fifteen-0",
                                "--width=1024", "--height=768", "--idle-time=0"});
        QVERIFY(weston.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(runtime.filePath("fifteen-0")), 5000);
        env.insert("WAYLAND_DISPLAY", "fifteen-0");
        env.insert("QT_QPA_PLATFORM", "wayland");

        Run run;
        write(run.file("HIGHSCORE.RES"), kDefaultFile);
        run.start(env);
        const auto log = [&runtime] { return read(runtime.filePath("weston.log")); };
        QTRY_VERIFY_WITH_TIMEOUT(log().contains("set_title(\"Fifteen\")"), 10000);
        QVERIFY(log().contains("set_title(\"kelvane games\")"));
        // The splash ends by itself.
        QTRY_COMPARE_WITH_TIMEOUT(run.programs_running(), QList<qint64>{run.process.processId()}, 2000);
        QTest::qWait(500);
        QProcess shooter;
        shooter.setProcessEnvironment(env);
        QDir().mkpath(QStringLiteral(FIFTEEN_SHOT_DIR "/wayland"));
        shooter.setWorkingDirectory(QStringLiteral(FIFTEEN_SHOT_DIR "/wayland"));
        shooter.start("weston-screenshooter", {});
        shooter.waitForFinished(5000);

        // Every window of the game and its splash is the game's in a dock.
        const QByteArray said = log();
        const qsizetype windows = said.count(".get_toplevel(");
        QCOMPARE(windows, qsizetype(2));
        QCOMPARE(said.count(".set_app_id(\"net.kelvane.Fifteen\")"), windows);
        QCOMPARE(said.count(".set_app_id("), windows);
        QCOMPARE(run.process.state(), QProcess::Running);
        run.process.terminate();
        QVERIFY(run.process.waitForFinished(2000));
        QCOMPARE(run.process.exitCode(), 0);
        QCOMPARE(run.process.readAllStandardError(), QByteArray());
        weston.terminate();
        weston.waitForFinished(3000);
    }

    void filesInTheGameFolderNeverHangOrSwellTheGame()
    {
        // A player's FIFOs and a link to an endless device in place of the
        // sounds and pictures: each is silence or the picture the control
        // had, the window answers every move, memory stays where it was, and
        // SIGTERM still ends the game.
        Run run;
        write(run.file("HIGHSCORE.RES"), kDefaultFile);
        run.start();
        QVERIFY(!run.wait_for_window().isEmpty());
        const QPoint above_gap(kLeft[3] + 40, kTop[2] + 40), gap(kLeft[3] + 40, kTop[3] + 40);
        const std::vector<int> before = board_on_screen(run, run.screenshot("before-fifos"));
        run.click(above_gap);
        run.click(gap);
        const long normal_peak_kb = usage(run.process.processId()).second;

        const auto replace = [&run](const char* name, const char* with) {
            QFile::remove(run.file(name));
            if (QByteArray(with) == "fifo")
                QVERIFY(::mkfifo(QFile::encodeName(run.file(name)).constData(), 0600) == 0);
            else
                QVERIFY(QFile::link(with, run.file(name)));
        };
        // The move sound a FIFO: the move shows, and the next one too.
        replace("001.WAV", "fifo");
        run.click(above_gap);
        std::vector<int> moved = board_on_screen(run, run.screenshot("move-with-fifo-sound"));
        QCOMPARE(moved[11], 0);
        QCOMPARE(moved[15], before[11]);
        run.click(gap);
        QCOMPARE(board_on_screen(run, run.screenshot("move-back-with-fifo-sound")), before);
        // The gap's picture a link to /dev/zero, then a FIFO; the logo a FIFO
        // under the pointer over the background.
        replace("000.JPG", "/dev/zero");
        run.click(above_gap);
        run.click(gap);
        replace("000.JPG", "fifo");
        run.click(above_gap);
        replace("KELVANE1.JPG", "fifo");
        xdotool({"mousemove", QString::number(run.origin.x() + 350), QString::number(run.origin.y() + 20)});
        QTest::qWait(300);
        const long peak_kb = usage(run.process.processId()).second;
        qInfo("figures: peak resident %ld kB after a normal move, %ld kB after the FIFOs and /dev/zero", normal_peak_kb,
              peak_kb);
        QVERIFY(peak_kb - normal_peak_kb < 3 * 1024);
        QElapsedTimer ending;
        ending.start();
        run.process.terminate();
        QVERIFY(run.process.waitForFinished(1000));
        QCOMPARE(run.process.exitCode(), 0);
        qInfo("figures: ended %lld ms after SIGTERM", ending.elapsed());
    }

    void aFolderNameThatIsNotUtf8IsOneLineAndStatusOne()
    {
        Run source;
        QTemporaryDir parent;
        const QByteArray folder = QFile::encodeName(parent.path()) + "/g\xf6" "dir";
        QVERIFY(::mkdir(folder.constData(), 0755) == 0);
        for (const char* name : {"fifteen", "ZUROZO.EXE"})
            QVERIFY(::link(QFile::encodeName(source.file(name)).constData(), (folder + '/' + name).constData()) == 0);
        // Started by its bytes through the shell: a QString cannot hold the name.
        const int status = std::system(("cd " + QFile::encodeName(parent.path()) + " && ./g\xf6" "dir/fifteen 2>said").constData());
        QCOMPARE(WEXITSTATUS(status), 1);
        const QByteArray said = read(parent.filePath("said"));
        QCOMPARE(said, "fifteen: the game folder's name is not UTF-8: " + QFileInfo(parent.path()).canonicalFilePath().toUtf8()
                           + "/g\\xf6dir\n");
        QVERIFY(xdotool({"search", "--onlyvisible", "--name", "^Fifteen$"}).isEmpty());
    }

    void screenReaderFindsTheSixteenNamedTiles()
    {
        SessionBus session;
        QVERIFY(!session.address().isEmpty());
        Run run;
        write(run.file("HIGHSCORE.RES"), kDefaultFile);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", session.address());
        env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        run.start(env);
        QVERIFY(!run.wait_for_window().isEmpty());

        const QDBusConnection bus = QDBusConnection::connectToBus(session.address(), "session");
        QDBusInterface launcher("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", bus);
        const QDBusReply<QString> a11y_address = launcher.call("GetAddress");
        QVERIFY2(a11y_address.isValid(), qPrintable(a11y_address.error().message()));
        const QDBusConnection a11y = QDBusConnection::connectToBus(a11y_address.value(), "a11y");
        QStringList tiles;
        QElapsedTimer waited;
        waited.start();
        while (tiles.size() < 16 && waited.elapsed() < 10000) {
            QStringList buttons;
            push_buttons(a11y, "org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root", buttons);
            tiles.clear();
            for (const QString& name : buttons)
                if (name == QLatin1String("gap") || (name.toInt() >= 1 && name.toInt() <= 15))
                    tiles << name;
            if (tiles.size() < 16)
                QTest::qWait(200);
        }
        tiles.sort();
        QStringList expected{"gap"};
        for (int v = 1; v <= 15; ++v)
            expected << QString::number(v);
        expected.sort();
        QCOMPARE(tiles, expected);
    }

    void aBlindPlayerHearsAWholeGame()
    {
        // What a screen reader is told over the real accessibility bus, from
        // the start through moves, a new game and a recorded win to the next
        // move; and nothing from the splash.
        SessionBus session;
        QVERIFY(!session.address().isEmpty());
        BusListener listener(session.address());
        QVERIFY(listener.connected());
        WindowManager wm;
        QVERIFY(wm.started());
        Run run;
        QByteArray table;  // every result earns the first place
        for (int p = 0; p < 10; ++p)
            table += "SLOW." + QByteArray::number(9990 + p) + '.';
        write(run.file("HIGHSCORE.RES"), table);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", session.address());
        run.start(env);
        QVERIFY(!run.wait_for_window().isEmpty());
        // The first focus whose description ends with `said` (or whose name is `said`).
        const auto hears = [&listener](const QString& said, int timeout = 15000) {
            QElapsedTimer clock;
            clock.start();
            for (; clock.elapsed() < timeout; QTest::qWait(50))
                for (const BusListener::Heard& heard : listener.take_focus())
                    if (heard.description.endsWith(said) || heard.name == said)
                        return heard;
            qWarning("not heard: %s", qPrintable(said));
            return BusListener::Heard{};
        };
        QVERIFY(!hears("new game, 0 moves", 5000).what.isEmpty());

        // Each move: the tile that slid, where it stands now, the count.
        const std::pair<const char*, const char*> moves[] = {{"Down", "row 4, column 4, 1 move"},
                                                             {"Right", "row 3, column 4, 2 moves"},
                                                             {"Up", "row 3, column 3, 3 moves"},
                                                             {"Left", "row 4, column 3, 4 moves"}};
        for (const auto& [key, said] : moves) {
            Run::keys({key});
            const BusListener::Heard heard = hears(said);
            QVERIFY2(heard.name.toInt() >= 1 && heard.name.toInt() <= 15, said);
        }
        Run::keys({"Left"});  // blocked: the gap is in the last column
        QTest::qWait(500);
        QVERIFY(listener.take_focus().isEmpty());
        Run::keys({"F2"});
        QVERIFY(!hears("new game, 0 moves").what.isEmpty());

        // A win that ranks: the name box, told the count and the place.
        int count = 0;
        Run::keys({play_to_the_last_move(run, "blind-deal", count)});
        const BusListener::Heard box =
            hears(QStringLiteral("Well done, %1 moves, first place: type your name").arg(count));
        QCOMPARE(box.name, QStringLiteral("Your name"));
        Run::type("blind");
        QDBusInterface text(box.service, box.path, "org.a11y.atspi.Text", listener.bus());
        text.setTimeout(2000);
        QCOMPARE(QDBusReply<QString>(text.call("GetText", 0, -1)).value(), QStringLiteral("blind"));
        for (const char* lookup : {"GetTextAtOffset", "GetTextBeforeOffset", "GetTextAfterOffset"})
            for (uint boundary = 0; boundary <= 6; ++boundary)
                for (int offset = 0; offset <= 5; ++offset)
                    QVERIFY2(text.call(lookup, offset, boundary).type() == QDBusMessage::ReplyMessage, lookup);

        // Enter: the table's line with the name; the next arrow, the board.
        Run::keys({"Return"});
        QVERIFY(!hears(QStringLiteral("1, BLIND, %1 moves").arg(count)).what.isEmpty());
        Run::keys({"Down"});
        QVERIFY(!hears("row 4, column 4, 1 move").what.isEmpty());

        for (const BusListener::Heard& heard : listener.heard())
            QVERIFY2(heard.pid == run.process.processId(), qPrintable(heard.what + ' ' + heard.name));
    }

    void splashThenTheGameWindowTakesTheKeyboard()
    {
        WindowManager wm;
        QVERIFY(wm.started());
        Run run;
        write(run.file("HIGHSCORE.RES"), kDefaultFile);
        run.start();
        const QString splash = wait_for_splash(run);
        QVERIFY(!splash.isEmpty());
        QTest::qWait(300);
        QGuiApplication::primaryScreen()->grabWindow(0).save(QStringLiteral(FIFTEEN_SHOT_DIR "/splash.png"));
        // Centred, with no frame or title buttons.
        QCOMPARE(window_origin(splash), QPoint(332, 284));
        QVERIFY(xdotool({"getwindowgeometry", splash}).contains("Geometry: 360x200"));
        QVERIFY2(xprop(splash, "_NET_FRAME_EXTENTS").contains("= 0, 0, 0, 0"), qPrintable(xprop(splash, "_NET_FRAME_EXTENTS")));

        QVERIFY(!run.wait_for_window().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(xdotool({"getactivewindow"}), run.window, 2000);
        QTRY_VERIFY_WITH_TIMEOUT(xdotool({"search", "--onlyvisible", "--name", "^kelvane games$"}).isEmpty(), 2000);
        QGuiApplication::primaryScreen()->grabWindow(0).save(QStringLiteral(FIFTEEN_SHOT_DIR "/title-bar.png"));
        // A title bar on the screen, and the icon at every size it is drawn at.
        const QStringList extents = xprop(run.window, "_NET_FRAME_EXTENTS").section('=', 1).split(',');
        QCOMPARE(extents.size(), 4);
        QVERIFY(extents[2].trimmed().toInt() > 10);
        QVERIFY(run.origin.y() - extents[2].trimmed().toInt() >= 0);
        const QString icons = xprop(run.window, "_NET_WM_ICON");
        for (int size : {32, 48, 64, 128, 256})
            QVERIFY2(icons.contains(QStringLiteral("Icon (%1 x %1)").arg(size)), qPrintable(QString::number(size)));
    }

    void keysAndNamesFollowEveryWin()
    {
        WindowManager wm;
        QVERIFY(wm.started());
        Run run;
        // Every result earns the first place.
        QByteArray table;
        for (int p = 0; p < 10; ++p)
            table += "SLOW." + QByteArray::number(9990 + p) + '.';
        write(run.file("HIGHSCORE.RES"), table);
        run.start();
        QVERIFY(!run.wait_for_window().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(xdotool({"getactivewindow"}), run.window, 2000);

        // A win by keys; the name box has the focus, the name ends with Enter.
        int first = 0;
        Run::keys({play_to_the_last_move(run, "first-deal", first)});
        Run::type("anna");
        Run::keys({"Return"});
        QTRY_VERIFY_WITH_TIMEOUT(read(run.file("HIGHSCORE.RES")).startsWith("ANNA." + QByteArray::number(first) + ".SLOW.9990."), 2000);
        // The arrows play the new game at once.
        const std::vector<int> dealt = board_on_screen(run, run.screenshot("after-first-win"));
        QCOMPARE(dealt[15], 0);
        Run::keys({"Down"});
        const std::vector<int> moved = board_on_screen(run, run.screenshot("arrow-after-first-win"));
        QCOMPARE(moved[11], 0);
        QCOMPARE(moved[15], dealt[11]);

        // Letters and Enter typed during play go nowhere.
        Run::type("qq");
        Run::keys({"BackSpace"});
        Run::type("x");
        Run::keys({"Return", "Up"});  // Up takes the tile back
        QCOMPARE(read(run.file("HIGHSCORE.RES")).count("ANNA."), 1);

        // A win by mouse: the last move a click, the kept name confirmed with OK.
        int second = 0;
        (void)play_to_the_last_move(run, "second-deal", second);
        run.click(QPoint(kLeft[3] + 40, kTop[3] + 40));  // the last move ends with the gap there
        run.screenshot("second-win");
        run.click(QPoint(453 + 15, 404 + 8));
        xdotool({"mousemove", QString::number(run.origin.x() + 350), QString::number(run.origin.y() + 20)});
        QTRY_COMPARE_WITH_TIMEOUT(read(run.file("HIGHSCORE.RES")).count("ANNA."), 2, 2000);
        QVERIFY(!read(run.file("HIGHSCORE.RES")).contains("X."));
        const std::vector<int> third = board_on_screen(run, run.screenshot("after-second-win"));
        Run::keys({"Down"});
        const std::vector<int> after = board_on_screen(run, run.screenshot("arrow-after-second-win"));
        QCOMPARE(after[11], 0);
        QCOMPARE(after[15], third[11]);
    }

    void unwritableTableKeepsTheSessionsResults()
    {
        if (::geteuid() != 0)
            QSKIP("playing as another user needs root");
        WindowManager wm;
        QVERIFY(wm.started());
        // A game folder nobody may write, no HOME (the data folder would be
        // /.local/share), and a TMPDIR nobody may write either.
        Run run;
        QVERIFY(QFile::setPermissions(run.dir.path(), QFile::permissions(run.dir.path()) | QFile::ReadOther | QFile::ExeOther));
        QTemporaryDir auth;
        QVERIFY(QFile::setPermissions(auth.path(), QFile::permissions(auth.path()) | QFile::ReadOther | QFile::ExeOther));
        QVERIFY(QFile::copy(qEnvironmentVariable("XAUTHORITY"), auth.filePath("x")));
        QVERIFY(QFile::setPermissions(auth.filePath("x"), QFile::ReadOwner | QFile::ReadOther));
        run.start(QProcessEnvironment(), {"runuser", "-u", "nobody", "--", "env", "-i",
                                          "DISPLAY=" + qEnvironmentVariable("DISPLAY"), "XAUTHORITY=" + auth.filePath("x"),
                                          "PATH=/usr/bin:/bin", "TMPDIR=/"});
        QVERIFY(!run.wait_for_window().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(xdotool({"getactivewindow"}), run.window, 2000);

        // The default table shows, and the terminal hears why it is not kept.
        const QImage before = run.screenshot("unwritable-table");
        for (int p = 0; p < 10; ++p)
            QVERIFY(has_text(before, QRect(382, 33 + 17 * p, 78, 15)));
        QByteArray said = run.process.readAllStandardError();
        QVERIFY2(said.count('\n') == 1, said.constData());
        QVERIFY2(said.startsWith("fifteen: HIGHSCORE.RES: results will not be kept: "), said.constData());

        // A win ranks in the session; nothing more is said.
        int moves = 0;
        Run::keys({play_to_the_last_move(run, "unwritable-deal", moves)});
        Run::type("anna");
        Run::keys({"Return"});
        const QImage after = run.screenshot("unwritable-after-win");
        const QRect table(382, 33, 110, 170);
        QVERIFY(before.copy(table) != after.copy(table));
        QCOMPARE(run.process.state(), QProcess::Running);
        said += run.process.readAllStandardError();
        QVERIFY2(said.count('\n') == 1, said.constData());
        QVERIFY(!QFileInfo::exists(run.file("HIGHSCORE.RES")));
    }

    void picturesAreSharpAtEveryScale()
    {
        WindowManager wm;
        QVERIFY(wm.started());
        for (const double scale : {1.25, 1.5, 2.0}) {
            Run run;
            write(run.file("HIGHSCORE.RES"), kDefaultFile);
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("QT_SCALE_FACTOR", QString::number(scale));
            run.start(env);
            QVERIFY(!run.wait_for_window().isEmpty());
            const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
            screen.save(QStringLiteral(FIFTEEN_SHOT_DIR "/scale-%1.png").arg(scale));
            // The title bar is on the screen, even where the window is taller.
            const QStringList extents = xprop(run.window, "_NET_FRAME_EXTENTS").section('=', 1).split(',');
            QCOMPARE(extents.size(), 4);
            QVERIFY2(run.origin.y() - extents[2].trimmed().toInt() >= 0, qPrintable(QString::number(scale)));
            QVERIFY(run.origin.x() >= 0);

            // The top-left tile, in device pixels, against its picture decoded
            // straight to that size, and against the ordinary-screen picture
            // blown up pixel by pixel.
            const int side = int(std::lround(80 * scale));
            const QPoint at = run.origin + QPoint(int(std::lround(16 * scale)), int(std::lround(63 * scale)));
            double sharp = 1e9, blocky = 1e9;
            for (int v = 1; v <= 15; ++v) {
                const double d = difference(screen, at, tile_picture(run, v, side));
                if (d < sharp) {
                    sharp = d;
                    blocky = difference(screen, at, tile_picture(run, v).scaled(side, side, Qt::IgnoreAspectRatio, Qt::FastTransformation));
                }
            }
            qInfo("figures: scale %.2f: the tile differs %.2f from its sharp picture, %.2f from the enlarged one", scale, sharp, blocky);
            QVERIFY2(sharp < 3 && blocky > 2 * sharp, qPrintable(QString::number(scale)));
        }
    }

    void handMadeTableOfLongNamesOpensWithTenPlaces()
    {
        // Eight-letter names and four-digit scores, the longest the reader
        // takes: 140 bytes, more than the game writes. Every place shows, and
        // the file stays as it is until a result is stored.
        QByteArray table;
        for (int p = 0; p < 10; ++p)
            table += "PLAYERA" + QByteArray(1, char('A' + p)) + '.' + QByteArray::number(9990 + p) + '.';
        QCOMPARE(table.size(), 140);
        Run run;
        write(run.file("HIGHSCORE.RES"), table);
        run.start();
        QVERIFY(!run.wait_for_window().isEmpty());
        const QImage shot = run.screenshot("long-names-table");
        for (int p = 0; p < 10; ++p) {
            const int top = 33 + 17 * p;
            QVERIFY2(has_text(shot, QRect(382, top, 78, 15)), qPrintable(QString::number(p + 1)));
            QVERIFY2(has_text(shot, QRect(464, top, 28, 15)), qPrintable(QString::number(p + 1)));
        }
        QCOMPARE(read(run.file("HIGHSCORE.RES")), table);
        QVERIFY(!QFileInfo::exists(run.file("HIGHSCORE.RES.damaged")));
    }
};

QTEST_MAIN(GameEndToEnd)
#include "game_e2e_test.moc"
