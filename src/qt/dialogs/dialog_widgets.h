#pragma once

#include <QString>
#include <string>
#include <vector>

class QComboBox;
class QProgressBar;
class QPushButton;
class QWidget;

namespace tlx::qt {

// A dialog's push button, named after its control identifier ("buttonN") so
// that tests find it. Taking the focus does not make it the default button.
QPushButton* makeButton(const QString& text, int id, QWidget* parent);

// A choice box holding `items`, the first chosen, named `name` for the tests.
QComboBox* makeBox(const QString& name, const std::vector<std::string>& items, QWidget* parent);

// A run's progress bar from 0 to `max`, empty at the start, its text hidden:
// the percentage stands beside it.
QProgressBar* makeProgressBar(const QString& name, int max, QWidget* parent);

} // namespace tlx::qt
