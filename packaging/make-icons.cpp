// Draws the program icon (the same shapes as org.corvane.Corvane.svg, on a
// 64-unit square) into hicolor PNG files of every size the desktop asks for:
//   corvane-make-icons OUTDIR NAME
// writes OUTDIR/<n>x<n>/apps/NAME.png for n = 16, 22, 24, 32, 48, 64, 128, 256.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

void drawIcon(QPainter &p, int size)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);

    // The folder body and its tab.
    p.setBrush(QColor(0x3d, 0x6f, 0xb4));
    p.drawRoundedRect(QRectF(6, 14, 52, 40), 4, 4);
    QPainterPath tab;
    tab.moveTo(6, 18);
    tab.arcTo(QRectF(6, 14, 8, 8), 180, -90);
    tab.lineTo(24, 14);
    tab.lineTo(29, 20);
    tab.lineTo(54, 20);
    tab.arcTo(QRectF(50, 20, 8, 8), 90, -90);
    tab.lineTo(58, 26);
    tab.lineTo(6, 26);
    tab.closeSubpath();
    p.setBrush(QColor(0x2c, 0x56, 0x8f));
    p.drawPath(tab);

    // Three lines of a list.
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(14, 28, 36, 4), 2, 2);
    p.drawRoundedRect(QRectF(14, 36, 28, 4), 2, 2);
    p.drawRoundedRect(QRectF(14, 44, 20, 4), 2, 2);

    // The green check mark: recovered.
    p.setBrush(QColor(0x3f, 0xa3, 0x4d));
    p.drawEllipse(QPointF(48, 46), 8, 8);
    QPen check(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(check);
    p.setBrush(Qt::NoBrush);
    QPainterPath mark;
    mark.moveTo(44, 46);
    mark.lineTo(47, 49);
    mark.lineTo(52, 43);
    p.drawPath(mark);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: corvane-make-icons OUTDIR NAME\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
        QDir().mkpath(dir);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            drawIcon(p, size);
        }
        const QString file = dir + u'/' + name + QStringLiteral(".png");
        if (!image.save(file)) {
            std::fprintf(stderr, "corvane-make-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
