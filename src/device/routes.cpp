#include "device/routes.h"

#include "device/command_handlers.h"

#include <algorithm>
#include <deque>
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
    t.add("RACA", connectorRead, 0);
    t.add("RRCA", connectorRead, 1);
    t.add("POSP", powerOnPageWrite);
    t.add("RPOSP", powerOnPageRead);
    t.add("RVN", versionRead);
    t.add("SD", scheduleWrite);
    t.add("RSD", scheduleRead);

    t.add("EIA", addressWrite, 0);
    t.add("EGA", addressWrite, 1);
    t.add("EAA", addressWrite, 2);
    t.add("REIA", addressRead, 0);
    t.add("REGA", addressRead, 1);
    t.add("REAA", addressRead, 2);
    t.add("EPN", portWrite);
    t.add("REPN", portRead);
    t.add("REMA", macRead);

    t.add("DSY", clockWrite, 0);
    t.add("DSM", clockWrite, 1);
    t.add("DSD", clockWrite, 2);
    t.add("TSH", clockWrite, 3);
    t.add("TSM", clockWrite, 4);
    t.add("TSS", clockWrite, 5);
    t.add("TSA", clockAdjust);
    t.add("IDO", displayOnOff);
    t.add("P", displayPage, 0);
    t.add("PAS", displayPage, 1);

    t.add("CA", titleWrite);
    t.add("RCA", titleRead);
    t.add("G", glyphInsert);
    t.add("GRL", glyphRegister, 0);
    t.add("GRM", glyphRegister, 1);
    t.add("GRS", glyphRegister, 2);
    t.add("RFBML", glyphRead, 0);
    t.add("RFBMM", glyphRead, 1);
    t.add("RFBMS", glyphRead, 2);

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
