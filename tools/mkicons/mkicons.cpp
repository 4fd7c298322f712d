// Build: g++ -std=c++17 -fPIC tools/mkicons/mkicons.cpp $(pkg-config --cflags --libs Qt5Gui) -o /tmp/mkicons ; run: QT_QPA_PLATFORM=offscreen /tmp/mkicons resources
//
// Draws the toolbar/menu icon set (48x48 PNG) and the application icon
// (AppAdj.ico with 16, 32 and 48 px images). Everything is drawn on a
// 48-unit grid and scaled, so all icons share line widths and palette.
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QVector>
#include <QtMath>

#include <cstdio>
#include <functional>

namespace {

// Palette (blue family of the app style sheets plus a few accents).
const QColor kBlue(0, 85, 255);
const QColor kBlueDark(0, 45, 150);
const QColor kBlueLight(200, 220, 255);
const QColor kAppBlue(85, 85, 255);
const QColor kLcd(170, 254, 0);
const QColor kInk(40, 48, 64);
const QColor kGrey(120, 130, 145);
const QColor kGreyLight(225, 229, 235);
const QColor kWhite(255, 255, 255);
const QColor kGreen(30, 165, 70);
const QColor kGreenDark(15, 110, 45);
const QColor kOrange(255, 140, 26);
const QColor kOrangeDark(190, 90, 0);
const QColor kYellow(255, 200, 40);
const QColor kYellowDark(200, 140, 0);
const QColor kRed(222, 41, 16);
const QColor kRedDark(150, 20, 5);

const qreal kLine = 2.0;  // outline width on the 48 grid

QPen pen(const QColor &c, qreal w = kLine)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void shape(QPainter &p, const QPainterPath &path, const QColor &fill, const QColor &line,
           qreal w = kLine)
{
    p.setPen(pen(line, w));
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath roundRect(const QRectF &r, qreal rad)
{
    QPainterPath path;
    path.addRoundedRect(r, rad, rad);
    return path;
}

// Walkie-talkie in a box (x, y, w, h) on the 48 grid; antenna included in h.
void walkieTalkie(QPainter &p, const QRectF &box, const QColor &body, const QColor &line,
                  const QColor &lcd, int grille = 4)
{
    // designed 22 wide and 44 high; wider boxes make a stouter radio
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 22.0, box.height() / 44.0);
    // antenna
    p.setPen(pen(line));
    p.setBrush(kInk);
    p.drawPath(roundRect(QRectF(3, 0, 5, 14), 2.5));
    // knob
    p.setBrush(kGrey);
    p.drawPath(roundRect(QRectF(14, 6, 5, 8), 1.5));
    // body
    shape(p, roundRect(QRectF(1, 12, 20, 31), 4), body, line);
    // display
    shape(p, roundRect(QRectF(4.5, 16, 13, 8), 1.5), lcd, line, 1.5);
    // speaker grille
    p.setPen(pen(kWhite, grille > 2 ? 2.0 : 3.0));
    for (int i = 0; i < grille; ++i) {
        const qreal y = 28.5 + i * 11.4 / (grille - 1);
        p.drawLine(QPointF(6, y), QPointF(16, y));
    }
    p.restore();
}

// Desktop monitor in a box on the 48 grid.
void monitor(QPainter &p, const QRectF &r)
{
    const qreal standH = r.height() * 0.22;
    const QRectF screen(r.left(), r.top(), r.width(), r.height() - standH);
    p.setPen(pen(kInk));
    p.setBrush(kGrey);
    const qreal cx = r.center().x();
    QPolygonF stand;
    stand << QPointF(cx - 3, screen.bottom()) << QPointF(cx + 3, screen.bottom())
          << QPointF(cx + 6, r.bottom()) << QPointF(cx - 6, r.bottom());
    p.drawPolygon(stand);
    shape(p, roundRect(screen, 2.5), kInk, kInk);
    QLinearGradient g(screen.topLeft(), screen.bottomRight());
    g.setColorAt(0, QColor(120, 170, 255));
    g.setColorAt(1, kBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(screen.adjusted(2.5, 2.5, -2.5, -2.5), 1, 1);
}

// Fat arrow pointing up (dir = -1) or down (dir = +1), centred at cx.
void fatArrow(QPainter &p, qreal cx, qreal top, qreal bottom, int dir, const QColor &fill,
              const QColor &line)
{
    const qreal head = 9, shaft = 5.0, len = bottom - top, headLen = len * 0.5;
    QPolygonF a;
    if (dir > 0) {
        a << QPointF(cx - shaft, top) << QPointF(cx + shaft, top)
          << QPointF(cx + shaft, bottom - headLen) << QPointF(cx + head, bottom - headLen)
          << QPointF(cx, bottom) << QPointF(cx - head, bottom - headLen)
          << QPointF(cx - shaft, bottom - headLen);
    } else {
        a << QPointF(cx - shaft, bottom) << QPointF(cx + shaft, bottom)
          << QPointF(cx + shaft, top + headLen) << QPointF(cx + head, top + headLen)
          << QPointF(cx, top) << QPointF(cx - head, top + headLen)
          << QPointF(cx - shaft, top + headLen);
    }
    p.setPen(pen(line));
    p.setBrush(fill);
    p.drawPolygon(a);
}

// Floppy disk in the full 48 box (slightly inset).
void floppy(QPainter &p, const QRectF &r)
{
    QPainterPath body;
    const qreal cut = r.width() * 0.16;
    body.moveTo(r.left() + 3, r.top());
    body.lineTo(r.right() - cut, r.top());
    body.lineTo(r.right(), r.top() + cut);
    body.lineTo(r.right(), r.bottom() - 3);
    body.quadTo(r.right(), r.bottom(), r.right() - 3, r.bottom());
    body.lineTo(r.left() + 3, r.bottom());
    body.quadTo(r.left(), r.bottom(), r.left(), r.bottom() - 3);
    body.lineTo(r.left(), r.top() + 3);
    body.quadTo(r.left(), r.top(), r.left() + 3, r.top());
    shape(p, body, kBlue, kBlueDark);
    // metal shutter
    const qreal w = r.width();
    const QRectF shutter(r.left() + w * 0.24, r.top(), w * 0.50, r.height() * 0.32);
    shape(p, roundRect(shutter, 1), kGreyLight, kBlueDark, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlueDark);
    p.drawRect(QRectF(shutter.right() - w * 0.16, shutter.top() + 3, w * 0.09,
                      shutter.height() - 6));
    // label
    const QRectF label(r.left() + w * 0.15, r.top() + r.height() * 0.50, w * 0.70,
                       r.height() * 0.42);
    shape(p, roundRect(label, 1.5), kWhite, kBlueDark, 1.5);
    p.setPen(pen(kBlueLight, 1.5));
    for (int i = 1; i <= 2; ++i) {
        const qreal y = label.top() + label.height() * i / 3.0;
        p.drawLine(QPointF(label.left() + 3, y), QPointF(label.right() - 3, y));
    }
}

// Pencil from (x0,y0) tip to the end, drawn along a diagonal.
void pencil(QPainter &p, QPointF tip, qreal len, qreal angleDeg)
{
    p.save();
    p.translate(tip);
    p.rotate(angleDeg);
    // pencil along +x from tip, width 8
    const qreal w = 8;
    QPolygonF wood;
    wood << QPointF(0, 0) << QPointF(8, -w / 2) << QPointF(8, w / 2);
    QPainterPath body;
    body.addRect(QRectF(8, -w / 2, len - 14, w));
    QPainterPath eraser;
    eraser.addRoundedRect(QRectF(len - 6, -w / 2, 6, w), 1.5, 1.5);
    p.setPen(pen(kInk));
    p.setBrush(QColor(250, 215, 160));
    p.drawPolygon(wood);
    p.setBrush(kOrange);
    p.drawPath(body);
    p.setBrush(QColor(240, 120, 150));
    p.drawPath(eraser);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    QPolygonF lead;
    lead << QPointF(0, 0) << QPointF(3, -1.6) << QPointF(3, 1.6);
    p.drawPolygon(lead);
    p.restore();
}

// Text centred in a rectangle with a pixel size on the 48 grid.
void text(QPainter &p, const QRectF &r, const QString &s, const QString &family, qreal px,
          const QColor &c, int weight = QFont::Bold)
{
    QFont f(family);
    f.setPixelSize(qRound(px));
    f.setWeight(weight);
    f.setHintingPreference(QFont::PreferNoHinting);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, s);
}

// ---- icons --------------------------------------------------------------

void drawMac(QPainter &p)
{
    walkieTalkie(p, QRectF(12, 2, 24, 44), kBlue, kBlueDark, kLcd);
}

void drawApp(QPainter &p)
{
    walkieTalkie(p, QRectF(10, 2, 28, 44), kAppBlue, QColor(30, 30, 140), kLcd);
}

// 16 px version: fewer, bolder grille slots so they stay distinct.
void drawAppSmall(QPainter &p)
{
    walkieTalkie(p, QRectF(10, 2, 28, 44), kAppBlue, QColor(30, 30, 140), kLcd, 2);
}

void drawChannel(QPainter &p)
{
    shape(p, roundRect(QRectF(4, 5, 40, 38), 4), kWhite, kBlueDark);
    // header
    QPainterPath head;
    head.addRoundedRect(QRectF(4, 5, 40, 10), 4, 4);
    head.addRect(QRectF(4, 10, 40, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPath(head.simplified());
    p.setPen(pen(kBlueDark));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundRect(QRectF(4, 5, 40, 38), 4));
    // rows: number cell + bar
    for (int i = 0; i < 3; ++i) {
        const qreal y = 19 + i * 8;
        p.setPen(Qt::NoPen);
        p.setBrush(i == 1 ? kOrange : kBlue);
        p.drawRoundedRect(QRectF(9, y, 6, 5), 1, 1);
        p.setBrush(i == 1 ? kOrange : kGrey);
        p.drawRoundedRect(QRectF(18, y, i == 2 ? 16 : 21, 5), 1.5, 1.5);
    }
}

void drawSeting(QPainter &p)
{
    const QPointF c(24, 24);
    const int teeth = 8;
    const qreal rOut = 21, rIn = 16, hole = 6.5;
    QPainterPath gear;
    for (int i = 0; i < teeth; ++i) {
        const qreal a0 = 2 * M_PI * i / teeth;
        const qreal step = 2 * M_PI / teeth;
        // tooth occupies ~40% of the step at the outer radius
        const qreal pts[4][2] = {{a0 - step * 0.30, rIn}, {a0 - step * 0.18, rOut},
                                 {a0 + step * 0.18, rOut}, {a0 + step * 0.30, rIn}};
        for (int k = 0; k < 4; ++k) {
            QPointF q(c.x() + pts[k][1] * qCos(pts[k][0]), c.y() + pts[k][1] * qSin(pts[k][0]));
            if (i == 0 && k == 0)
                gear.moveTo(q);
            else
                gear.lineTo(q);
        }
        // valley arc to next tooth
        const qreal a1 = a0 + step * 0.30, a2 = a0 + step * 0.70;
        for (int k = 1; k <= 4; ++k) {
            const qreal a = a1 + (a2 - a1) * k / 4;
            gear.lineTo(c.x() + rIn * qCos(a), c.y() + rIn * qSin(a));
        }
    }
    gear.closeSubpath();
    gear.addEllipse(c, hole, hole);
    gear.setFillRule(Qt::OddEvenFill);
    QLinearGradient g(4, 4, 44, 44);
    g.setColorAt(0, QColor(60, 130, 255));
    g.setColorAt(1, kBlue);
    p.setPen(pen(kBlueDark));
    p.setBrush(g);
    p.drawPath(gear);
}

void drawRadio(QPainter &p)
{
    // antenna
    p.setPen(pen(kInk, 2.5));
    p.drawLine(QPointF(30, 15), QPointF(42, 2));
    p.setBrush(kInk);
    p.drawEllipse(QPointF(42, 2.5), 1.5, 1.5);
    // handle
    p.setPen(pen(kInk, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(10, 15), QPointF(14, 9));
    p.drawLine(QPointF(14, 9), QPointF(26, 9));
    // body
    shape(p, roundRect(QRectF(3, 14, 42, 30), 5), kBlue, kBlueDark);
    // speaker
    p.setPen(pen(kBlueDark, 1.5));
    p.setBrush(kBlueLight);
    p.drawEllipse(QPointF(15, 29), 9, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlueDark);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            p.drawEllipse(QPointF(15 + dx * 4.2, 29 + dy * 4.2), 1.4, 1.4);
    // dial window with FM
    shape(p, roundRect(QRectF(26, 17, 17, 14), 2), kLcd, kBlueDark, 1.5);
    text(p, QRectF(26, 17.5, 17, 14), QStringLiteral("FM"), QStringLiteral("DejaVu Sans"), 11,
         kInk);
    // tuning knob
    p.setPen(pen(kBlueDark, 1.5));
    p.setBrush(kOrange);
    p.drawEllipse(QPointF(34.5, 37.5), 3.5, 3.5);
}

void document(QPainter &p, const QRectF &r)
{
    const qreal fold = 10;
    QPainterPath doc;
    doc.moveTo(r.left() + 2, r.top());
    doc.lineTo(r.right() - fold, r.top());
    doc.lineTo(r.right(), r.top() + fold);
    doc.lineTo(r.right(), r.bottom() - 2);
    doc.quadTo(r.right(), r.bottom(), r.right() - 2, r.bottom());
    doc.lineTo(r.left() + 2, r.bottom());
    doc.quadTo(r.left(), r.bottom(), r.left(), r.bottom() - 2);
    doc.lineTo(r.left(), r.top() + 2);
    doc.quadTo(r.left(), r.top(), r.left() + 2, r.top());
    shape(p, doc, kWhite, kInk);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold - 1);
    corner.quadTo(r.right() - fold, r.top() + fold, r.right() - fold + 1, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    shape(p, corner, kGreyLight, kInk);
}

void drawNew(QPainter &p)
{
    document(p, QRectF(7, 3, 30, 40));
    // plus badge
    p.setPen(pen(kGreenDark));
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(35, 35), 10.5, 10.5);
    p.setPen(pen(kWhite, 4));
    p.drawLine(QPointF(35, 29), QPointF(35, 41));
    p.drawLine(QPointF(29, 35), QPointF(41, 35));
}

void drawOpen(QPainter &p)
{
    // back of folder with tab
    QPainterPath back;
    back.moveTo(3, 12);
    back.quadTo(3, 9, 6, 9);
    back.lineTo(16, 9);
    back.lineTo(20, 13);
    back.lineTo(37, 13);
    back.quadTo(40, 13, 40, 16);
    back.lineTo(40, 40);
    back.lineTo(3, 40);
    back.closeSubpath();
    shape(p, back, kYellowDark, QColor(140, 90, 0));
    // sheet of paper sticking out
    shape(p, roundRect(QRectF(9, 16, 26, 18), 1), kWhite, kGrey, 1.5);
    // front flap, tilted open
    QPainterPath front;
    front.moveTo(10, 22);
    front.lineTo(45, 22);
    front.quadTo(46.5, 22, 46, 24);
    front.lineTo(40, 40);
    front.lineTo(3, 40);
    front.lineTo(8, 23.5);
    front.quadTo(8.5, 22, 10, 22);
    QLinearGradient g(0, 22, 0, 40);
    g.setColorAt(0, QColor(255, 220, 90));
    g.setColorAt(1, kYellow);
    p.setPen(pen(QColor(140, 90, 0)));
    p.setBrush(g);
    p.drawPath(front);
}

void drawSave(QPainter &p)
{
    floppy(p, QRectF(5, 5, 38, 38));
}

void drawSaveAs(QPainter &p)
{
    floppy(p, QRectF(3, 3, 34, 34));
    pencil(p, QPointF(24, 44), 26, -45);
}

// Radio at the top-left, PC at the bottom-right; arrow between them.
void transfer(QPainter &p, int dir)
{
    walkieTalkie(p, QRectF(1, 2, 17, 30), kBlue, kBlueDark, kLcd);
    monitor(p, QRectF(18, 26, 28, 20));
    if (dir > 0)
        fatArrow(p, 32, 1, 24, +1, kGreen, kGreenDark);
    else
        fatArrow(p, 32, 1, 24, -1, kOrange, kOrangeDark);
}

void drawRead(QPainter &p) { transfer(p, +1); }
void drawWrite(QPainter &p) { transfer(p, -1); }

void drawUpdata(QPainter &p)
{
    const QPointF c(24, 24);
    const qreal r = 15;
    const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    auto arc = [&](qreal startDeg, const QColor &col, const QColor &dark) {
        // arc band from startDeg sweeping 140 deg counter-clockwise (Qt angles)
        const qreal sweep = 135, w = 7;
        QPainterPath band;
        const QRectF outer = box.adjusted(-w / 2, -w / 2, w / 2, w / 2);
        const QRectF inner = box.adjusted(w / 2, w / 2, -w / 2, -w / 2);
        band.arcMoveTo(outer, startDeg);
        band.arcTo(outer, startDeg, sweep);
        // arrow head at the end of the sweep
        const qreal end = qDegreesToRadians(startDeg + sweep);
        const QPointF dirOut(qCos(end), -qSin(end));     // radial
        const QPointF tang(-qSin(end), -qCos(end));      // direction of travel
        const QPointF mid = c + dirOut * r;
        band.lineTo(mid + dirOut * (w / 2 + 5));
        band.lineTo(mid + tang * 10);
        band.lineTo(mid - dirOut * (w / 2 + 5));
        QPainterPath tmp;
        tmp.arcMoveTo(inner, startDeg + sweep);
        band.lineTo(tmp.currentPosition());
        band.arcTo(inner, startDeg + sweep, -sweep);
        band.closeSubpath();
        shape(p, band, col, dark, 1.5);
    };
    arc(20, kBlue, kBlueDark);
    arc(200, kGreen, kGreenDark);
}

void drawHelp(QPainter &p)
{
    QRadialGradient g(QPointF(18, 16), 26);
    g.setColorAt(0, QColor(70, 140, 255));
    g.setColorAt(1, kBlue);
    p.setPen(pen(kBlueDark));
    p.setBrush(g);
    p.drawEllipse(QPointF(24, 24), 20.5, 20.5);
    // question mark drawn with strokes (font independent)
    QPainterPath q;
    q.moveTo(17.5, 18.5);
    q.cubicTo(17.5, 11, 30.5, 11, 30.5, 18);
    q.cubicTo(30.5, 23, 24, 23.5, 24, 28.5);
    p.setPen(QPen(kWhite, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(q);
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    p.drawEllipse(QPointF(24, 35.5), 3.2, 3.2);
}

void tile(QPainter &p, const QColor &fill, const QColor &line)
{
    shape(p, roundRect(QRectF(3, 8, 42, 32), 5), fill, line);
}

void drawChinese(QPainter &p)
{
    tile(p, kRed, kRedDark);
    const QString fam = QFontDatabase().families().contains(QStringLiteral("WenQuanYi Micro Hei"))
                            ? QStringLiteral("WenQuanYi Micro Hei")
                            : QString();
    if (!fam.isEmpty()) {
        text(p, QRectF(3, 8, 42, 32), QString(QChar(0x4E2D)), fam, 28, kYellow);
    } else {
        // fallback: the character drawn as strokes
        p.setPen(QPen(kYellow, 3.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(14, 17, 20, 12));
        p.drawLine(QPointF(24, 11), QPointF(24, 37));
    }
}

void drawEnglish(QPainter &p)
{
    tile(p, kBlue, kBlueDark);
    text(p, QRectF(3, 8.5, 42, 32), QStringLiteral("EN"), QStringLiteral("DejaVu Sans"), 21,
         kWhite);
}

// ---- output -------------------------------------------------------------

QImage render(const std::function<void(QPainter &)> &draw, int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.scale(size / 48.0, size / 48.0);
    draw(p);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

void put32(QByteArray &b, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xff));
}
void put16(QByteArray &b, quint16 v)
{
    b.append(char(v & 0xff));
    b.append(char(v >> 8));
}

// One ICO entry as a classic 32-bit DIB (BGRA, bottom-up) plus the AND mask.
QByteArray dibEntry(const QImage &img)
{
    const int w = img.width(), h = img.height();
    QByteArray b;
    put32(b, 40);
    put32(b, quint32(w));
    put32(b, quint32(h * 2));
    put16(b, 1);
    put16(b, 32);
    put32(b, 0);
    put32(b, 0);
    put32(b, 0);
    put32(b, 0);
    put32(b, 0);
    put32(b, 0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            b.append(char(qBlue(line[x])));
            b.append(char(qGreen(line[x])));
            b.append(char(qRed(line[x])));
            b.append(char(qAlpha(line[x])));
        }
    }
    const int maskStride = ((w + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qAlpha(line[x]) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        b.append(row);
    }
    return b;
}

bool writeIco(const QString &path, const QVector<QImage> &images)
{
    QByteArray out;
    put16(out, 0);
    put16(out, 1);
    put16(out, quint16(images.size()));
    QVector<QByteArray> data;
    for (const QImage &img : images)
        data << dibEntry(img);
    quint32 offset = 6 + 16 * images.size();
    for (int i = 0; i < images.size(); ++i) {
        out.append(char(images[i].width() >= 256 ? 0 : images[i].width()));
        out.append(char(images[i].height() >= 256 ? 0 : images[i].height()));
        out.append(char(0));
        out.append(char(0));
        put16(out, 1);
        put16(out, 32);
        put32(out, quint32(data[i].size()));
        put32(out, offset);
        offset += quint32(data[i].size());
    }
    for (const QByteArray &d : data)
        out.append(d);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    return f.write(out) == out.size();
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty()
                                   ? QByteArray("offscreen")
                                   : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: mkicons OUTPUT_DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists()) {
        std::fprintf(stderr, "mkicons: %s does not exist\n", argv[1]);
        return 1;
    }

    struct Icon {
        const char *name;
        void (*draw)(QPainter &);
    };
    const Icon icons[] = {
        {"English", drawEnglish}, {"Seting", drawSeting},   {"Write", drawWrite},
        {"Mac", drawMac},         {"Channel", drawChannel}, {"New", drawNew},
        {"Open", drawOpen},       {"Updata", drawUpdata},   {"Save", drawSave},
        {"SaveAs", drawSaveAs},   {"Radio", drawRadio},     {"Read", drawRead},
        {"Chinese", drawChinese}, {"Help", drawHelp},
    };
    int rc = 0;
    for (const Icon &ic : icons) {
        const QString path = dir.filePath(QString::fromLatin1(ic.name) + QStringLiteral(".png"));
        if (!render(ic.draw, 48).save(path, "PNG")) {
            std::fprintf(stderr, "mkicons: cannot write %s\n", qPrintable(path));
            rc = 1;
        }
    }
    const QString ico = dir.filePath(QStringLiteral("AppAdj.ico"));
    if (!writeIco(ico, {render(drawAppSmall, 16), render(drawApp, 32), render(drawApp, 48)})) {
        std::fprintf(stderr, "mkicons: cannot write %s\n", qPrintable(ico));
        rc = 1;
    }
    return rc;
}
