#include "art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <map>

namespace fifteen::datagen {

using namespace palette;

namespace {

QFont bold_font(int pixels)
{
    QFont font(look::as<QString>(look::kFontFamily));
    font.setBold(true);
    font.setPixelSize(pixels);
    return font;
}

int draw_scale = kDrawScale;

// A picture of w x h on the screen: twice as many pixels each way, painted in
// screen units, and marked with the density that shows it at w x h.
QImage canvas(int w, int h, const QColor& fill)
{
    QImage image(w * draw_scale, h * draw_scale, QImage::Format_RGB32);
    image.fill(fill);
    if (draw_scale == 1)
        return image;
    image.setDevicePixelRatio(draw_scale);
    const int dots_per_metre = qRound(96 * draw_scale / 0.0254);
    image.setDotsPerMeterX(dots_per_metre);
    image.setDotsPerMeterY(dots_per_metre);
    return image;
}

// The background as it lies under a picture at `at` on the screen, as that
// picture's canvas: the felt's stripes run on through its corners and edges.
// The background is drawn once for each scale.
QImage on_background(const look::Rect& at)
{
    static std::map<int, QImage> drawn;
    auto found = drawn.find(draw_scale);
    if (found == drawn.end())
        found = drawn.emplace(draw_scale, background()).first;
    QImage image = found->second.copy(at.x * draw_scale, at.y * draw_scale, at.width * draw_scale, at.height * draw_scale);
    image.setDevicePixelRatio(found->second.devicePixelRatio());
    image.setDotsPerMeterX(found->second.dotsPerMeterX());
    image.setDotsPerMeterY(found->second.dotsPerMeterY());
    return image;
}

void text_with_shadow(QPainter& p, const QRectF& r, const QString& text, const QColor& colour,
                      const QColor& shadow, qreal offset = 1.5)
{
    p.setPen(shadow);
    p.drawText(r.translated(offset, offset), Qt::AlignCenter, text);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

// A raised, rounded button face with a gradient and a thin rim.
void button_face(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom, const QColor& rim,
                 qreal radius)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, top);
    g.setColorAt(1.0, bottom);
    p.setPen(QPen(rim, 1.2));
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
}

void star(QPainter& p, QPointF centre, qreal outer, const QColor& colour)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? outer : outer * 0.45;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    p.setPen(QPen(green, 1));
    p.setBrush(colour);
    p.drawPath(path);
}

QImage sixteen_colours(const QImage& argb)
{
    // The palette's colours and the shades of the pointers' edges.
    QList<QRgb> table{qRgba(0, 0, 0, 0),    qRgb(0, 0, 0),        green.rgb(),          deep.rgb(),
                      gold.rgb(),           cream.rgb(),          teal.rgb(),           qRgb(255, 255, 255),
                      qRgb(160, 128, 16),   qRgb(245, 214, 80),   qRgb(30, 120, 120),   qRgb(128, 128, 128),
                      lime.rgb(),           qRgb(90, 70, 10),     qRgb(200, 200, 200),  qRgb(64, 64, 64)};
    QImage indexed = argb.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither | Qt::ThresholdAlphaDither);
    indexed.setColorCount(16);
    return indexed;
}

}  // namespace

DrawScale::DrawScale(int scale) : saved_(draw_scale)
{
    draw_scale = scale;
}

DrawScale::~DrawScale()
{
    draw_scale = saved_;
}

QImage background()
{
    // One row short of the window: below it the window shows its own colour.
    constexpr int kWidth = look::kWindowWidth, kHeight = look::kWindowHeight - 1;
    QImage image = canvas(kWidth, kHeight, deep);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0.0, felt);
    sky.setColorAt(1.0, QColor(11, 33, 28));
    p.fillRect(QRectF(QPointF(0, 0), image.deviceIndependentSize()), sky);

    // A faint lattice gives the felt some grain.
    p.setPen(QPen(QColor(255, 255, 255, 10), 1));
    for (int x = -kHeight; x < kWidth; x += 12)
        p.drawLine(x, 0, x + kHeight, kHeight);

    // Title.
    p.setFont(bold_font(38));
    text_with_shadow(p, look::as<QRectF>(look::kTitle), QStringLiteral("FIFTEEN"), gold, deep, 2.5);

    // The board's tray.
    p.setPen(QPen(gold, 2));
    p.setBrush(sunken);
    p.drawRoundedRect(look::as<QRectF>(look::kTray), 7, 7);

    // The ranking panel with its heading and place numbers.
    p.setPen(QPen(teal, 1.5));
    p.setBrush(QColor(9, 30, 25, 220));
    // Its bottom border runs a row and a half below the last place's bars,
    // so that a clear row parts them at every scale.
    QRectF panel = look::as<QRectF>(look::kTablePanel);
    const int last_row_bottom = look::kPlaceTop + 9 * look::kPlacePitch + look::kPlaceHeight;
    panel.setBottom(last_row_bottom + 1.5 + 0.75);  // the pen is 1.5 wide
    p.drawRoundedRect(panel, 6, 6);
    p.setFont(bold_font(14));
    text_with_shadow(p, QRectF(panel.left(), panel.top() + 4, panel.width(), 20), QStringLiteral("BEST TEN"), teal, deep,
                     1.0);
    p.setFont(bold_font(11));
    p.setPen(cream);
    for (int place = 1; place <= 10; ++place)
        p.drawText(QRectF(look::kPlaceNumberLeft, look::kPlaceTop + look::kPlacePitch * (place - 1),
                          look::kPlaceNumberWidth, look::kPlaceHeight),
                   Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(place) + QLatin1Char('.'));

    // A soft light where the well-done picture appears.
    const QPointF well_done = look::as<QRectF>(look::kWellDone).center();
    QRadialGradient glow(well_done, 80);
    glow.setColorAt(0.0, with_alpha(teal, 40));
    glow.setColorAt(1.0, with_alpha(teal, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(well_done, 80, 80);

    // The bottom strip: the move count's caption next to its box.
    p.setPen(QPen(with_alpha(teal, 120), 1));
    p.drawLine(QPointF(0, 389.5), QPointF(kWidth, 389.5));
    p.setFont(bold_font(13));
    p.setPen(teal);
    const look::Rect counter = look::kMoveCounter;
    p.drawText(QRectF(counter.x - 104, counter.y, 100, counter.height), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("MOVES"));
    return image;
}

QImage tile(int value)
{
    // Every length of a tile follows its side.
    constexpr qreal side = look::kTileSide;
    QImage image = canvas(look::kTileSide, look::kTileSide, sunken);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (value == 0) {
        // The gap: an empty, sunken cell.
        QRadialGradient hollow(QPointF(side / 2, side / 2), 56);
        hollow.setColorAt(0.0, QColor(16, 46, 39));
        hollow.setColorAt(1.0, QColor(5, 16, 13));
        p.setPen(QPen(with_alpha(teal, 70), 1));
        p.setBrush(hollow);
        p.drawRoundedRect(QRectF(2.5, 2.5, side - 5, side - 5), 6, 6);
        return image;
    }
    QLinearGradient face(0, 0, side, side);
    face.setColorAt(0.0, QColor(248, 222, 104));
    face.setColorAt(0.55, gold);
    face.setColorAt(1.0, QColor(186, 148, 18));
    p.setPen(QPen(QColor(120, 92, 8), 1.5));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(1.5, 1.5, side - 3, side - 3), 7, 7);
    p.setPen(QPen(QColor(255, 246, 200, 180), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5, 5, side - 10, side - 10), 5, 5);
    if (value > 0 && value <= 15) {
        p.setFont(bold_font(value >= 10 ? 40 : 46));
        text_with_shadow(p, QRectF(0, 0, side, side), QString::number(value), green, QColor(255, 240, 170), -1.5);
    }
    return image;
}

QImage tile_design()
{
    return tile(-1);
}

QImage startover(bool lit)
{
    const look::Point at = lit ? look::kStartOverLit : look::kStartOverNormal;
    QImage image = on_background({at.x, at.y, 206, 35});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (lit)
        button_face(p, QRectF(2.5, 2.5, 201, 30), QColor(252, 226, 110), gold, QColor(255, 250, 220), 8);
    else
        button_face(p, QRectF(2.5, 2.5, 201, 30), QColor(88, 214, 214), QColor(32, 140, 140), green, 8);
    // A circular arrow: deal again.
    p.setPen(QPen(green, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(14, 9, 17, 17), 60 * 16, 290 * 16);
    QPainterPath head;
    head.moveTo(28.5, 5.5);
    head.lineTo(33, 12.5);
    head.lineTo(25, 12.5);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawPath(head);
    p.setFont(bold_font(17));
    text_with_shadow(p, QRectF(30, 2, 176, 31), QStringLiteral("START OVER"), green,
                     lit ? QColor(255, 250, 220) : QColor(150, 235, 235), 1.0);
    return image;
}

QImage logo(bool lit)
{
    QImage image = on_background({look::kLogo.x, look::kLogo.y, 105, 29});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = lit ? QColor(255, 226, 90) : teal;
    // The maker's mark: a diamond of four small squares, then the name.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i == 3 ? (lit ? cream : QColor(30, 120, 120)) : ink);
        const qreal x = 6 + (i % 2) * 9;
        const qreal y = 5 + (i / 2) * 9;
        p.drawRoundedRect(QRectF(x, y, 8, 8), 1.5, 1.5);
    }
    p.setFont(bold_font(15));
    p.setPen(ink);
    p.drawText(QRectF(26, 0, 79, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("kelvane"));
    p.setFont(bold_font(7));
    p.setPen(lit ? cream : QColor(120, 170, 160));
    p.drawText(QRectF(27, 19, 78, 9), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("GAMES"));
    return image;
}

QImage ok_button(bool lit)
{
    QImage image = canvas(31, 16, green);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (lit)
        button_face(p, QRectF(0.5, 0.5, 30, 15), QColor(252, 226, 110), gold, cream, 4);
    else
        button_face(p, QRectF(0.5, 0.5, 30, 15), QColor(88, 214, 214), QColor(32, 140, 140), deep, 4);
    p.setFont(bold_font(11));
    p.setPen(green);
    p.drawText(QRectF(0, 0, 31, 16), Qt::AlignCenter, QStringLiteral("OK"));
    return image;
}

QImage name_panel()
{
    QImage image = on_background({look::kNamePanel.x, look::kNamePanel.y, 132, 47});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(gold, 1.5));
    p.setBrush(green);
    p.drawRoundedRect(QRectF(1, 1, 130, 45), 5, 5);
    p.setFont(bold_font(11));
    p.setPen(gold);
    p.drawText(QRectF(0, 3, 132, 16), Qt::AlignCenter, QStringLiteral("ENTER YOUR NAME"));
    return image;
}

QImage welldone(bool record)
{
    QImage image = on_background(look::kWellDone);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient panel(0, 0, 0, 170);
    panel.setColorAt(0.0, QColor(30, 84, 72));
    panel.setColorAt(1.0, green);
    p.setPen(QPen(record ? gold : teal, 2));
    p.setBrush(panel);
    p.drawRoundedRect(QRectF(1.5, 1.5, 129, 167), 8, 8);

    star(p, QPointF(66, 36), 24, gold);
    star(p, QPointF(28, 44), 11, record ? lime : teal);
    star(p, QPointF(104, 44), 11, record ? lime : teal);

    p.setFont(bold_font(21));
    text_with_shadow(p, QRectF(0, 66, 132, 26), QStringLiteral("WELL"), cream, deep);
    text_with_shadow(p, QRectF(0, 90, 132, 26), QStringLiteral("DONE!"), cream, deep);
    p.setFont(bold_font(12));
    if (record) {
        p.setPen(gold);
        p.drawText(QRectF(0, 120, 132, 16), Qt::AlignCenter, QStringLiteral("A NEW RECORD!"));
        p.setPen(cream);
        p.setFont(bold_font(10));
        p.drawText(QRectF(0, 138, 132, 14), Qt::AlignCenter, QStringLiteral("Type your name below"));
        p.setPen(Qt::NoPen);
        p.setBrush(gold);
        QPainterPath arrow;
        arrow.moveTo(60, 154);
        arrow.lineTo(72, 154);
        arrow.lineTo(66, 164);
        arrow.closeSubpath();
        p.drawPath(arrow);
    } else {
        p.setPen(teal);
        p.drawText(QRectF(0, 122, 132, 16), Qt::AlignCenter, QStringLiteral("PUZZLE SOLVED"));
        p.setPen(cream);
        p.setFont(bold_font(10));
        p.drawText(QRectF(0, 140, 132, 14), Qt::AlignCenter, QStringLiteral("Fewer moves next time"));
        p.drawText(QRectF(0, 152, 132, 14), Qt::AlignCenter, QStringLiteral("to reach the best ten"));
    }
    return image;
}

QImage icon(int size)
{
    // Drawn on the 32-pixel grid of the window icon and scaled, so that every
    // size shows the same art; the larger ones have a clear background.
    QImage image(size, size, size == 32 ? QImage::Format_RGB888 : QImage::Format_ARGB32_Premultiplied);
    image.fill(size == 32 ? deep : QColor(Qt::transparent));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 32.0, size / 32.0);
    if (size != 32) {
        p.setPen(Qt::NoPen);
        p.setBrush(deep);
        p.drawRoundedRect(QRectF(0, 0, 32, 32), 3, 3);
    }
    const QRectF cells[] = {{1, 1, 14, 14}, {17, 1, 14, 14}, {1, 17, 14, 14}};
    p.setPen(QPen(QColor(120, 92, 8), 1));
    p.setBrush(gold);
    for (const QRectF& r : cells)
        p.drawRoundedRect(r, 2.5, 2.5);
    p.setFont(bold_font(11));
    p.setPen(green);
    p.drawText(cells[0], Qt::AlignCenter, QStringLiteral("1"));
    p.drawText(cells[1], Qt::AlignCenter, QStringLiteral("5"));
    p.drawText(cells[2], Qt::AlignCenter, QStringLiteral("9"));
    return image;
}

QImage pointer_cursor()
{
    QImage image(32 * kDrawScale, 32 * kDrawScale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(kDrawScale, kDrawScale);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(0.5, 0.5);
    arrow.lineTo(0.5, 18);
    arrow.lineTo(5, 14);
    arrow.lineTo(8.5, 21.5);
    arrow.lineTo(11.5, 20);
    arrow.lineTo(8, 13);
    arrow.lineTo(13.5, 13);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(gold);
    p.drawPath(arrow);
    p.end();
    return sixteen_colours(image);
}

QImage hand_cursor()
{
    QImage image(32 * kDrawScale, 32 * kDrawScale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(kDrawScale, kDrawScale);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(5.5, 0.5, 4, 13), 2, 2);   // the pointing finger
    hand.addRoundedRect(QRectF(9.5, 6.5, 4, 8), 2, 2);
    hand.addRoundedRect(QRectF(13.5, 7.5, 4, 7), 2, 2);
    hand.addRoundedRect(QRectF(17.5, 8.5, 3.5, 6), 1.7, 1.7);
    hand.addRoundedRect(QRectF(3.5, 11.5, 17.5, 10), 3, 3);  // the palm
    hand.setFillRule(Qt::WindingFill);
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(cream);
    p.drawPath(hand.simplified());
    p.end();
    return sixteen_colours(image);
}

}  // namespace fifteen::datagen
