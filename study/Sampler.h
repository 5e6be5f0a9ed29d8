#pragma once
#include "study/Study.h"

#include <vector>

namespace study {

// The inputs of each realisation of a study; they depend on the definition
// and the index alone. (Stand-in until the sampler proper arrives.)
class Sampler {
public:
    explicit Sampler(const StudyDefinition& study) : study_(study) {}
    std::vector<double> Inputs(long index) const;

private:
    StudyDefinition study_;
};

}  // namespace study
