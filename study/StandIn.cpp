#include "study/Study.h"

#include <sstream>

namespace study {

// Stand-in until the summary proper arrives.
std::string SummaryJson(const StudyDefinition&, const StudyResult& result)
{
    std::ostringstream out;
    out << "{\"rows\": " << result.rows.size() << "}\n";
    return out.str();
}

}  // namespace study
