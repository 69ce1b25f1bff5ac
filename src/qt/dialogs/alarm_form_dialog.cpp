#include "dialogs/alarm_form_dialog.h"

#include "dialogs/dialog_widgets.h"
#include "dialogs/slave_address_box.h"
#include "settings/qt_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

namespace tlx::qt {

namespace {

QString idName(const char* kind, int id) {
    return QString::fromLatin1(kind) + QString::number(id);
}

void fillBox(QComboBox* box, const std::vector<std::string>& items) {
    for (const std::string& item : items) {
        box->addItem(QString::fromStdString(item));
    }
}

void setTextIfChanged(QLineEdit* edit, const std::string& text) {
    const QString t = QString::fromStdString(text);
    if (edit->text() != t) {
        edit->setText(t);
    }
}

} // namespace

SettingFormDialog::SettingFormDialog(const FormDescriptor& descriptor, AppState& state, Host& host,
                                     Transport& transport, const QString& title, QWidget* parent)
    : PacedDialog(parent, StepTimer::Mode::Repeat), form_(descriptor, state, host, transport) {
    build(title);
    refresh(true);
}

SettingFormDialog::~SettingFormDialog() {
    // Destroyed while reading (the program ends): busyStep must not stay held.
    timer_.stop();
    form_.close();
}

void SettingFormDialog::build(const QString& title) {
    setWindowTitle(title);
    const FormDescriptor& d = form_.descriptor();
    groups_.resize(d.groups.size());

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    int visible = 0;
    for (std::size_t i = 0; i < d.groups.size(); ++i) {
        QWidget* g = makeGroup(i);
        if (d.groups[i].hidden) {
            // Kept out of the operator's reach, as the device's own panel does.
            g->setParent(this);
            g->hide();
            g->setEnabled(false);
            continue;
        }
        const bool wide = d.groups[i].kind == FormFieldKind::Connectors;
        if (wide) {
            if (visible % 2 != 0) {
                ++visible;
            }
            grid->addWidget(g, visible / 2, 0, 1, 2);
            visible += 2;
        } else {
            grid->addWidget(g, visible / 2, visible % 2);
            ++visible;
        }
    }
    layout->addLayout(grid);

    if (d.progressId != 0 && d.readBack != nullptr) {
        progress_ =
            makeProgressBar(idName("progress", d.progressId), d.readBack->progressMax, this);
        layout->addWidget(progress_);
    }

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("スレーブアドレス"), this));
    slave_ = new SlaveAddressBox(form_.slaveAddress(), this);
    bottom->addWidget(slave_);
    bottom->addStretch();
    close_ = makeButton(QStringLiteral("Close"), 2, this);
    bottom->addWidget(close_);
    layout->addLayout(bottom);
    connect(close_, &QPushButton::clicked, this, &SettingFormDialog::reject);
}

QWidget* SettingFormDialog::makeGroup(std::size_t i) {
    const FormGroup& g = form_.descriptor().groups[i];
    GroupWidgets& w = groups_[i];
    auto* box = new QGroupBox(qtext(g.label), this);
    auto* row = new QHBoxLayout(box);

    switch (g.kind) {
    case FormFieldKind::Choice:
    case FormFieldKind::Page: {
        w.box = new QComboBox(box);
        w.box->setObjectName(idName("box", g.controlId));
        if (g.kind == FormFieldKind::Page) {
            fillBox(w.box, pageItems(true));
        } else {
            for (std::string_view item : g.items) {
                w.box->addItem(qtext(item));
            }
        }
        connect(w.box, &QComboBox::activated, this, [this, i](int index) {
            form_.choose(i, index);
            refresh(false);
        });
        row->addWidget(w.box, 1);
        break;
    }
    case FormFieldKind::Text:
        w.edit = new QLineEdit(box);
        w.edit->setObjectName(idName("edit", g.controlId));
        w.edit->setMaxLength(static_cast<int>(g.maxChars));
        connect(w.edit, &QLineEdit::textEdited, this,
                [this, i, edit = w.edit](const QString& text) {
                    form_.editText(i, text.toStdString());
                    // The field shows what was kept: digits only, full-width ones
                    // turned into ASCII as they are typed.
                    const QString kept = QString::fromStdString(form_.text(i));
                    if (kept != text) {
                        const int cursor =
                            edit->cursorPosition() - static_cast<int>(text.size() - kept.size());
                        edit->setText(kept);
                        edit->setCursorPosition(std::max(0, cursor));
                    }
                });
        row->addWidget(w.edit, 1);
        break;
    case FormFieldKind::Address:
        w.edit = new QLineEdit(box);
        w.edit->setObjectName(idName("edit", g.controlId));
        w.edit->setMaxLength(15);
        // Four groups of up to three digits, as the platform's address
        // control accepts; the value check is the form's.
        w.edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral(R"(\d{0,3}(\.\d{0,3}){0,3})")), w.edit));
        row->addWidget(w.edit, 1);
        break;
    case FormFieldKind::Display:
        w.edit = new QLineEdit(box);
        w.edit->setObjectName(idName("field", g.controlId));
        w.edit->setReadOnly(true);
        // Room for a MAC address with a margin on both sides.
        w.edit->setTextMargins(3, 0, 3, 0);
        w.edit->setMinimumWidth(
            w.edit->fontMetrics().horizontalAdvance(QStringLiteral("00-00-00-00-00-00")) + 24);
        row->addWidget(w.edit, 1);
        break;
    case FormFieldKind::Connectors: {
        auto* grid = new QGridLayout;
        const auto items = pageItems(false);
        for (std::size_t n = 0; n < kConnectorInputs; ++n) {
            auto* c = new QComboBox(box);
            c->setObjectName(idName("box", g.controlId + static_cast<int>(n)));
            fillBox(c, items);
            connect(c, &QComboBox::activated, this, [this, n](int index) {
                form_.chooseConnector(n, index);
                refresh(false);
            });
            const int col = static_cast<int>(n % 4) * 2;
            const int line = static_cast<int>(n / 4);
            grid->addWidget(new QLabel(QStringLiteral("No.%1").arg(n + 1), box), line, col);
            grid->addWidget(c, line, col + 1);
            w.connectors.push_back(c);
        }
        row->addLayout(grid, 1);
        break;
    }
    }

    if (g.buttonId != 0) {
        const bool reads = g.kind == FormFieldKind::Display;
        QPushButton* b = makeButton(qtext(reads ? kButtonRead : kButtonSet), g.buttonId, box);
        if (reads) {
            connect(b, &QPushButton::clicked, this, &SettingFormDialog::pressRead);
        } else {
            connect(b, &QPushButton::clicked, this, [this, i] {
                const QLineEdit* edit = groups_[i].edit;
                form_.pressSet(i, edit != nullptr ? edit->text().toStdString() : std::string());
                refresh(false);
            });
        }
        row->addWidget(b);
    }
    return box;
}

void SettingFormDialog::refresh(bool addresses) {
    const FormDescriptor& d = form_.descriptor();
    for (std::size_t i = 0; i < d.groups.size(); ++i) {
        const FormGroup& g = d.groups[i];
        GroupWidgets& w = groups_[i];
        switch (g.kind) {
        case FormFieldKind::Choice:
        case FormFieldKind::Page:
            w.box->setCurrentIndex(form_.selection(i));
            break;
        case FormFieldKind::Text:
        case FormFieldKind::Display:
            setTextIfChanged(w.edit, form_.text(i));
            break;
        case FormFieldKind::Address:
            if (addresses) {
                setTextIfChanged(w.edit, form_.text(i));
            }
            break;
        case FormFieldKind::Connectors:
            for (std::size_t n = 0; n < w.connectors.size(); ++n) {
                w.connectors[n]->setCurrentIndex(form_.connector(n));
            }
            break;
        }
    }
    if (progress_ != nullptr) {
        progress_->setValue(form_.progress());
    }
    close_->setEnabled(form_.closeEnabled());
    slave_->refresh();
}

void SettingFormDialog::pressRead() {
    if (!form_.pressRead()) {
        return;
    }
    timer_.start(form_.descriptor().readBack->interval);
    refresh(false);
}

void SettingFormDialog::onTick() {
    switch (form_.tick()) {
    case ReadBackTick::Continue:
        if (progress_ != nullptr) {
            progress_->setValue(form_.progress());
        }
        return;
    case ReadBackTick::Completed:
        timer_.stop();
        refresh(true);
        return;
    case ReadBackTick::Stopped:
        timer_.stop();
        close_->setEnabled(form_.closeEnabled());
        return;
    }
}

void SettingFormDialog::reject() {
    // While a read-back holds Close, the dialog cannot be left either.
    if (!form_.closeEnabled()) {
        return;
    }
    timer_.stop();
    form_.close();
    QDialog::reject();
}

void SettingFormDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (form_.descriptor().enterCloses && form_.closeEnabled()) {
            timer_.stop();
            form_.close();
            accept();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tlx::qt
