#pragma once
#include "study/Study.h"

#include <functional>
#include <string>
#include <vector>

// How a study reads and sets each parameter of a wall it can vary.
namespace study {

struct Accessor {
    std::string address;
    std::string unit;
    std::function<double(const StudyWall&)> get;   // the wall's value (its first stage's)
    std::function<void(StudyWall&, double)> set;   // everywhere the parameter applies
};

// Every parameter of the wall, in the order ParameterAddresses gives.
std::vector<Accessor> Accessors(const StudyWall& wall);
// The accessor of each of the study's parameters, in its order, pointing into
// `all`. TorvikError naming a parameter the wall does not have.
std::vector<const Accessor*> AccessorsOf(const StudyDefinition& study, const std::vector<Accessor>& all);
// The From nodes of the wall's spring rows over every stage, rising: anchor k
// of the study's addresses and columns is the k-th.
std::vector<int> AnchorNodesOf(const StudyWall& wall);

}  // namespace study
