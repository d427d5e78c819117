// The window as it opens: its controls, the start-up and the data-file check.
#include <QFontInfo>

#include "core/trap.h"
#include "fixture.h"
#include "ui/design.h"

using namespace fifteen;
using namespace fifteen::testing;

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void freshWindowHasItsControlsInTheirPlaces()
    {
        Game game(kDefaultFile, /*load=*/false);
        Form1& form = *game.form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Fifteen"));
        QCOMPARE(form.size(), QSize(500, 430));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(form.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 44);

        const int left[] = {16, 96, 176, 256};
        const int top[] = {63, 144, 224, 304};
        for (int n = 1; n <= 16; ++n) {
            PictureControl* tile = game.tile(n);
            QCOMPARE(tile->geometry(), QRect(left[(n - 1) % 4], top[(n - 1) / 4], 80, 80));
            QVERIFY(!tile->isHidden());
            QVERIFY(tile->isEnabled());
        }
        struct Expected {
            const char* name;
            QRect geometry;
            bool visible;
        };
        const Expected pictures[] = {
            {"Image54", {0, 393, 206, 35}, true},   {"startover", {0, 394, 206, 35}, false},
            {"kelvane", {374, 392, 105, 29}, true}, {"welldone", {362, 203, 132, 170}, false},
            {"upis", {192, 0, 132, 47}, false},     {"ok", {284, 22, 31, 16}, false},
        };
        for (const Expected& e : pictures) {
            PictureControl* p = game.picture(e.name);
            QCOMPARE(p->geometry(), e.geometry);
            QCOMPARE(!p->isHidden(), e.visible);
            QVERIFY(p->isEnabled());
        }
        auto* box = game.control<QLineEdit>("enter_name");
        QCOMPARE(box->geometry(), QRect(203, 22, 80, 15));
        QVERIFY(box->isHidden());
        QVERIFY(box->text().isEmpty());
        QCOMPARE(box->maxLength(), 6);
        QCOMPARE(box->palette().color(QPalette::Base), QColor(228, 188, 28));

        auto* moves = game.control<QLabel>("Label2");
        QCOMPARE(moves->geometry(), QRect(318, 402, 27, 18));
        QCOMPARE(moves->text(), QStringLiteral("0"));
        QCOMPARE(moves->palette().color(QPalette::Window), QColor(57, 193, 193));
        QCOMPARE(moves->font().pixelSize(), 13);
        const char* names[] = {"prvo_mesto", "drugo_mesto", "trece_mesto", "cetvrto_mesto", "peto_mesto",
                               "sesto_mesto", "sedmo_mesto", "osmo_mesto", "deveto_mesto", "deseto_mesto"};
        for (int p = 1; p <= 10; ++p) {
            auto* name = game.control<QLabel>(names[p - 1]);
            auto* score = game.control<QLabel>(QStringLiteral("score_%1").arg(p));
            QCOMPARE(name->geometry(), QRect(382, 33 + 17 * (p - 1), 78, 15));
            QCOMPARE(score->geometry(), QRect(464, 33 + 17 * (p - 1), 28, 15));
            QVERIFY(name->text().isEmpty() && score->text().isEmpty());
            QCOMPARE(name->palette().color(QPalette::Window), QColor(228, 188, 28));
            QCOMPARE(name->palette().color(QPalette::WindowText), QColor(19, 54, 46));
            QCOMPARE(score->palette().color(QPalette::Window), QColor(216, 233, 33));
            QCOMPARE(name->font().pixelSize(), 13);
            QCOMPARE(score->font().pixelSize(), 12);
            QVERIFY(name->font().bold());
        }
        // Stacking: the name box above the panel and OK, OK above the panel.
        const auto order = form.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(order.indexOf(box) > order.indexOf(game.picture("ok")));
        QVERIFY(order.indexOf(game.picture("ok")) > order.indexOf(game.picture("upis")));
        // Every control keeps the pointer's moves to itself.
        for (QWidget* w : order) {
            QVERIFY(w->hasMouseTracking());
            QVERIFY(w->testAttribute(Qt::WA_NoMousePropagation));
        }
        // The game's own pointers: the arrow, and the hand over START OVER,
        // plain or lit, each clear around its drawing. Drawn at twice their
        // size, they are made for the screen's density; both looks of the
        // button share the one hand.
        QCOMPARE(game.picture("startover")->cursor().pixmap().cacheKey(),
                 game.picture("Image54")->cursor().pixmap().cacheKey());
        for (const qreal ratio : {1.0, 2.0}) {
            const std::pair<QCursor, QPoint> pointers[] = {
                {design_cursor(QStringLiteral("cursor.xpm"), {0, 0}, ratio), {0, 0}},
                {design_cursor(QStringLiteral("startover_cursor.xpm"), {7, 1}, ratio), {7, 1}}};
            for (const auto& [pointer, tip] : pointers) {
                QCOMPARE(pointer.shape(), Qt::BitmapCursor);
                QCOMPARE(pointer.hotSpot(), tip);
                QCOMPARE(pointer.pixmap().devicePixelRatio(), ratio);
                const QImage look = pointer.pixmap().toImage();
                const int side = int(32 * ratio);
                QCOMPARE(look.size(), QSize(side, side));
                QCOMPARE(qAlpha(look.pixel(side - 1, side - 1)), 0);
                QCOMPARE(qAlpha(look.pixel((tip + QPoint(1, 2)) * ratio)), 255);
            }
        }
        QCOMPARE(form.cursor().pixmap().size(), QSize(32, 32));
    }

    void aBrokenBuiltInPictureIsNamed()
    {
        // The line the program ends with when its window cannot be built.
        QVERIFY_THROWS_EXCEPTION(Failure, (void)design_jpeg(QStringLiteral("nosuch.jpg")));
        try {
            (void)design_jpeg(QStringLiteral("nosuch.jpg"));
        } catch (const Failure& failure) {
            QCOMPARE(QString::fromUtf8(failure.what()),
                     QStringLiteral("the built-in picture nosuch.jpg is broken; build the game again"));
        }
    }

    void startupDealsDrawsAndReadsTheTable()
    {
        Game game;
        QCOMPARE(game.platform.launched, QStringList{game.folder.file("ZUROZO.EXE")});
        QCOMPARE(game.platform.pauses, 1);
        QVERIFY(game.platform.ended.empty());
        QVERIFY(game.platform.reports.isEmpty());
        QVERIFY(game.form->isVisible());
        QCOMPARE(QDir::currentPath(), QDir(game.folder.path()).canonicalPath());

        const BoardStores& s = game.form->stores();
        QCOMPARE(s.cells[15], 0);
        QCOMPARE(std::vector<int>(s.cells.begin(), s.cells.end()), s.board);
        QCOMPARE(s.shown_board, s.cells);
        for (int k = 1; k <= 16; ++k)
            QVERIFY2(shows(game.tile(k), game.folder.file(tile_name(s.shown_board[std::size_t(k - 1)]))),
                     qPrintable(QStringLiteral("Image%1").arg(k)));
        QCOMPARE(game.form->move_count(), 0);
        QCOMPARE(game.caption("prvo_mesto"), QStringLiteral("TOMVAR"));
        QCOMPARE(game.caption("score_1"), QStringLiteral("100"));
        QCOMPARE(game.caption("sedmo_mesto"), QStringLiteral("TAO KI"));
        QCOMPARE(game.caption("deseto_mesto"), QStringLiteral("OKU"));
        QCOMPARE(game.caption("score_10"), QStringLiteral("550"));
        QVERIFY(game.platform.sounds.isEmpty());

        Game another;
        QVERIFY(another.form->stores().cells != s.cells);
    }

    void firstStartCreatesTheDefaultTableAndGoesOn()
    {
        Game game{QByteArray()};
        QCOMPARE(game.folder.read("HIGHSCORE.RES"), kDefaultFile);
        QVERIFY(game.platform.ended.empty());
        QVERIFY(game.form->isVisible());
        QCOMPARE(game.caption("drugo_mesto"), QStringLiteral("KELIN"));
    }

    void storedTablesOfAnySizeStart()
    {
        const QByteArray table120 = QByteArray("ABCDEF.1234.").repeated(10);
        QCOMPARE(table120.size(), 120);
        Game at_limit(table120);
        QVERIFY(at_limit.platform.ended.empty());
        QCOMPARE(at_limit.caption("deseto_mesto"), QStringLiteral("ABCDEF"));
        QCOMPARE(at_limit.caption("score_10"), QStringLiteral("1234"));

        // A table in which no place reads is replaced by the default table
        // at once; its bytes are kept beside it.
        Game empty{QByteArray("")};
        QVERIFY(empty.platform.ended.empty());
        QCOMPARE(empty.caption("prvo_mesto"), QStringLiteral("TOMVAR"));
        QCOMPARE(empty.folder.read("HIGHSCORE.RES"), kDefaultFile);
        QVERIFY(QFileInfo(empty.folder.file("HIGHSCORE.RES.damaged")).isFile());
        QCOMPARE(empty.platform.reports, QStringList{"HIGHSCORE.RES: damaged; its bytes are kept in HIGHSCORE.RES.damaged"});

        // Longer than the game writes, as an editor's line end makes it:
        // the game starts with its ten places and leaves the file alone.
        Game over(table120 + "\n");
        QVERIFY(over.platform.ended.empty());
        QVERIFY(over.form->isVisible());
        QCOMPARE(over.caption("deseto_mesto"), QStringLiteral("ABCDEF"));
        QCOMPARE(over.folder.read("HIGHSCORE.RES"), table120 + "\n");
    }

    void wrongSizeEndsWithoutWriting()
    {
        GameFolder folder;
        const QByteArray stored = "ME.7.";
        folder.write("HIGHSCORE.RES", stored);
        folder.append_byte("005.JPG");
        folder.remove("OK2.JPG");  // a later row: never reached
        FakePlatform platform;
        platform.dir = folder.path();
        Form1 form(platform);
        form.Form_Load();
        QCOMPARE(platform.ended, std::vector<int>{1});
        QCOMPARE(platform.reports, QStringList{"005.JPG: size 4140 where 4139 is expected"});
        QCOMPARE(folder.read("HIGHSCORE.RES"), stored);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.stores().cells, Cells{});
    }

    void missingFileEndsWithoutTouchingTheTable()
    {
        for (const char* missing : {"STARTOVER1.JPG", "007.JPG", "002.WAV"}) {
            GameFolder folder;
            folder.write("HIGHSCORE.RES", "ME.7.");
            folder.remove(missing);
            FakePlatform platform;
            platform.dir = folder.path();
            Form1 form(platform);
            form.Form_Load();
            QCOMPARE(platform.ended, std::vector<int>{1});
            QCOMPARE(platform.reports, QStringList{QString::fromLatin1(missing) + ": missing"});
            QCOMPARE(folder.read("HIGHSCORE.RES"), QByteArray("ME.7."));
        }
    }

    void siblingThatWillNotStartStopsTheStartUp()
    {
        GameFolder folder;
        folder.write("HIGHSCORE.RES", kDefaultFile);
        folder.remove("ZUROZO.EXE");
        FakePlatform platform;
        platform.dir = folder.path();
        Form1 form(platform);
        form.Form_Load();
        QCOMPARE(platform.pauses, 0);
        QVERIFY(platform.ended.empty());
        QCOMPARE(platform.reports, QStringList{"ZUROZO.EXE: cannot be started"});
        QCOMPARE(form.stores().cells, Cells{});
        QVERIFY(form.stores().board.empty());
        QVERIFY(form.findChild<QLabel*>("prvo_mesto")->text().isEmpty());
        // Shown afterwards with its layout pictures, every cell a gap: clicks do nothing.
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* tile = form.findChild<PictureControl*>("Image12");
        QTest::mouseClick(tile, Qt::LeftButton, {}, tile->rect().center());
        QCOMPARE(form.move_count(), 0);
        QVERIFY(platform.sounds.isEmpty());
    }

    void dataFilesAreFoundWhateverTheirCase()
    {
        GameFolder folder;
        folder.write("highscore.res", kDefaultFile);
        QVERIFY(QFile::rename(folder.file("001.JPG"), folder.file("001.jpg")));
        QVERIFY(QFile::rename(folder.file("ZUROZO.EXE"), folder.file("zurozo.exe")));
        FakePlatform platform;
        platform.dir = folder.path();
        Form1 form(platform);
        form.Form_Load();
        QVERIFY(platform.ended.empty());
        QCOMPARE(platform.launched, QStringList{folder.file("zurozo.exe")});
        QCOMPARE(form.findChild<QLabel*>("prvo_mesto")->text(), QStringLiteral("TOMVAR"));
        QVERIFY(!QFileInfo::exists(folder.file("HIGHSCORE.RES")));
    }

    void tableTextIsReadUpToItsFirstBadField()
    {
        Game game("AB.1.CD.2.NINELETTR.3.EF.4.");
        QCOMPARE(game.caption("prvo_mesto"), QStringLiteral("AB"));
        QCOMPARE(game.caption("score_2"), QStringLiteral("2"));
        QVERIFY(game.caption("trece_mesto").isEmpty());
        QVERIFY(game.caption("score_3").isEmpty());

        // A name whose score breaks is no place; with no place read, the
        // default table shows.
        Game scores("AB.12345.");
        QCOMPARE(scores.caption("prvo_mesto"), QStringLiteral("TOMVAR"));

        Game bytes(QByteArray("\xC4\xD6.1x5.") + kDefaultFile.mid(11));
        QCOMPARE(bytes.caption("prvo_mesto"), QString::fromLatin1("\xC4\xD6"));
        QCOMPARE(bytes.caption("score_1"), QStringLiteral("105"));
        QCOMPARE(bytes.caption("deseto_mesto"), QStringLiteral("OKU"));
    }

    void missingTilePictureStopsTheDrawingAtItsCell()
    {
        Game game;
        // Draw a known board first, then one with the tile 7 in cell 5.
        const Cells first = reversed_with_gap(16);
        game.form->set_cells_for_testing(first);
        Cells second{1, 2, 3, 4, 7, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 0};
        std::vector<QImage> before;
        for (int k = 1; k <= 16; ++k)
            before.push_back(game.tile(k)->picture());
        const QByteArray seven = game.folder.read("007.JPG");
        game.folder.remove("007.JPG");
        game.form->set_cells_for_testing(second);
        for (int k = 1; k <= 4; ++k)
            QVERIFY(shows(game.tile(k), game.folder.file(tile_name(second[std::size_t(k - 1)]))));
        for (int k = 5; k <= 16; ++k)
            QVERIFY2(game.tile(k)->picture() == before[std::size_t(k - 1)], qPrintable(QString::number(k)));
        // The game goes on: the drawing after the file is back is complete.
        game.folder.write("007.JPG", seven);
        game.form->PrikaziTablu16();
        QVERIFY(shows(game.tile(5), game.folder.file("007.JPG")));
        QVERIFY(shows(game.tile(16), game.folder.file("000.JPG")));
    }

    void valuesOutsideTheTilesShowTileFifteen()
    {
        Game game;
        Cells odd = reversed_with_gap(16);
        odd[0] = 15;
        odd[1] = 99;
        odd[2] = -3;
        game.form->set_cells_for_testing(odd);
        for (int k = 1; k <= 3; ++k)
            QVERIFY(shows(game.tile(k), game.folder.file("015.JPG")));
    }
};

QTEST_MAIN(StartupTest)
#include "form1_startup_test.moc"
