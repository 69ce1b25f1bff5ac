#pragma once

#include "base/product.h"

#include <QIcon>
#include <QList>
#include <QSize>

namespace tlx::qt {

// One image of the toolbar strip: 32 x 20 pixels, model S 31 x 20.
QSize toolbarImageSize(Product p);

// The toolbar strip of the model cut into its images, button order. Empty
// icons when the strip is missing.
QList<QIcon> toolbarIcons(Product p);

QIcon applicationIcon(Product p);

} // namespace tlx::qt
