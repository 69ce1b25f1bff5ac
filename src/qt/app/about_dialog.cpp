#include "app/about_dialog.h"

#include "app/app_icons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx::qt {

AboutDialog::AboutDialog(Product product, QWidget* parent) : QDialog(parent) {
    const ProductTraits& t = traits(product);
    const QString name =
        QString::fromUtf8(t.productString.data(), static_cast<qsizetype>(t.productString.size()));
    setWindowTitle(product == Product::F ? QStringLiteral("TLX500F Z200 のﾊﾞｰｼﾞｮﾝ情報")
                                         : QStringLiteral("TLX500S_Z200 のﾊﾞｰｼﾞｮﾝ情報"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(applicationIcon(product).pixmap(48, 48));
    row->addWidget(icon, 0, Qt::AlignTop);
    // Two labels with room between them: in a Japanese face the product
    // name's underscore reaches below its line.
    auto* lines = new QVBoxLayout;
    lines->setSpacing(6);
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("aboutText"));
    text->setText(name + QStringLiteral(" Version ") + QStringLiteral(TLX_VERSION));
    auto* program = new QLabel(this);
    program->setObjectName(QStringLiteral("aboutProgram"));
    program->setText(product == Product::F ? QStringLiteral("TLX-500F 設定プログラム")
                                           : QStringLiteral("TLX-500S 設定プログラム"));
    lines->addWidget(text);
    lines->addWidget(program);
    lines->addStretch();
    row->addLayout(lines, 1);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace tlx::qt
