#pragma once

#include "base/feature.h"
#include "settings/attribute_values.h"
#include "settings/dialog_memory.h"

#include <array>
#include <chrono>
#include <span>
#include <string_view>

namespace tlx {

// One value the dialog edits per page: the white/black level and the model S
// colour dialogs have two, the others one.
struct PageValue {
    TableRef table;
    Attribute memory;
    WireField pageField;            // in the page command
    WireField allField;             // in the all-pages command
    std::string_view label;         // value box
    std::string_view allPagesLabel; // all-pages box
    int valueId;
    int allPagesId;
};

enum class PagePreview {
    Pages32,       // four columns of eight pages
    Pages32Levels, // the same, under a "W  B" header per column
    Colours8,      // eight pages, one per row (model S colours)
};

// One dialog of the per-page family.
struct PageAttributeDescriptor {
    Product product;
    Feature feature;
    int dialogTemplate;
    std::string_view titleWord; // before the connection's address
    std::string_view mnemonic;  // the page digits follow it
    std::string_view pageLiteral;
    ValueList values;
    int valueCount;
    std::array<PageValue, 2> value;
    bool remembers; // the all-pages box keeps the operator's choice
    bool pacedAll;  // "全設定" is a paced run of page commands, not one line
    std::chrono::milliseconds transferInterval;
    std::string_view pageButtonLabel;
    // Preview entry: "P" + page digits + previewGap + the values' looks,
    // separated by valueGap.
    PagePreview preview;
    std::string_view previewGap;
    std::string_view valueGap;
    ValueLook look;
    int previewId;
    int pageButtonId;
    int sendAllId;
    int progressId; // paced only
    int percentId;  // paced only
};

std::span<const PageAttributeDescriptor> pageAttributeDescriptors();

// The per-page dialog of a feature in the model, or nothing.
const PageAttributeDescriptor* pageAttributeDescriptor(Product p, Feature f);

} // namespace tlx
