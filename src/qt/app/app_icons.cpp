#include "app/app_icons.h"

#include "app/menu_logic.h"

#include <QPixmap>

namespace tlx::qt {

QSize toolbarImageSize(Product p) {
    return p == Product::F ? QSize(32, 20) : QSize(31, 20);
}

QList<QIcon> toolbarIcons(Product p) {
    const QPixmap strip(p == Product::F ? QStringLiteral(":/tlx/toolbar_f.png")
                                        : QStringLiteral(":/tlx/toolbar_s.png"));
    const QSize size = toolbarImageSize(p);
    QList<QIcon> icons;
    for (int i = 0; i < kToolbarButtons; ++i) {
        if (strip.isNull()) {
            icons << QIcon();
            continue;
        }
        icons << QIcon(strip.copy(i * size.width(), 0, size.width(), size.height()));
    }
    return icons;
}

QIcon applicationIcon(Product p) {
    // Decoded once: the window, the About box and the application share it.
    // Pixmaps, not file names, so that no icon engine is looked for.
    static QIcon icons[2];
    QIcon& icon = icons[p == Product::F ? 0 : 1];
    if (icon.isNull()) {
        const QString base = p == Product::F ? QStringLiteral(":/tlx/tlx500f_z200_%1.png")
                                             : QStringLiteral(":/tlx/tlx500s_z200_%1.png");
        for (int size : {16, 32, 48, 128}) {
            icon.addPixmap(QPixmap(base.arg(size)));
        }
    }
    return icon;
}

} // namespace tlx::qt
