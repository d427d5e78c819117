// Playing: tile moves, the move counter, a new game, hover looks, the logo
// link and the way out.
#include <QBuffer>
#include <map>

#include "fixture.h"

using namespace fifteen;
using namespace fifteen::testing;

namespace {
bool adjacent(int a, int b)
{
    const int ra = (a - 1) / 4, ca = (a - 1) % 4, rb = (b - 1) / 4, cb = (b - 1) % 4;
    return std::abs(ra - rb) + std::abs(ca - cb) == 1;
}
}  // namespace

namespace {
QUrl home_page(const Game& game)
{
    return QUrl::fromLocalFile(game.folder.file("fifteen.html"));
}
}  // namespace

// Counts the paint events of the controls it watches.
class PaintCounter : public QObject {
public:
    std::map<QObject*, int> paints;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints[watched];
        return false;
    }
};

class PlayTest : public QObject {
    Q_OBJECT
private slots:
    void everyClickAgainstEveryGap()
    {
        Game game;
        for (int gap = 1; gap <= 16; ++gap) {
            for (int n = 1; n <= 16; ++n) {
                const Cells start = reversed_with_gap(gap);
                game.form->set_cells_for_testing(start);
                game.form->set_move_count_for_testing(0);
                game.platform.sounds.clear();
                game.click_tile(n);
                const BoardStores& s = game.form->stores();
                const QString where = QStringLiteral("gap %1, click %2").arg(gap).arg(n);
                if (adjacent(gap, n)) {
                    Cells expected = start;
                    std::swap(expected[std::size_t(gap - 1)], expected[std::size_t(n - 1)]);
                    QVERIFY2(s.cells == expected, qPrintable(where));
                    QVERIFY2(s.shown_board == expected, qPrintable(where));
                    QCOMPARE(game.form->move_count(), 1);
                    QCOMPARE(game.caption("Label2"), QStringLiteral("1"));
                    QCOMPARE(game.platform.sounds, QStringList{"001.WAV"});
                    QVERIFY2(shows(game.tile(n), game.folder.file("000.JPG")), qPrintable(where));
                    QVERIFY2(shows(game.tile(gap), game.folder.file(tile_name(start[std::size_t(n - 1)]))),
                             qPrintable(where));
                } else {
                    QVERIFY2(s.cells == start, qPrintable(where));
                    QCOMPARE(game.form->move_count(), 0);
                    QVERIFY2(game.platform.sounds.isEmpty(), qPrintable(where));
                }
            }
        }
    }

    void countsEveryMoveBackAndForth()
    {
        Game game;
        game.form->set_cells_for_testing(reversed_with_gap(16));
        for (int i = 0; i < 7; ++i)
            game.click_tile(i % 2 == 0 ? 12 : 16);
        QCOMPARE(game.form->move_count(), 7);
        QCOMPARE(game.caption("Label2"), QStringLiteral("7"));
        QCOMPARE(game.form->stores().cells[11], 0);
        QCOMPARE(game.platform.sounds.size(), 7);
        // The window's own background takes no game action on a click.
        QTest::mouseClick(game.form.get(), Qt::LeftButton, {}, QPoint(350, 20));
        QCOMPARE(game.form->move_count(), 7);
    }

    void completionIsTestedBeforeTheMoveSound()
    {
        // A table no result can enter: the solving move shows the well-done
        // picture, and it is already up when the sound starts.
        Game game("A.1.B.1.C.1.D.1.E.1.F.1.G.1.H.1.I.1.J.1.");
        Cells nearly{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 15};
        game.form->set_cells_for_testing(nearly);
        bool shown_at_sound = false;
        game.platform.on_sound = [&](const QString&) { shown_at_sound = !game.picture("welldone")->isHidden(); };
        game.click_tile(16);
        QVERIFY(shown_at_sound);
        QVERIFY(shows(game.picture("welldone"), game.folder.file("WELLDONE1.JPG")));
    }

    void aMoveRedrawsOnlyTheTwoTilesThatChanged()
    {
        Game game;
        game.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(game.form.get()));
        game.form->set_cells_for_testing(reversed_with_gap(16));
        QCoreApplication::processEvents();
        PaintCounter counter;
        for (int n = 1; n <= 16; ++n)
            game.tile(n)->installEventFilter(&counter);
        game.click_tile(12);
        QCoreApplication::processEvents();
        QCOMPARE(counter.paints.size(), std::size_t(2));
        QVERIFY(counter.paints.count(game.tile(12)) && counter.paints.count(game.tile(16)));
        // Every file is still read at every drawing: a picture changed on
        // disk shows at the next one.
        game.folder.write("004.JPG", game.folder.read("007.JPG"));
        game.form->PrikaziTablu16();
        QVERIFY(shows(game.tile(16), game.folder.file("007.JPG")));
        QVERIFY(shows(game.tile(12), game.folder.file("000.JPG")));
    }

    void aPlayersOwnPicturesShowAtTheirPixelSize()
    {
        // Pictures without a density, or at 72 or 96 dots per inch, show one
        // to one, whatever their size; the game's own show at half theirs.
        Game game;
        Cells cells = reversed_with_gap(16);  // cell 11 holds 5, cell 1 holds 15
        game.form->set_cells_for_testing(cells);
        QCOMPARE(game.tile(1)->size(), QSize(80, 80));
        QImage art(80, 80, QImage::Format_RGB32);
        art.fill(QColor(200, 40, 90));
        QByteArray jpeg;
        {
            QBuffer buffer(&jpeg);
            buffer.open(QIODevice::WriteOnly);
            QVERIFY(art.save(&buffer, "JPEG", 90));  // 72 dots per inch
        }
        QByteArray no_density = jpeg;
        no_density[13] = 0;  // units: an aspect ratio only
        no_density[15] = no_density[17] = 1;
        for (const QByteArray& bytes : {jpeg, no_density}) {
            game.folder.write("005.JPG", bytes);
            game.form->PrikaziTablu16();
            QCOMPARE(game.tile(11)->size(), QSize(80, 80));
            QVERIFY(shows(game.tile(11), game.folder.file("005.JPG")));
        }
        const QImage large = art.scaled(120, 120);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(large.save(&buffer, "JPEG", 90));
        game.folder.write("005.JPG", buffer.data());
        game.form->PrikaziTablu16();
        QCOMPARE(game.tile(11)->size(), QSize(120, 120));
    }

    void aPictureThatDoesNotDecodeLeavesItsControlAsItWas()
    {
        // Files of the right byte size: one whose frame header claims 7999 x
        // 7999 pixels, and one whose scan breaks off halfway. Neither takes
        // the logo's place, nor its size, nor any other control's picture.
        Game game;
        auto* logo = game.picture("kelvane");
        const QByteArray good = game.folder.read("KELVANE2.JPG");
        QByteArray huge = good;
        const qsizetype frame = huge.indexOf("\xFF\xC0") >= 0 ? huge.indexOf("\xFF\xC0") : huge.indexOf("\xFF\xC2");
        QVERIFY(frame > 0);
        huge[frame + 5] = huge[frame + 7] = char(0x1F);
        huge[frame + 6] = huge[frame + 8] = char(0x3F);
        QByteArray cut = good.left(good.size() / 2);
        cut.append(QByteArray(good.size() - cut.size(), '\0'));
        const QSize size = logo->size();
        for (const QByteArray& bytes : {huge, cut}) {
            game.folder.write("KELVANE2.JPG", bytes);
            game.move_over(logo);
            QCOMPARE(logo->size(), size);
            QVERIFY(shows(logo, game.folder.file("KELVANE1.JPG")));
            game.move_over_background();
        }
        // The same file mended shows at the next move of the pointer.
        game.folder.write("KELVANE2.JPG", good);
        game.move_over(logo);
        QVERIFY(shows(logo, game.folder.file("KELVANE2.JPG")));
    }

    void numbersAndNamesKeepAClearMarginAtEveryScale()
    {
        // The clear device columns left of the first and right of the last
        // inked column of a label drawn at `scale`.
        const auto margins = [](QWidget* label, qreal scale) {
            QImage image((QSizeF(label->size()) * scale).toSize(), QImage::Format_RGB32);
            image.setDevicePixelRatio(scale);
            label->render(&image);
            const QRgb ground = image.pixel(0, 0);
            int first = image.width(), last = -1;
            for (int x = 0; x < image.width(); ++x)
                for (int y = 0; y < image.height(); ++y) {
                    const QRgb p = image.pixel(x, y);
                    if (std::abs(qRed(p) - qRed(ground)) + std::abs(qGreen(p) - qGreen(ground))
                            + std::abs(qBlue(p) - qBlue(ground)) > 60) {
                        first = std::min(first, x);
                        last = std::max(last, x);
                    }
                }
            return std::pair{first, image.width() - 1 - last};
        };
        Game game(QByteArray("WWWWWW.9999.") + kDefaultFile.mid(11));
        auto* counter = game.control<QLabel>("Label2");
        for (const qreal scale : {1.0, 1.25, 1.5, 2.0}) {
            // Two pixels in whole device columns, and at least the names' own
            // margin on the left.
            const auto [name_left, name_right] = margins(game.control("prvo_mesto"), scale);
            const int clear = std::max(int(2 * scale), name_left);
            QVERIFY2(name_left >= int(2 * scale) && name_right >= int(2 * scale), qPrintable(QString::number(scale)));
            const auto [score_left, score_right] = margins(game.control("score_1"), scale);
            QVERIFY2(score_left >= clear && score_right >= clear,
                     qPrintable(QStringLiteral("9999 at %1: %2 | %3").arg(scale).arg(score_left).arg(score_right)));
            for (const char* count : {"7", "1080", "9999"}) {
                counter->setText(QLatin1String(count));
                const auto [left, right] = margins(counter, scale);
                QVERIFY2(left >= clear && right >= clear,
                         qPrintable(QStringLiteral("%1 at %2: %3 | %4").arg(count).arg(scale).arg(left).arg(right)));
            }
        }
    }

    void countStopsAtItsHighestValueButMovesGoOn()
    {
        Game game;
        game.form->set_cells_for_testing(reversed_with_gap(16));
        game.form->set_move_count_for_testing(32766);
        game.click_tile(12);
        game.click_tile(16);
        game.click_tile(15);
        QCOMPARE(game.form->move_count(), 32767);
        QCOMPARE(game.caption("Label2"), QStringLiteral("32767"));
        QCOMPARE(game.form->stores().shown_board[14], 0);
        QVERIFY(shows(game.tile(15), game.folder.file("000.JPG")));
        QCOMPARE(game.platform.sounds.size(), 3);
    }

    void newGameAfterFortyMoves()
    {
        Game game;
        game.form->set_cells_for_testing(reversed_with_gap(16));
        for (int i = 0; i < 40; ++i)
            game.click_tile(i % 2 == 0 ? 15 : 16);
        QCOMPARE(game.caption("Label2"), QStringLiteral("40"));
        game.picture("welldone")->show();
        game.platform.sounds.clear();

        game.move_over(game.picture("Image54"));
        QVERIFY(!game.picture("startover")->isHidden());
        game.click(game.picture("startover"));
        QCOMPARE(game.caption("Label2"), QStringLiteral("0"));
        QCOMPARE(game.form->move_count(), 0);
        QCOMPARE(game.platform.sounds, QStringList{"002.WAV"});
        QVERIFY(game.picture("welldone")->isHidden());
        QVERIFY(shows(game.picture("welldone"), game.folder.file("WELLDONE1.JPG")));
        const BoardStores& s = game.form->stores();
        QCOMPARE(s.cells[15], 0);
        QCOMPARE(s.shown_board, s.cells);
        QCOMPARE(std::vector<int>(s.cells.begin(), s.cells.end()), s.board);
        for (int k = 1; k <= 16; ++k) {
            QVERIFY(!game.tile(k)->isHidden());
            QVERIFY(shows(game.tile(k), game.folder.file(tile_name(s.shown_board[std::size_t(k - 1)]))));
        }
        game.click_tile(12);
        QCOMPARE(game.caption("Label2"), QStringLiteral("1"));
    }

    void startOverButtonLightsUnderThePointer()
    {
        Game game;
        auto* normal = game.picture("Image54");
        auto* lit = game.picture("startover");
        game.move_over(normal);
        QVERIFY(normal->isHidden());
        QVERIFY(!lit->isHidden());
        game.move_over(game.tile(11));  // an inner tile changes no look
        QVERIFY(!lit->isHidden());
        game.move_over(game.tile(16));
        QVERIFY(!normal->isHidden());
        QVERIFY(lit->isHidden());
        game.move_over(normal);
        game.move_over_background();
        QVERIFY(!normal->isHidden());
        QVERIFY(lit->isHidden());
        QVERIFY(game.platform.sounds.isEmpty());
    }

    void logoLightsAndOnlyTheRightColumnDarkensIt()
    {
        Game game;
        auto* logo = game.picture("kelvane");
        game.move_over(logo);
        QVERIFY(shows(logo, game.folder.file("KELVANE2.JPG")));
        game.move_over(game.tile(11));
        QVERIFY(shows(logo, game.folder.file("KELVANE2.JPG")));
        game.move_over(game.control("prvo_mesto"));
        QVERIFY(shows(logo, game.folder.file("KELVANE2.JPG")));
        game.move_over(game.tile(12));
        QVERIFY(shows(logo, game.folder.file("KELVANE1.JPG")));
        game.move_over(logo);
        game.move_over(game.tile(8));
        QVERIFY(shows(logo, game.folder.file("KELVANE1.JPG")));
        game.move_over(logo);
        game.move_over_background();
        QVERIFY(shows(logo, game.folder.file("KELVANE1.JPG")));
    }

    void backgroundMoveResetsTheHiddenOkToo()
    {
        Game game;
        auto* ok = game.picture("ok");
        game.move_over_background();
        QVERIFY(ok->isHidden());
        QVERIFY(shows(ok, game.folder.file("OK1.JPG")));
    }

    void aFailingHoverStopsAtItsStep()
    {
        Game game;
        auto* ok = game.picture("ok");
        auto* logo = game.picture("kelvane");
        game.move_over(logo);
        game.form->ok_MouseMove();  // ok shows its lit look
        game.folder.remove("KELVANE1.JPG");
        game.move_over(game.picture("Image54"));
        game.move_over_background();
        // Image54 came back before the failing load; the logo and ok stay as they were.
        QVERIFY(!game.picture("Image54")->isHidden());
        QVERIFY(shows(logo, game.folder.file("KELVANE2.JPG")));
        QVERIFY(shows(ok, game.folder.file("OK2.JPG")));
    }

    void logoClickOpensTheSiteAndPlayGoesOn()
    {
        Game game;
        game.click(game.picture("kelvane"));
        QCOMPARE(game.platform.opened, QList<QUrl>{home_page(game)});
        QVERIFY(game.form->isVisible());
        QVERIFY(game.platform.ended.empty());
        game.form->set_cells_for_testing(reversed_with_gap(16));
        game.click_tile(15);
        QCOMPARE(game.form->move_count(), 1);
    }

    void doubleClickCountsOnce()
    {
        Game game;
        auto* logo = game.picture("kelvane");
        QTest::mouseDClick(logo, Qt::LeftButton, {}, logo->rect().center());
        QCOMPARE(game.platform.opened.size(), 1);
        game.move_over(game.picture("Image54"));
        auto* button = game.picture("startover");
        QTest::mouseDClick(button, Qt::LeftButton, {}, button->rect().center());
        QCOMPARE(game.platform.sounds, QStringList{"002.WAV"});
    }

    void closingOpensTheSiteAndEnds()
    {
        Game game;
        game.form->close();
        QCOMPARE(game.platform.opened, QList<QUrl>{home_page(game)});
        QCOMPARE(game.platform.ended, std::vector<int>{0});
        // The home page shipped in the game folder, which a browser can load.
        QVERIFY(QFileInfo(game.platform.opened[0].toLocalFile()).isFile());
    }
};

QTEST_MAIN(PlayTest)
#include "form1_play_test.moc"
