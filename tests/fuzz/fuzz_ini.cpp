// Parses arbitrary bytes as an INI file, reads the connection keys the way
// start-up does, writes a few keys and checks that the written values read
// back and that nothing else of the file changed in the round trip.
#include "settings/connection_ini.h"
#include "settings/ini_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

constexpr std::string_view kSection = "TLX-500F_Z200_Section";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto doc = tlx::IniDocument::parse(bytes);
    check(doc.bytes() == bytes);

    for (const auto key : {tlx::kKeyComPort, tlx::kKeyRsControl, tlx::kKeyInterface,
                           tlx::kKeyClientServer, tlx::kKeySelectNumber, tlx::kKeyListCount}) {
        (void)tlx::profileNumber(doc, kSection, key);
    }
    const auto port = tlx::profileString(doc, kSection, tlx::kKeyPortNumber, "09004", 6);
    check(port.size() <= 5);
    for (std::size_t e = 0; e < 3; ++e) {
        (void)tlx::profileNumber(doc, kSection, tlx::hostKey(e, 0));
    }

    const std::string otherSection = "Other" + std::to_string(size % 3);
    const auto otherBefore = doc.value(otherSection, "x");
    const std::string otherValue = otherBefore ? std::string(*otherBefore) : std::string("<none>");

    doc.set(kSection, tlx::kKeyListCount, "3");
    doc.set(kSection, tlx::hostKey(2, 1), "168");
    doc.set(kSection, tlx::kKeyPortNumber, "09\r\n005");
    const auto again = tlx::IniDocument::parse(doc.bytes());
    check(again.value(kSection, "LIST_COUNT") == "3");
    check(again.value(kSection, "ip02_1") == "168");
    check(again.value(kSection, tlx::kKeyPortNumber) == "09005");
    const auto otherAfter = again.value(otherSection, "x");
    check((otherAfter ? std::string(*otherAfter) : std::string("<none>")) == otherValue);
    return 0;
}
