#include "infosheet/forms/SheetPainter.h"
#include "platform/forms/Latin1.h"

#include "infosheet/forms/LogoForms.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>

namespace {

// The screen resolution the picture's font sizes are meant for.
constexpr int kPictureDotsPerMeter = 3780;   // 96 dpi


void DrawTextAt(QPainter& painter, int x, int top, const QString& text)
{
    painter.drawText(QPoint(x, top + painter.fontMetrics().ascent()), text);
}

} // namespace

QFont SheetFont(int points)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch())
        font.setFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    font.setPointSize(points);
    return font;
}

QImage HeaderPicture(QSize size)
{
    // Drawn on a 400 x 83 grid and scaled to the size asked for.
    QImage image(size, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size.width() / 400.0, size.height() / 83.0);
    QLinearGradient band(0, 0, 400, 0);
    band.setColorAt(0, QColor(20, 50, 110));
    band.setColorAt(1, QColor(60, 120, 190));
    QPainterPath plate;
    plate.addRoundedRect(QRectF(2, 6, 396, 71), 10, 10);
    p.fillPath(plate, band);
    // A chip with its pins.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 235, 235));
    for (int i = 0; i < 4; ++i) {
        p.drawRect(QRectF(24 + i * 11, 14, 5, 8));
        p.drawRect(QRectF(24 + i * 11, 61, 5, 8));
    }
    p.setBrush(QColor(30, 30, 30));
    p.drawRoundedRect(QRectF(18, 21, 46, 41), 3, 3);
    p.setBrush(QColor(235, 235, 235));
    p.drawEllipse(QPointF(26, 29), 3, 3);
    // The program's name.
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(26);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(80, 10, 310, 36), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("KRV Writer"));
    font.setBold(false);
    font.setPixelSize(14);
    p.setFont(font);
    p.setPen(QColor(210, 225, 245));
    p.drawText(QRectF(80, 44, 310, 26), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("8-bit microcontroller programming"));
    return image;
}

void PaintSheet(QPainter& painter, const SheetDrawing& drawing, const QImage& header, double scale,
                int pageWidth)
{
    auto at = [scale](int units) { return static_cast<int>(units * scale); };
    painter.setPen(Qt::black);
    if (!header.isNull()) {
        const int w = at(header.width());
        const int h = at(header.height());
        painter.drawImage(QRect((pageWidth - w) / 2, at(drawing.HeaderTop), w, h), header);
    }
    painter.setFont(SheetFont(drawing.TitlePoints));
    const QString title = Latin1(drawing.Title);
    DrawTextAt(painter, (pageWidth - painter.fontMetrics().horizontalAdvance(title)) / 2,
               at(drawing.TitleTop), title);
    painter.setFont(SheetFont(drawing.BodyPoints));
    for (const SheetLine& line : drawing.Lines) DrawTextAt(painter, at(line.X), at(line.Y), Latin1(line.Text));
}

QImage RenderSheetPicture(const InfoSheetData& data)
{
    QImage page(kPictureWidth, kPictureHeight, QImage::Format_RGB888);
    page.setDotsPerMeterX(kPictureDotsPerMeter);
    page.setDotsPerMeterY(kPictureDotsPerMeter);
    page.fill(Qt::white);
    QPainter painter(&page);
    const QImage header = LogoForm1 ? LogoForm1->Image1 : HeaderPicture(kLogo1Size);
    PaintSheet(painter, LayOutSheet(data, SheetPath::Picture), header, 1.0, kPictureWidth);
    painter.end();
    return page;
}

bool PrintSheet(QPrinter& printer, const InfoSheetData& data)
{
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QImage header = LogoForm2 ? LogoForm2->Image1 : HeaderPicture(kLogo2Size);
    const double scale = double(printer.resolution()) / kPrinterLayoutDpi;
    PaintSheet(painter, LayOutSheet(data, SheetPath::Printer), header, scale, printer.width());
    return painter.end();
}
