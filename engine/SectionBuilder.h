#pragma once
#include "engine/SectionInput.h"
#include "engine/WallModel.h"

#include <string>
#include <vector>

// Turns one block of the wall into the node-by-node input of the solver: range
// tables expanded to the nodes, the retained-side loads and the p-y curves
// generated, and every input checked. Input errors are TorvikError with a
// message that names the item and the node, row or layer.
class SectionBuilder {
public:
    // Choices of the wall beside its data file that change the input built.
    struct Options {
        // Cap the generated p-y curves at the passive earth pressure on the strip.
        bool passiveLimit = false;
        // The wall friction and adhesion of the soil layers, by layer (the first
        // entry for layer 1); layers beyond the list are smooth.
        std::vector<engine::WallContact> wallContact;
        // The retained soil above the excavation resists the wall moving into it.
        bool soilBehind = false;
        // The pore water of the stage (still water below the water depths unless it says otherwise).
        engine::PoreWaterInput water;
    };

    // Builds the section; `heading` names it in the report ("Stage 2", ...).
    static SectionInput Build(const WallBlock& block, const std::string& heading);
    static SectionInput Build(const WallBlock& block, const std::string& heading, const Options& options);

    // Expands the rows of a range table to nodes 0..n: value `column` of each row,
    // constant or interpolated; `given` marks the nodes that received a value.
    // `item` names the table in error messages.
    static std::vector<double> Expand(const std::vector<RangeRow>& rows, size_t column, int n,
                                      const std::string& item, std::vector<bool>* given = nullptr);
};
