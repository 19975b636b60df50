#include "face/qt/icon_mapping.h"

#include <QImage>
#include <QPixmap>

#include <cstring>

#include "veltutil/platform/host/modules/resources.h"

namespace veltface {

QIcon IconOf(HICON icon) {
    const IconResource* resource = icon ? AfxIconFromHandle(icon) : nullptr;
    if (!resource || resource->width <= 0 || resource->height <= 0 || !resource->rows) return QIcon();
    QImage image(resource->width, resource->height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < resource->height; ++y) {
        const char* row = resource->rows[y];
        // A row shorter than the icon leaves the rest clear.
        int length = row ? static_cast<int>(std::strlen(row)) : 0;
        for (int x = 0; x < resource->width && x < length; ++x) {
            if (row[x] == '#') image.setPixelColor(x, y, QColor(32, 32, 32));
            if (row[x] == '.') image.setPixelColor(x, y, QColor(255, 255, 255));
        }
    }
    return QIcon(QPixmap::fromImage(image));
}

}  // namespace veltface
