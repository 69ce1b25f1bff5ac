#pragma once

#include "base/feature.h"
#include "settings/attribute_values.h"
#include "settings/dialog_memory.h"

#include <array>
#include <chrono>
#include <optional>
#include <span>
#include <string_view>

namespace tlx {

// One value the dialog edits per line: the colour dialog has two (character
// and outline), every other dialog one.
struct LineValue {
    TableRef table;
    Attribute memory;
    WireField lineField;
    WireField pageField;
    std::string_view label;         // value box
    std::string_view allPagesLabel; // "全ページ同設定" box
    std::string_view allLinesLabel; // "全ライン同設定" box
    int valueId;
    int allPagesId;
    int allLinesId;
};

// One dialog of the per-line family (model F).
struct LineAttributeDescriptor {
    Feature feature;
    int dialogTemplate;
    std::string_view titleWord; // before the connection's address
    std::string_view mnemonic;  // the page digits follow it
    std::string_view lineLiteral;
    std::string_view pageTemplate;
    ValueList values;
    int valueCount; // 1, or 2 for the colours
    std::array<LineValue, 2> value;
    // Preview: "Line01" + linePreviewGap + the value's look (two values side by
    // side), under an optional header.
    std::string_view linePreviewGap;
    ValueLook look;
    std::string_view previewHeader;
    std::chrono::milliseconds transferInterval;
    int previewId;
    int lineBoxId;
    int sendAllId;
    int progressId;
    int percentId;
};

std::span<const LineAttributeDescriptor> lineAttributeDescriptors();

// The per-line dialog of a feature; nothing for model S, which sets these per
// page, and for features of other families.
const LineAttributeDescriptor* lineAttributeDescriptor(Product p, Feature f);

} // namespace tlx
