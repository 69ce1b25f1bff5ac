#pragma once

#include <QAbstractListModel>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "protocol/traffic_log.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace tlx {
class Host;
} // namespace tlx

namespace tlx::qt {

// The log's lines as rows, by line number, so that rows stay put while the
// ring drops its oldest lines. Only the rows on screen are ever formatted.
class TrafficLogModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit TrafficLogModel(const TrafficLog& log, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Takes in the lines recorded since the last call and lets go of the
    // ones the ring dropped.
    void catchUp();
    // Rows again from every kept line that holds the text.
    void setFilter(const QString& text);
    void reset();
    // The text of every row, as saved.
    QString allText() const;

  private:
    const TrafficLine* lineOf(std::uint64_t number) const;
    bool matches(const TrafficLine& line) const;
    QString textOf(const TrafficLine& line) const;

    const TrafficLog& log_;
    std::vector<std::uint64_t> rows_;
    std::uint64_t seen_ = 0; // the last line number taken in
    QByteArray filter_;
};

// "通信ログ": every line sent to and received from the devices, live. Not
// modal: it may stay open through any run and dialog.
class TrafficLogWindow : public QWidget {
    Q_OBJECT
  public:
    TrafficLogWindow(TrafficLog& log, Host& host, QWidget* parent = nullptr);

    // Picks the file "保存..." writes (tests).
    void setSaveChooser(std::function<QString()> chooser) { chooser_ = std::move(chooser); }
    // Shows the lines recorded since the last refresh (the timer calls it).
    void refresh();
    bool saveTo(const QString& path);

    QListView* view() const { return view_; }
    TrafficLogModel* model() const { return model_; }
    QPushButton* pauseButton() const { return pause_; }
    QPushButton* clearButton() const { return clear_; }
    QPushButton* saveButton() const { return save_; }
    QLineEdit* filterEdit() const { return filter_; }

  private:
    void save();
    void showCount();

    TrafficLog& log_;
    Host& host_;
    TrafficLogModel* model_;
    QListView* view_;
    QPushButton* pause_;
    QPushButton* clear_;
    QPushButton* save_;
    QLineEdit* filter_;
    QLabel* count_;
    QTimer timer_;
    std::function<QString()> chooser_;
};

} // namespace tlx::qt
