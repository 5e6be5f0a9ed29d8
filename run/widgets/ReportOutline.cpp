#include "run/widgets/ReportOutline.h"

#include "run/widgets/ReportPages.h"

namespace report {

const TextBlock* TextSection::Find(const QString& heading) const
{
    for (const TextBlock& b : Blocks)
        if (b.Heading == heading)
            return &b;
    return nullptr;
}

QString OutputText::Field(const QString& key) const
{
    for (const QString& l : Front)
        if (l.startsWith(key + ':'))
            return l.mid(key.size() + 1).trimmed();
    return QString();
}

OutputText ReadOutputText(const QString& text)
{
    const OutputTextOutline outline = ::ParseOutputText(text.toStdString());
    OutputText out;
    out.Front = Lines(outline.front);
    for (const OutputTextSection& s : outline.sections) {
        out.Sections.push_back(TextSection{QString::fromStdString(s.name), {}});
        for (const OutputTextBlock& b : s.blocks)
            out.Sections.back().Blocks.push_back(TextBlock{QString::fromStdString(b.heading), Lines(b.lines)});
    }
    out.Summary = TextBlock{QString::fromStdString(outline.summary.heading), Lines(outline.summary.lines)};
    return out;
}

}  // namespace report
