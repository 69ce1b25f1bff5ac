#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tlx {

// The two device models served from one tree. Everything that differs between
// them is a field of ProductTraits; code asks the traits, never the build.
enum class Product : std::uint8_t { F, S };

struct ProductTraits {
    Product product;
    char letter;                     // 'F' or 'S'
    std::string_view productString;  // caption of start-up and unsaved-data questions
    std::string_view iniFileName;
    std::string_view iniSection;
    std::string_view mutexName;

    int readAllSteps;      // steps of the read-all and send-all runs
    int busyStepPastEnd;   // pushed by the no-answer rule; beyond every transfer
    int noAnswerTickLimit; // "No Connect" once the taken tick count exceeds this

    int settingsFileLines; // lines of a complete settings file
};

const ProductTraits& traits(Product p);

inline constexpr std::size_t kPages = 512;
inline constexpr std::size_t kLines = 10;
inline constexpr std::size_t kDays = 31;
inline constexpr std::size_t kScheduleEntries = 24;
inline constexpr std::size_t kConnectorInputs = 8;
inline constexpr int kPagePas = 512;     // automatic switching ("PAS")
inline constexpr int kPageNoEntry = 513; // schedule entry shown as "---"

} // namespace tlx
