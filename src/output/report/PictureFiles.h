#pragma once
// Pictures of charts: bitmaps (BMP, PNG), metafiles (EMF, WMF) and vector documents (SVG, PDF).  The
// metafiles carry the picture as one device-independent bitmap record, which every reader of them shows.

#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class QPagedPaintDevice;
class QPainter;

enum class PictureType { Bmp, Emf, Wmf, Png, Svg, Pdf };

// "Windows Bitmap (*.bmp);;Enhanced Meta File (*.emf);;Windows Meta File (*.wmf);;PNG ...".
QString pictureFilter();
std::optional<PictureType> pictureTypeOfFilter(const QString &entry);
std::optional<PictureType> pictureTypeOfExtension(const QString &extension);
QString withPictureExtension(const QString &path, PictureType type);

// Paints the picture (size in pixels, at 96 dpi) into a file of the type, through an output file.
// QuorvaneError naming the file when it cannot be written.
void writePicture(const std::function<void(QPainter &)> &paint, QSize size, PictureType type,
                  const QString &path);

// Paints a picture of the size (pixels at 96 dpi) on one landscape page of the device, as large as the
// page allows within its margins, centred, its proportions kept: a chart printed as it is shown.
void paintPictureOnPage(QPagedPaintDevice &device, const std::function<void(QPainter &)> &paint, QSize size);
