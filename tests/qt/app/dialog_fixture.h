#pragma once

#include "protocol/app_state.h"
#include "support/fake_host.h"

#include <QComboBox>
#include <QLabel>
#include <QObject>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace tlx::test {

// The base of a dialog test: a fresh application state and its host, made
// anew by each case that calls make().
class DialogTest : public QObject {
  protected:
    std::unique_ptr<AppState> state;
    std::unique_ptr<FakeHost> host;

    void make(Product p) {
        state = makeAppState(p);
        host = std::make_unique<FakeHost>();
    }

    // A case run once per model: its _data slot calls addModelRows(), the
    // case itself makeFetchedModel().
    static void addModelRows() {
        QTest::addColumn<Product>("model");
        QTest::newRow("F") << Product::F;
        QTest::newRow("S") << Product::S;
    }
    void makeFetchedModel() {
        QFETCH(Product, model);
        make(model);
    }
};

// Picks an item as the operator does: a changed selection.
inline void pick(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// The texts of a list box's items, in order.
inline QStringList itemsOf(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) {
        out << box->itemText(i);
    }
    return out;
}

// The texts of every label of a window.
inline QStringList labelsOf(const QWidget* w) {
    QStringList out;
    for (const QLabel* l : w->findChildren<QLabel*>()) {
        out << l->text();
    }
    return out;
}

// A control by its object name; a missing one is named in a warning.
template <typename T> T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (c == nullptr) {
        qWarning("no control %s", name);
    }
    return c;
}

// The push button with the resource identifier `id`.
inline QPushButton* button(QWidget* w, int id) {
    return w->findChild<QPushButton*>(QStringLiteral("button%1").arg(id));
}

} // namespace tlx::test
