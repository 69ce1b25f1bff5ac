#include "dialogs/alarm_form_dialog.h"
#include "dialogs/dialog_context.h"
#include "dialogs/schedule_dialog.h"

namespace tlx::qt {

std::unique_ptr<QDialog> makeDeviceSettingsDialog(const DialogContext& context) {
    if (context.route.feature == Feature::Schedule) {
        return std::make_unique<ScheduleDialog>(context.state, context.host, context.transport(),
                                                context.title, context.owner);
    }
    if (const FormDescriptor* form = formOf(context.route.feature)) {
        return std::make_unique<SettingFormDialog>(
            *form, context.state, context.host, context.transport(), context.title, context.owner);
    }
    return nullptr;
}

} // namespace tlx::qt
