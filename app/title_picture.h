// SPDX-License-Identifier: GPL-3.0-or-later
// The title picture: a JPEG decoded with libjpeg into a QImage.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace KolvErkl {

// Decodes JPEG bytes (DecodeJpegRgb). A damaged, cut or foreign file, and
// one larger than MaxPictureSide, gives a null image; it never ends the
// program.
QImage DecodeJpeg(const QByteArray& bytes);

// The title picture compiled into the program (":/title.jpg"), or a null
// image when it cannot be read.
QImage LoadTitlePicture(const QString& resource = QStringLiteral(":/title.jpg"));

} // namespace KolvErkl
