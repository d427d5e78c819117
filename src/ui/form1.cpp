// The window and its 44 controls in their design places and start states.
#include "form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "accessibility.h"
#include "core/look.h"
#include "design.h"
#include "name_box.h"
#include "name_entry.h"
#include "picture_control.h"
#include "platform/platform.h"
#include "ranking_table.h"
#include "text_label.h"
#include "window_icon.h"

namespace fifteen {

namespace {

const char* const kPlaceNames[kPlaces] = {"prvo_mesto", "drugo_mesto", "trece_mesto", "cetvrto_mesto",
                                          "peto_mesto", "sesto_mesto", "sedmo_mesto", "osmo_mesto",
                                          "deveto_mesto", "deseto_mesto"};

}  // namespace

Form1::Form1(Platform& platform, QWidget* parent) : QWidget(parent), platform_(platform)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Fifteen"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(look::kWindowWidth, look::kWindowHeight);
    setWindowIcon(window_icon());
    // The board takes the keys when nothing else has them, and gets them
    // back by Tab or a click on the background.
    setFocusPolicy(Qt::StrongFocus);
    setCursor(design_cursor(QStringLiteral("cursor.xpm"), {0, 0}, devicePixelRatioF()));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Every text in the game is in its one font: the window's, which its
    // controls inherit, and the application's, in which the name box lays out
    // its first, empty line. The desktop's default font is never loaded.
    QApplication::setFont(window_font(look::kTextPixels));
    setFont(window_font(look::kTextPixels));
    background_ = design_jpeg(QStringLiteral("background.jpg"));
    install_accessibility();
    build_controls();
    table_ = std::make_unique<RankingTable>(place_names, place_scores, platform_);
    describe_controls();
    // Centred on the screen, but never above or left of its free area, so
    // that the title bar stays on the screen even when the window is taller.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect free = screen->availableGeometry();
        const QPoint centred = free.center() - QPoint(look::kWindowWidth / 2, look::kWindowHeight / 2);
        move(std::max(centred.x(), free.left()), std::max(centred.y(), free.top()));
    }
}

Form1::~Form1() = default;

void Form1::build_controls()
{
    // Creation order is stacking order: the name box and OK lie above the
    // name-entry panel, and the box above every picture.
    const JpegPicture tile = design_jpeg(QStringLiteral("tile.jpg"));
    for (int n = 1; n <= kCellCount; ++n) {
        auto* image = new PictureControl(QStringLiteral("Image%1").arg(n), this);
        image->move(look::kColumnLeft[std::size_t((n - 1) % 4)], look::kRowTop[std::size_t((n - 1) / 4)]);
        image->show_picture(tile);
        on_click_and_press(image, [this, n] { Image_Click(n); });
        if (n == 8 || n == 12 || n == 16)
            connect(image, &PictureControl::mouse_moved, this, &Form1::right_column_MouseMove);
        Image[std::size_t(n - 1)] = image;
    }

    auto picture = [this](const char* name, look::Point at, const char* design, bool visible) {
        auto* control = new PictureControl(QLatin1String(name), this);
        control->move(at.x, at.y);
        control->show_picture(design_jpeg(QLatin1String(design)));
        control->setVisible(visible);
        return control;
    };
    Image54 = picture("Image54", look::kStartOverNormal, "startover_normal.jpg", true);
    startover = picture("startover", look::kStartOverLit, "startover_lit.jpg", false);
    // The hand over START OVER, plain or lit.
    const QCursor hand = design_cursor(QStringLiteral("startover_cursor.xpm"), {7, 1}, devicePixelRatioF());
    Image54->setCursor(hand);
    startover->setCursor(hand);
    kelvane = picture("kelvane", look::kLogo, "logo.jpg", true);
    welldone = picture("welldone", {look::kWellDone.x, look::kWellDone.y}, "welldone.jpg", false);
    connect(Image54, &PictureControl::mouse_moved, this, &Form1::Image54_MouseMove);
    // The plain button takes no click (the pointer lights it first); a
    // screen reader's press on it is a press of the button that shows.
    Image54->set_press([this] { start_over_key(); });
    on_click_and_press(startover, [this] { startover_Click(); });
    on_click_and_press(kelvane, [this] { kelvane_Click(); });
    connect(kelvane, &PictureControl::mouse_moved, this, &Form1::kelvane_MouseMove);

    const QColor window_text = palette().color(QPalette::WindowText);
    Label2 = new TextLabel(QStringLiteral("Label2"), look::as<QRect>(look::kMoveCounter), look::as<QColor>(look::kTeal),
                           window_text, look::kTextPixels, Qt::AlignRight, this);
    Label2->setText(QStringLiteral("0"));
    for (std::size_t p = 0; p < kPlaces; ++p) {
        const int top = look::kPlaceTop + look::kPlacePitch * int(p);
        place_names[p] = new TextLabel(QLatin1String(kPlaceNames[p]), {look::kNameLeft, top, look::kNameWidth, look::kPlaceHeight},
                                       look::as<QColor>(look::kGold), look::as<QColor>(look::kGreen), look::kTextPixels, Qt::AlignLeft, this);
        place_scores[p] = new TextLabel(QStringLiteral("score_%1").arg(p + 1),
                                        {look::kScoreLeft, top, look::kScoreWidth, look::kPlaceHeight},
                                        look::as<QColor>(look::kLime), look::as<QColor>(look::kGreen), look::kScorePixels, Qt::AlignRight, this);
    }

    name_entry_ = new NameEntry(this, design_jpeg(QStringLiteral("name_panel.jpg")), design_jpeg(QStringLiteral("ok.jpg")));
    PictureControl* ok = name_entry_->ok();
    // A click on OK confirms the name, which the next move of the pointer
    // records; Enter in the box and a screen reader's press do both at once.
    connect(ok, &PictureControl::clicked, this, [this, ok] { act(ok, [this] { ok_Click(); }); });
    ok->set_press([this] { enter_name_key(); });
    connect(name_entry_->box(), &QLineEdit::returnPressed, this, &Form1::enter_name_key);
    connect(ok, &PictureControl::mouse_moved, this, &Form1::ok_MouseMove);
}

PictureControl* Form1::start_over_button() const
{
    return startover->isHidden() ? Image54 : startover;
}

void Form1::describe_controls()
{
    // For screen readers: every picture says what it is; those that can be
    // clicked offer the click as their press action (set with the click).
    for (int n = 1; n <= kCellCount; ++n) {
        PictureControl* image = Image[std::size_t(n - 1)];
        image->set_accessible(QAccessible::Button, QStringLiteral("gap"));
        image->setAccessibleDescription(QStringLiteral("row %1, column %2").arg((n - 1) / 4 + 1).arg((n - 1) % 4 + 1));
    }
    Image54->set_accessible(QAccessible::Button, QStringLiteral("Start over"));
    startover->set_accessible(QAccessible::Button, QStringLiteral("Start over"));
    kelvane->set_accessible(QAccessible::Link, QStringLiteral("kelvane games home page"));
    name_entry_->ok()->set_accessible(QAccessible::Button, QStringLiteral("OK"));
    name_entry_->panel()->set_accessible(QAccessible::Graphic, QStringLiteral("Enter your name"));
    welldone->set_accessible(QAccessible::Graphic, QString());
    name_entry_->box()->setAccessibleName(QStringLiteral("Your name"));

    Label2->set_spoken([this] { return QStringLiteral("Moves: ") + Label2->text(); });
    // A label with a name of its own is not told of at each new text by Qt:
    // the count is told with the rest of a move, after its frame
    // (show_count). What a reader reads is still the spoken text.
    Label2->setAccessibleName(QStringLiteral("Moves"));
    for (std::size_t p = 0; p < kPlaces; ++p) {
        place_names[p]->set_spoken([this, p] {
            const QString name = place_names[p]->text(), score = place_scores[p]->text();
            if (name.isEmpty() && score.isEmpty())
                return QStringLiteral("%1, empty").arg(p + 1);
            return QStringLiteral("%1, %2, %3 moves").arg(p + 1).arg(name, score);
        });
        place_scores[p]->set_silent();  // read with its place's name
    }
}

void Form1::mouseMoveEvent(QMouseEvent*)
{
    // Only moves over the bare background arrive here: every control keeps
    // its own moves to itself.
    Form_MouseMove();
}

void Form1::closeEvent(QCloseEvent* event)
{
    Form_QueryUnload();
    event->accept();
}

void Form1::set_cells_for_testing(const Cells& cells)
{
    stores_.cells = cells;
    stores_.create_board();
    stores_.rebuild_board();
    stores_.copy_to_shown();
    PrikaziTablu16();
}

}  // namespace fifteen
