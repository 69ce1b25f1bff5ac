#include "dialogs/dialog_context.h"

#include "protocol/link_hub.h"

namespace tlx::qt {

Transport& DialogContext::transport() const {
    return links.transport();
}

} // namespace tlx::qt
