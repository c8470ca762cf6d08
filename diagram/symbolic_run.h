// Running a compiled program on the manager's diagrams, and flattening a diagram (owner thread only).
#pragma once

#include <vector>

#include "diagram/diagram.h"
#include "diagram/owner_thread.h"

namespace brevano::diagram_detail {

/// A flattened diagram's nodes and its root.
struct FlatDiagram {
  std::vector<DiagramNode> nodes;
  std::uint32_t root = 0;
};

/// The diagram of the program's Result. Program variable i is the manager's variable
/// `managerVariable[i]`. Because no instruction's effect on the stack depends on the values, the
/// run on diagrams takes the same path as every run on bits: it is exact for any program.
Ref RunSymbolically(const CompiledProgram& program, const std::vector<int>& managerVariable);

/// The manager variables 0 .. count-1.
std::vector<int> FirstVariables(int count);

/// The diagram below `root` as an array of nodes, children first; manager variable v becomes
/// level v, and `variableCount` is the level of the constants.
FlatDiagram Flatten(const Ref& root, int variableCount);

/// The manager variable tested by `node`, or `none` for a constant.
int TopVariable(int node, int none);

/// The child of `node` for `variable` = `bit` (the node itself when it does not test it).
int Cofactor(int node, int variable, int bit);

}  // namespace brevano::diagram_detail
