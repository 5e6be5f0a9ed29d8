#pragma once
#include "run/OutputTextOutline.h"

#include <QString>
#include <QStringList>

#include <vector>

// The engine's output text as the calculation report shows it: cut into its
// sections and headed blocks by the core's reader, which knows the headings
// the engine writes. The report copies these blocks as text; the values it
// shows come from the analysis (LoadResultValues).
namespace report {

struct TextBlock {
    QString Heading;
    QStringList Lines;
};

struct TextSection {
    QString Name;  // "Stage 2 of 3", or empty for the front matter
    std::vector<TextBlock> Blocks;
    const TextBlock* Find(const QString& heading) const;
};

struct OutputText {
    QStringList Front;  // "Engine: ..." lines before the first heading
    std::vector<TextSection> Sections;  // [0]: the front matter's blocks (Method)
    TextBlock Summary;
    // The value of a "key: value" line of the front matter.
    QString Field(const QString& key) const;
};

OutputText ReadOutputText(const QString& text);

}  // namespace report
