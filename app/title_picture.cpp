// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/title_picture.h"

#include "app/jpeg_decoder.h"

#include <QFile>

#include <cstring>

namespace KolvErkl {

QImage DecodeJpeg(const QByteArray& bytes) {
    RgbPicture picture;
    if (!DecodeJpegRgb(reinterpret_cast<const unsigned char*>(bytes.constData()),
                       static_cast<std::size_t>(bytes.size()), picture))
        return {};
    QImage image(static_cast<int>(picture.Width), static_cast<int>(picture.Height),
                 QImage::Format_RGB888);
    if (image.isNull())
        return {};
    const std::size_t rowBytes = std::size_t{3} * picture.Width;
    for (unsigned y = 0; y < picture.Height; ++y)
        std::memcpy(image.scanLine(static_cast<int>(y)), picture.Pixels.data() + rowBytes * y,
                    rowBytes);
    return image;
}

QImage LoadTitlePicture(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DecodeJpeg(file.readAll());
}

} // namespace KolvErkl
