#include "graphics_skin.h"

#include <QColor>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>

#include <algorithm>
#include <cmath>

namespace bench {

namespace {

const char* const kTitles[] = {
    "Harbour Lights (Extended Mix)",
    "Northbound",
    "Salt & Static",
    "Low Tide Dub",
    "Glass Coast - Original Mix",
    "Undertow",
    "Meridian",
    "Breakwater (Radio Edit)",
    "Kelp Forest",
    "Neon Pier",
    "Riptide VIP",
    "Slow Current",
};
const char* const kArtists[] = {"Ada Marsh",  "The Soundings", "Pelagic",
                                "Juno Reyes", "Fathom & Co",   "Mira Kade"};
const char* const kLabels[] = {"PLAY", "CUE",  "SYNC", "LOOP", "IN",   "OUT",  "FX 1", "FX 2",
                               "HOT",  "ROLL", "SLIP", "KEY",  "LOAD", "BEAT", "REC",  "SHIFT"};

QFont Font(int pixels, bool bold = false) {
    QFont font(bold ? "Liberation Sans" : "Liberation Sans");
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

/// A raised panel: a vertical gradient in a rounded rectangle, a light top edge and a dark
/// outline.
void Panel(QPainter& p, const QRectF& r, QColor top, QColor bottom, qreal radius = 6) {
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    p.fillPath(path, fill);
    p.setPen(QPen(QColor(8, 10, 12), 1));
    p.drawPath(path);
    p.setPen(QPen(top.lighter(140), 1));
    p.drawLine(r.topLeft() + QPointF(radius, 1), r.topRight() + QPointF(-radius, 1));
}

void Knob(QPainter& p, QPointF centre, qreal radius, qreal angle, QColor accent) {
    QRadialGradient body(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    body.setColorAt(0, QColor(120, 126, 134));
    body.setColorAt(1, QColor(30, 33, 38));
    p.setPen(QPen(QColor(6, 7, 9), 1.5));
    p.setBrush(body);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(accent, std::max<qreal>(2, radius / 8), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(std::sin(angle), -std::cos(angle)) * radius * 0.85);
    p.setBrush(Qt::NoBrush);
}

void Button(QPainter& p, const QRectF& r, const QString& label, int state) {
    const QColor tops[] = {QColor(58, 64, 72), QColor(74, 82, 92), QColor(0, 150, 190),
                           QColor(44, 46, 50)};
    const QColor bottoms[] = {QColor(36, 40, 46), QColor(46, 52, 60), QColor(0, 96, 128),
                              QColor(34, 36, 38)};
    Panel(p, r, tops[state], bottoms[state], 4);
    p.setPen(state == 3 ? QColor(96, 98, 102) : QColor(230, 236, 242));
    p.setFont(Font(static_cast<int>(r.height() * 0.42), true));
    p.drawText(r, Qt::AlignCenter, label);
}

void Deck(QPainter& p, const QRectF& r, int index) {
    Panel(p, r, QColor(44, 50, 58), QColor(26, 30, 35), 8);
    const qreal x = r.left() + 16;
    p.setPen(QColor(216, 222, 230));
    p.setFont(Font(20, true));
    p.drawText(QPointF(x, r.top() + 34), kTitles[index * 5 % 12]);
    p.setPen(QColor(140, 150, 162));
    p.setFont(Font(15));
    p.drawText(QPointF(x, r.top() + 56), kArtists[index * 3 % 6]);
    p.setPen(QColor(0, 190, 220));
    p.setFont(Font(34, true));
    p.drawText(QRectF(r.right() - 190, r.top() + 10, 170, 48), Qt::AlignRight | Qt::AlignVCenter,
               index == 0 ? "128.00" : "126.40");

    // The waveform: bars whose heights follow a sum of sines.
    const QRectF wave(x, r.top() + 72, r.width() - 32, 96);
    p.fillRect(wave, QColor(8, 10, 12));
    for (int i = 0; i < static_cast<int>(wave.width()); i += 2) {
        const double t = i * 0.037 + index;
        const double h = (0.45 + 0.3 * std::sin(t) * std::sin(t * 0.23) + 0.2 * std::sin(t * 3.1)) *
                         wave.height() / 2;
        const QColor c = i < wave.width() * 0.4 ? QColor(0, 170, 210) : QColor(70, 90, 110);
        p.fillRect(QRectF(wave.left() + i, wave.center().y() - h, 1.5, 2 * h), c);
    }

    // The jog wheel.
    const QPointF jog(r.left() + r.width() * 0.32, r.top() + 300);
    QRadialGradient platter(jog, 118);
    platter.setColorAt(0, QColor(70, 76, 84));
    platter.setColorAt(0.8, QColor(24, 27, 31));
    platter.setColorAt(1, QColor(60, 66, 74));
    p.setPen(QPen(QColor(0, 150, 190), 3));
    p.setBrush(platter);
    p.drawEllipse(jog, 118, 118);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 48; ++i) {
        const double a = i * 3.14159265 / 24;
        p.setPen(QPen(QColor(90, 98, 108), 1));
        p.drawLine(jog + QPointF(std::sin(a), -std::cos(a)) * 96,
                   jog + QPointF(std::sin(a), -std::cos(a)) * 108);
    }

    // The pitch slider and its ticks.
    const QRectF track(r.right() - 70, r.top() + 190, 10, 230);
    p.fillRect(track, QColor(10, 12, 14));
    p.setPen(QColor(110, 118, 128));
    for (int i = 0; i <= 16; ++i) {
        const qreal y = track.top() + i * track.height() / 16;
        p.drawLine(QPointF(track.right() + 6, y), QPointF(track.right() + (i % 4 ? 12 : 20), y));
    }
    Panel(p, QRectF(track.left() - 16, track.top() + 96, 42, 22), QColor(180, 186, 194),
          QColor(110, 116, 124), 3);

    // Pads and transport buttons.
    const QColor pads[] = {QColor(220, 60, 60), QColor(240, 150, 30), QColor(230, 210, 40),
                           QColor(60, 200, 90)};
    for (int i = 0; i < 8; ++i) {
        const QRectF pad(r.left() + 16 + (i % 4) * 70, r.bottom() - 96 + (i / 4) * 42, 62, 34);
        Panel(p, pad, pads[i % 4], pads[i % 4].darker(220), 4);
        p.setPen(QColor(20, 20, 20));
        p.setFont(Font(13, true));
        p.drawText(pad, Qt::AlignCenter, QString::number(i + 1));
    }
    for (int i = 0; i < 4; ++i)
        Button(p, QRectF(r.left() + 320 + i * 86, r.bottom() - 54, 78, 38), kLabels[i],
               i == 0 ? 2 : 0);
}

void Mixer(QPainter& p, const QRectF& r) {
    Panel(p, r, QColor(40, 45, 52), QColor(22, 25, 29), 8);
    for (int channel = 0; channel < 4; ++channel) {
        const qreal cx = r.left() + (channel + 0.5) * r.width() / 4;
        for (int k = 0; k < 4; ++k)
            Knob(p, QPointF(cx, r.top() + 44 + k * 64), 20, -2.2 + channel * 0.9 + k * 0.7,
                 k == 0 ? QColor(230, 120, 30) : QColor(220, 226, 232));
        // The level meter: lit and unlit segments.
        for (int s = 0; s < 20; ++s) {
            const QColor lit = s < 13 ? QColor(40, 200, 80)
                                      : (s < 17 ? QColor(230, 200, 40) : QColor(230, 50, 40));
            const bool on = s < 8 + channel * 3;
            p.fillRect(QRectF(cx - 26, r.bottom() - 30 - s * 9, 8, 6), on ? lit : lit.darker(400));
        }
        const QRectF fader(cx + 2, r.bottom() - 210, 6, 180);
        p.fillRect(fader, QColor(8, 9, 11));
        Panel(p, QRectF(fader.left() - 14, fader.top() + 40 + channel * 25, 34, 18),
              QColor(200, 204, 210), QColor(120, 124, 130), 2);
    }
}

void Browser(QPainter& p, const QRectF& r) {
    Panel(p, r, QColor(30, 34, 40), QColor(24, 27, 32), 6);
    const qreal rowHeight = 24;
    const QRectF header(r.left() + 2, r.top() + 2, r.width() - 4, 28);
    QLinearGradient headerFill(header.topLeft(), header.bottomLeft());
    headerFill.setColorAt(0, QColor(62, 68, 76));
    headerFill.setColorAt(1, QColor(46, 50, 58));
    p.fillRect(header, headerFill);
    const char* const columns[] = {"#", "Title", "Artist", "BPM", "Key", "Time"};
    const qreal offsets[] = {0, 0.04, 0.46, 0.72, 0.82, 0.9};
    p.setFont(Font(14, true));
    p.setPen(QColor(200, 206, 214));
    for (int c = 0; c < 6; ++c)
        p.drawText(QPointF(header.left() + 10 + offsets[c] * header.width(), header.top() + 19),
                   columns[c]);
    p.setFont(Font(14));
    const int rows = static_cast<int>((r.height() - 34) / rowHeight);
    for (int i = 0; i < rows; ++i) {
        const QRectF row(r.left() + 2, header.bottom() + 2 + i * rowHeight, r.width() - 4,
                         rowHeight);
        p.fillRect(row,
                   i == 5 ? QColor(0, 96, 128) : (i % 2 ? QColor(34, 38, 44) : QColor(28, 31, 36)));
        p.setPen(i == 5 ? QColor(255, 255, 255) : QColor(190, 196, 204));
        const QString cells[] = {
            QString::number(i + 1),
            kTitles[(i * 7) % 12],
            kArtists[(i * 5) % 6],
            QString::number(118 + (i * 13) % 20) + ".00",
            QString::number(1 + (i * 5) % 12) + ((i % 2) ? "A" : "B"),
            QString::number(3 + i % 5) + ":" + QString::number(10 + (i * 17) % 50)};
        for (int c = 0; c < 6; ++c)
            p.drawText(QPointF(row.left() + 10 + offsets[c] * row.width(), row.top() + 17),
                       cells[c]);
    }
}

}  // namespace

QImage GraphicsSkin(int width, int skinHeight, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient background(0, 0, 0, skinHeight);
    background.setColorAt(0, QColor(28, 33, 40));
    background.setColorAt(1, QColor(14, 17, 21));
    p.fillRect(0, 0, width, skinHeight, background);

    // The top bar, the decks, the mixer between them and the browser below.
    const qreal w = width;
    Panel(p, QRectF(0, 0, w, 48), QColor(52, 58, 66), QColor(32, 36, 42), 0);
    p.setFont(Font(22, true));
    p.setPen(QColor(0, 190, 220));
    p.drawText(QRectF(0, 0, w, 48), Qt::AlignCenter, "TIDEWATER  PRO");
    p.setFont(Font(16));
    p.setPen(QColor(170, 178, 188));
    p.drawText(QRectF(16, 0, 300, 48), Qt::AlignLeft | Qt::AlignVCenter, "REC  00:42:17");
    p.drawText(QRectF(w - 316, 0, 300, 48), Qt::AlignRight | Qt::AlignVCenter, "CPU 12%  21:37");

    const qreal deckWidth = w * 0.38;
    const qreal deckHeight = skinHeight * 0.45;
    Deck(p, QRectF(12, 60, deckWidth, deckHeight), 0);
    Deck(p, QRectF(w - 12 - deckWidth, 60, deckWidth, deckHeight), 1);
    Mixer(p, QRectF(24 + deckWidth, 60, w - 48 - 2 * deckWidth, deckHeight));
    Browser(p, QRectF(12, 72 + deckHeight, w - 24, skinHeight - 84 - deckHeight));

    // The sprite area: a flat ground, rows of button states, then knob frames and handles.
    p.fillRect(0, skinHeight, width, height - skinHeight, QColor(255, 0, 255));
    const int buttonWidth = 96;
    const int buttonHeight = 36;
    int y = skinHeight;
    for (int state = 0; state < 4; ++state) {
        for (int i = 0; i * buttonWidth + buttonWidth <= width; ++i)
            Button(p, QRectF(i * buttonWidth + 1, y + 1, buttonWidth - 2, buttonHeight - 2),
                   kLabels[i % 16], state);
        y += buttonHeight;
    }
    const int frame = 56;
    for (int row = 0; y + frame <= height && row < 4; ++row, y += frame) {
        for (int i = 0; i * frame + frame <= width; ++i) {
            p.fillRect(i * frame, y, frame, frame, QColor(24, 27, 31));
            Knob(p, QPointF(i * frame + frame / 2.0, y + frame / 2.0), frame / 2.0 - 4,
                 -2.4 + 4.8 * i / (width / frame),
                 row % 2 ? QColor(230, 120, 30) : QColor(0, 190, 220));
        }
    }
    for (int i = 0; y + 30 <= height && i * 48 + 48 <= width; ++i)
        Panel(p, QRectF(i * 48 + 4, y + 4, 40, 22), QColor(180 + i % 3 * 20, 186, 194),
              QColor(110, 116, 124), 3);
    p.end();
    return image;
}

}  // namespace bench
