#include "dialogs/title_caption.h"

namespace tlx {

std::string captionWithAddress(std::string_view title, std::string_view tcpWord,
                               std::string_view address) {
    if (address.empty()) {
        return std::string(title);
    }
    std::string caption(tcpWord);
    caption += ' ';
    caption += address;
    return caption;
}

} // namespace tlx
