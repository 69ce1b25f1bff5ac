#pragma once

#include "dialogs/alarm_form.h"
#include "dialogs/dialog_forward.h"
#include "dialogs/paced_dialog.h"

#include <QDialog>
#include <vector>

namespace tlx::qt {

// The alarm, remote, others and device network dialogs: one group box per
// row of the form's descriptor, each with its "設定" button, then the slave
// address and Close. The widgets forward to SettingForm and show its values.
class SettingFormDialog : public PacedDialog {
    Q_OBJECT
  public:
    SettingFormDialog(const FormDescriptor& descriptor, AppState& state, Host& host,
                      Transport& transport, const QString& title, QWidget* parent = nullptr);
    ~SettingFormDialog() override;

    const SettingForm& form() const { return form_; }
    QPushButton* closeButton() const { return close_; }
    QProgressBar* progressBar() const { return progress_; }
    SlaveAddressBox* slaveAddressBox() const { return slave_; }

    void reject() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct GroupWidgets {
        QComboBox* box = nullptr;
        QLineEdit* edit = nullptr;
        std::vector<QComboBox*> connectors;
    };

    void build(const QString& title);
    QWidget* makeGroup(std::size_t index);
    void pressRead();
    void onTick() override;
    // Shows the model's values; address fields only when asked, since the
    // operator's typing there is read only when sent.
    void refresh(bool addresses);

    SettingForm form_;
    std::vector<GroupWidgets> groups_;
    SlaveAddressBox* slave_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace tlx::qt
