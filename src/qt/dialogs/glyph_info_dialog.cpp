#include "dialogs/glyph_info_dialog.h"

#include "glyphs/glyph_info.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tlx::qt {

GlyphInfoDialog::GlyphInfoDialog(Product product, const QString& title, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    int i = 0;
    for (std::string_view line : glyphInfoLines(product)) {
        auto* label =
            new QLabel(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())), this);
        label->setObjectName(QStringLiteral("line%1").arg(i++));
        layout->addWidget(label);
    }
}

} // namespace tlx::qt
