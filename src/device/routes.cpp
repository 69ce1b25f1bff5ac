#include "device/routes.h"

#include "device/command_handlers.h"

#include <algorithm>
#include <deque>
#include <initializer_list>
#include <vector>

namespace tlx::device {

namespace {

struct RouteTable {
    std::deque<std::string> names; // stable storage for composed prefixes
    std::vector<Route> routes;

    std::string_view name(std::string text) { return names.emplace_back(std::move(text)); }
    void add(std::string_view prefix, RouteHandler handler, int variant = 0) {
        routes.push_back({prefix, handler, nullptr, nullptr, variant});
    }
    // Commands that one handler serves, told apart by their place here.
    void addVariants(std::initializer_list<std::string_view> prefixes, RouteHandler handler) {
        int variant = 0;
        for (const std::string_view prefix : prefixes) {
            add(prefix, handler, variant++);
        }
    }
};

RouteTable buildTable(Product product) {
    RouteTable t;
    for (const AttributeFamily& f : attributeFamilies()) {
        if (f.product != product) {
            continue;
        }
        t.routes.push_back({f.mnemonic, attributeWrite, &f, nullptr, 0});
        std::string read(1, 'R');
        read.append(f.mnemonic);
        t.routes.push_back({t.name(std::move(read)), attributeRead, &f, nullptr, 0});
    }
    for (const ChoiceSetting& c : choiceSettings()) {
        t.routes.push_back({c.prefix, choiceWrite, nullptr, &c, 0});
        if (!c.read.empty()) {
            t.routes.push_back({c.read, choiceRead, nullptr, &c, 0});
        }
    }

    t.add("ADT", holdTimeWrite);
    t.add("RADT", holdTimeRead);
    t.add("ACA", connectorWrite);
    t.add("RCA", connectorWrite); // the remote dialog's form of the same table
    t.addVariants({"RACA", "RRCA"}, connectorRead);
    t.add("POSP", powerOnPageWrite);
    t.add("RPOSP", powerOnPageRead);
    t.add("RVN", versionRead);
    t.add("SD", scheduleWrite);
    t.add("RSD", scheduleRead);

    t.addVariants({"EIA", "EGA", "EAA"}, addressWrite);
    t.addVariants({"REIA", "REGA", "REAA"}, addressRead);
    t.add("EPN", portWrite);
    t.add("REPN", portRead);
    t.add("REMA", macRead);

    t.addVariants({"DSY", "DSM", "DSD", "TSH", "TSM", "TSS"}, clockWrite);
    t.add("TSA", clockAdjust);
    t.add("IDO", displayOnOff);
    t.addVariants({"P", "PAS"}, displayPage);

    t.add("CA", titleWrite);
    t.add("RCA", titleRead);
    t.add("G", glyphInsert);
    t.addVariants({"GRL", "GRM", "GRS"}, glyphRegister);
    t.addVariants({"RFBML", "RFBMM", "RFBMS"}, glyphRead);

    // Longer prefixes first, so that "RCABC" is tried before "RCA" and
    // "PAST" before "PAS" before "P"; routes sharing a prefix tell their
    // commands apart by shape.
    std::stable_sort(t.routes.begin(), t.routes.end(), [](const Route& a, const Route& b) {
        return a.prefix.size() > b.prefix.size();
    });
    return t;
}

} // namespace

std::span<const Route> routesFor(Product product) {
    static const RouteTable kF = buildTable(Product::F);
    static const RouteTable kS = buildTable(Product::S);
    return product == Product::F ? kF.routes : kS.routes;
}

} // namespace tlx::device
