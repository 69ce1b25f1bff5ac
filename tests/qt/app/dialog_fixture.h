#pragma once

#include "app/menu_logic.h"
#include "device_transport.h"
#include "dialogs/dialog_context.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"
#include "support/fake_host.h"

#include <QComboBox>
#include <QLabel>
#include <QObject>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <memory>

namespace tlx::test {

// The base of a dialog test: a fresh application state and its host, made
// anew by each case that calls make().
class DialogTest : public QObject {
  protected:
    std::unique_ptr<AppState> state;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<qt::LinkHub> hub; // made by the first context()

  private:
    std::deque<CommandRoute> routes_; // the routes the contexts refer to
    std::unique_ptr<DeviceTransport> device_;

  protected:
    void make(Product p) {
        device_.reset();
        hub.reset();
        state = makeAppState(p);
        host = std::make_unique<FakeHost>();
    }

    // make(p), with a device of factory settings behind a transport.
    DeviceTransport& makeWithDevice(Product p) {
        make(p);
        device_ = std::make_unique<DeviceTransport>(*state, *host);
        return *device_;
    }

    // What the menu hands a dialog family's factory for a command of the
    // model in use: the caption is the command's own title unless given.
    qt::DialogContext context(int command, QString caption = {}) {
        const auto route = routeOf(state->product, command);
        if (!route) {
            QTest::qFail("the command has no route", __FILE__, __LINE__);
        }
        const CommandRoute& r = routes_.emplace_back(route.value_or(CommandRoute{}));
        if (caption.isNull()) {
            caption = QString::fromUtf8(r.title.data(), static_cast<qsizetype>(r.title.size()));
        }
        if (!hub) {
            hub = std::make_unique<qt::LinkHub>(*state, *host);
        }
        return {*state, *host, *hub, nullptr, r, caption};
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
