// Play by keyboard and what a screen reader is told.
#include <QAccessible>
#include <QAccessibleActionInterface>

#include "fixture.h"

using namespace fifteen;
using namespace fifteen::testing;

namespace {

void key(Game& game, Qt::Key k, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(game.form.get(), k, modifiers);
}

QAccessibleInterface* accessible(QWidget* w)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    if (!a)
        qFatal("no accessible interface for %s", qPrintable(w->objectName()));
    return a;
}

// A screen reader's press, and what it hears after the frame.
void press(QWidget* w)
{
    accessible(w)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
}

// Keys as the player types them: to whatever has the keyboard focus.
void type(const QString& text)
{
    QTest::keyClicks(nullptr, text);
}
void hit(Qt::Key k)
{
    QTest::keyClick(static_cast<QWidget*>(nullptr), k);
}

// What is drawn, with the name a screen reader has of it then, and where
// the focus goes, in the order they happen.
struct Watch final : QObject {
    QStringList seen;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            seen << QStringLiteral("drawn as ") + static_cast<QWidget*>(watched)->accessibleName();
        return false;
    }
};

// A started game in the active window.
void activate(Game& game)
{
    game.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(game.form.get()));
}

// An arrow through the focus moves a tile and counts it.
void expect_arrow_moves_a_tile(Game& game)
{
    game.form->set_cells_for_testing(reversed_with_gap(16));
    const int before = game.form->move_count();
    hit(Qt::Key_Down);
    QCOMPARE(game.form->move_count(), before + 1);
    QCOMPARE(game.form->stores().cells[15], 4);
}

}  // namespace

class KeysTest : public QObject {
    Q_OBJECT
private slots:
    void arrowsSlideTheTileThatTravelsThatWay()
    {
        Game game;
        // The gap in cell 6 (row 2, column 2): each arrow moves one neighbour.
        const std::pair<Qt::Key, int> arrows[] = {{Qt::Key_Left, 7}, {Qt::Key_Right, 5}, {Qt::Key_Up, 10}, {Qt::Key_Down, 2}};
        int moves = 0;
        for (const auto& [arrow, from] : arrows) {
            const Cells before = reversed_with_gap(6);
            game.form->set_cells_for_testing(before);
            key(game, arrow);
            const Cells& after = game.form->stores().cells;
            QCOMPARE(after[5], before[std::size_t(from - 1)]);
            QCOMPARE(after[std::size_t(from - 1)], 0);
            QCOMPARE(game.form->move_count(), ++moves);
            QCOMPARE(game.caption("Label2"), QString::number(moves));
            QVERIFY(shows(game.tile(6), game.folder.file(tile_name(after[5]))));
            QCOMPARE(game.platform.sounds.last(), QStringLiteral("001.WAV"));
        }
        // The gap in the bottom-right corner has no tile to its right or
        // below it, so Left and Up do nothing.
        game.form->set_cells_for_testing(reversed_with_gap(16));
        const auto sounds = game.platform.sounds.size();
        key(game, Qt::Key_Left);
        key(game, Qt::Key_Up);
        QCOMPARE(game.form->stores().cells, reversed_with_gap(16));
        QCOMPARE(game.form->move_count(), moves);
        QCOMPARE(game.platform.sounds.size(), sounds);
        // A key move that solves the board is a win like a click.
        game.form->set_cells_for_testing(kNearlySolved);
        key(game, Qt::Key_Left);
        QVERIFY(!game.picture("welldone")->isHidden());
    }

    void frozenBoardIgnoresArrowsAndNewGameKeys()
    {
        Game game;
        win(game, 98);
        const Cells cells = game.form->stores().cells;
        const auto sounds = game.platform.sounds;
        for (Qt::Key k : {Qt::Key_Down, Qt::Key_Right, Qt::Key_F2})
            key(game, k);
        key(game, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(game.form->stores().cells, cells);
        QCOMPARE(game.form->move_count(), 99);
        QCOMPARE(game.platform.sounds, sounds);

        // Thawed, F2 and Ctrl+N deal as the start-over button does.
        Game playing;
        playing.form->set_cells_for_testing(reversed_with_gap(16));
        key(playing, Qt::Key_F2);
        QCOMPARE(playing.platform.sounds, QStringList{"002.WAV"});
        QCOMPARE(playing.form->stores().cells[15], 0);
        key(playing, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(playing.platform.sounds, (QStringList{"002.WAV", "002.WAV"}));
    }

    void nameEntryByKeyboardGivesTheKeysBack()
    {
        Game game;
        activate(game);
        win(game, 98);
        auto* box = game.control<QLineEdit>("enter_name");
        QVERIFY(box->hasFocus());  // a win that ranks asks for the name

        // A refused name is wiped; arrows in the box move no tile.
        type("R2D2");
        hit(Qt::Key_Up);
        hit(Qt::Key_Return);
        QVERIFY(box->text().isEmpty());
        QCOMPARE(game.form->name_confirmed(), 0);
        QCOMPARE(game.form->move_count(), 99);

        // A valid name is recorded at once, and the board has the keys again.
        type("anna");
        hit(Qt::Key_Enter);
        QCOMPARE(game.caption("prvo_mesto"), QStringLiteral("ANNA"));
        QVERIFY(game.folder.read("HIGHSCORE.RES").startsWith("ANNA.99.TOMVAR.100."));
        QCOMPARE(game.form->name_confirmed(), 0);
        QCOMPARE(game.form->move_count(), 0);
        QVERIFY(box->isHidden());
        QVERIFY(game.tile(1)->isEnabled());
        QCOMPARE(game.platform.sounds.last(), QStringLiteral("002.WAV"));
        expect_arrow_moves_a_tile(game);
        hit(Qt::Key_F2);
        QCOMPARE(game.form->move_count(), 0);
    }

    void nameEntryByMouseGivesTheKeysBack()
    {
        Game game;
        activate(game);
        win(game, 98);
        auto* box = game.control<QLineEdit>("enter_name");
        box->setText("KEPT");  // the last winner's name
        // A click into the box selects the kept name: typing replaces it.
        game.click(box);
        QVERIFY(box->hasFocus());
        type("bob");
        QCOMPARE(box->text(), QStringLiteral("bob"));
        game.click(game.picture("ok"));
        game.move_over_background();
        QCOMPARE(game.caption("prvo_mesto"), QStringLiteral("BOB"));
        expect_arrow_moves_a_tile(game);
    }

    void lettersTypedDuringPlayStayOutOfTheBox()
    {
        Game game;
        activate(game);
        win(game, 98);
        type("anna");
        hit(Qt::Key_Return);
        QCOMPARE(game.caption("prvo_mesto"), QStringLiteral("ANNA"));

        // During play: letters, a correction and Enter.
        type("qq");
        hit(Qt::Key_Backspace);
        type("x");
        hit(Qt::Key_Return);
        QCOMPARE(game.form->name_confirmed(), 0);
        win(game, 9);
        auto* box = game.control<QLineEdit>("enter_name");
        QVERIFY(!box->isHidden());
        QCOMPARE(box->text(), QStringLiteral("ANNA"));
        QCOMPARE(game.form->name_confirmed(), 0);  // nothing recorded without being asked
        QCOMPARE(game.caption("drugo_mesto"), QStringLiteral("TOMVAR"));
    }

    void whatIsRecordedIsWhatPassedTheCheck()
    {
        Game game;
        activate(game);
        win(game, 98);
        auto* box = game.control<QLineEdit>("enter_name");
        game.click(box);
        type("anna");
        game.click(game.picture("ok"));
        QCOMPARE(game.form->name_confirmed(), 1);
        // The pointer keeps still; the player types on.
        type(".1");
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("ANNA"));
        game.move_over_background();
        QVERIFY(game.folder.read("HIGHSCORE.RES").startsWith("ANNA.99.TOMVAR.100."));
        QCOMPARE(game.caption("prvo_mesto"), QStringLiteral("ANNA"));
        // The next entry takes edits again.
        win(game, 9);
        game.click(box);
        type("cleo");
        QCOMPARE(box->text(), QStringLiteral("cleo"));
    }

    void hiddenOkTakesNoClickKeyOrPress()
    {
        Game game;
        auto* box = game.control<QLineEdit>("enter_name");
        box->setText("ANNA");
        press(game.picture("ok"));
        game.click(game.picture("ok"));
        box->setFocus();
        hit(Qt::Key_Return);
        QCOMPARE(game.form->name_confirmed(), 0);
        QCOMPARE(box->text(), QStringLiteral("ANNA"));
        // Shown, it answers.
        win(game, 98);
        press(game.picture("ok"));
        QCOMPARE(game.caption("prvo_mesto"), QStringLiteral("ANNA"));
    }

    void namesAreCapitalisedTheSameInEveryLanguage()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        Game game;
        win(game, 98);
        auto* box = game.control<QLineEdit>("enter_name");
        QTest::keyClicks(box, QStringLiteral("\u00C9mile"));
        game.click(game.picture("ok"));
        QVERIFY(box->text().isEmpty());  // an accented letter is still refused
        QTest::keyClicks(box, "kim");
        game.click(game.picture("ok"));
        QCOMPARE(box->text(), QStringLiteral("KIM"));
        game.move_over_background();
        QLocale::setDefault(before);
        QVERIFY(game.folder.read("HIGHSCORE.RES").startsWith("KIM.99."));
    }

    void tabGoesRoundTheStopsAndTheFocusFollowsThePlay()
    {
        Game game;
        activate(game);
        game.form->set_cells_for_testing(reversed_with_gap(16));
        QCoreApplication::processEvents();
        // Each change a reader hears of is a bus message: the tile's new
        // picture does not wait for them.
        Watch watch;
        game.tile(16)->installEventFilter(&watch);
        connect(qApp, &QApplication::focusChanged, &watch,
                [&](QWidget*, QWidget* now) { watch.seen << QStringLiteral("focus on ") + now->objectName(); });
        hit(Qt::Key_Down);  // the tile from cell 12 now stands in cell 16, with the focus
        QCOMPARE(watch.seen, (QStringList{"drawn as gap", "focus on Image16"}));
        QCOMPARE(QApplication::focusWidget(), game.tile(16));
        QCOMPARE(game.tile(16)->accessibleDescription(), QStringLiteral("row 4, column 4, 1 move"));
        QStringList round;
        for (int i = 0; i < 14; ++i) {
            hit(Qt::Key_Tab);
            round << QApplication::focusWidget()->objectName();
        }
        // START OVER shows its plain picture until the pointer lights it.
        QCOMPARE(round, (QStringList{"Image54", "kelvane", "prvo_mesto", "drugo_mesto", "trece_mesto", "cetvrto_mesto",
                                     "peto_mesto", "sesto_mesto", "sedmo_mesto", "osmo_mesto", "deveto_mesto",
                                     "deseto_mesto", "Image16", "Image54"}));
        // A win that ranks gives the box the focus; the entry joins the round.
        win(game, 98);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("enter_name"));
        hit(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("ok"));
    }

    void screenReadersFindNamedControlsWithPressActions()
    {
        Game game;
        game.form->set_cells_for_testing(reversed_with_gap(16));
        QCoreApplication::processEvents();
        // Cell 1 holds 15, cell 16 the gap.
        QAccessibleInterface* first = accessible(game.tile(1));
        QCOMPARE(first->role(), QAccessible::Button);
        QCOMPARE(first->text(QAccessible::Name), QStringLiteral("15"));
        QCOMPARE(first->text(QAccessible::Description), QStringLiteral("row 1, column 1"));
        QCOMPARE(accessible(game.tile(16))->text(QAccessible::Name), QStringLiteral("gap"));
        QCOMPARE(accessible(game.tile(16))->text(QAccessible::Description), QStringLiteral("row 4, column 4"));
        // The press action is the click: tile 12 slides down into the gap.
        press(game.tile(12));
        QCOMPARE(game.form->move_count(), 1);
        QCOMPARE(accessible(game.tile(12))->text(QAccessible::Name), QStringLiteral("gap"));
        QCOMPARE(accessible(game.tile(16))->text(QAccessible::Name), QStringLiteral("4"));

        QCOMPARE(accessible(game.picture("Image54"))->role(), QAccessible::Button);
        QCOMPARE(accessible(game.picture("Image54"))->text(QAccessible::Name), QStringLiteral("Start over"));
        press(game.picture("Image54"));
        QCOMPARE(game.form->move_count(), 0);
        QCOMPARE(game.platform.sounds.last(), QStringLiteral("002.WAV"));
        QCOMPARE(accessible(game.picture("kelvane"))->role(), QAccessible::Link);
        press(game.picture("kelvane"));
        QCOMPARE(game.platform.opened.size(), 1);
        QCOMPARE(accessible(game.picture("ok"))->role(), QAccessible::Button);
        QCOMPARE(accessible(game.control("enter_name"))->text(QAccessible::Name), QStringLiteral("Your name"));
        QCOMPARE(accessible(game.control("prvo_mesto"))->text(QAccessible::Name), QStringLiteral("1, TOMVAR, 100 moves"));
        QVERIFY(accessible(game.control("score_1"))->state().invisible);
        QCOMPARE(accessible(game.control("Label2"))->text(QAccessible::Name), QStringLiteral("Moves: 0"));

        // Every object the window offers has a name.
        QAccessibleInterface* window = accessible(game.form.get());
        for (int i = 0; i < window->childCount(); ++i) {
            QAccessibleInterface* child = window->child(i);
            QVERIFY2(child->state().invisible || !child->text(QAccessible::Name).isEmpty(),
                     qPrintable(child->object()->objectName()));
        }

        // The well-done picture reads as what it says; OK confirms and records.
        win(game, 98);
        QVERIFY(accessible(game.picture("welldone"))->text(QAccessible::Name).contains("new record"));
        QTest::keyClicks(game.control<QLineEdit>("enter_name"), "ann");
        press(game.picture("ok"));
        QCOMPARE(game.caption("prvo_mesto"), QStringLiteral("ANN"));
    }
};

QTEST_MAIN(KeysTest)
#include "form1_keys_test.moc"
