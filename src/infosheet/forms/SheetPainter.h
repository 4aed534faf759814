// The drawing of the information sheet: one routine paints a SheetDrawing on
// any QPainter, so the printed page and the picture are the same layout. The
// printer's layout is given in 600-dpi dots and scaled to the printer's own
// resolution; the picture's in its pixels.
#pragma once

#include "infosheet/InfoSheet.h"

#include <QFont>
#include <QImage>
#include <QSize>

class QPainter;
class QPrinter;

// "Courier New" at the given size, or the system's fixed-pitch face when
// that family is missing: the sheet's columns line up only in a fixed pitch.
QFont SheetFont(int points);

// The header picture of the sheet at the given size, drawn for this program.
QImage HeaderPicture(QSize size);

// Paints drawing; device pixels = layout units x scale. header is centred on
// pageWidth (device pixels) and drawn scaled by the same factor.
void PaintSheet(QPainter& painter, const SheetDrawing& drawing, const QImage& header, double scale,
                int pageWidth);

// The picture path's page: 740 x 1046, white, with the small header.
QImage RenderSheetPicture(const InfoSheetData& data);

// The printer path: one page with the large header. False when the printer
// would not start or finish the job.
bool PrintSheet(QPrinter& printer, const InfoSheetData& data);
