#include "run/widgets/ReportTitle.h"

#include "TorvikVersion.h"
#include "run/ResultTables.h"
#include "run/widgets/ReportOutline.h"

#include <QDateTime>
#include <QFileInfo>

namespace report {

namespace {

QString StageNames(const TResultSet& results)
{
    QStringList names;
    for (const TStageResults& s : results.Stages)
        names << QString::fromStdString(s.Name);
    return QString::number(results.Stages.size()) + ": " + names.join(", ");
}

}  // namespace

void TitleBlock(Pages& pages, const OutputText& text, const TResultSet& results, const QString& wallFile,
                const QString& fingerprint)
{
    pages.Text(QStringLiteral("Calculation report"), Pages::Sans(20, true));
    pages.Space(1);
    pages.Text(text.Field(outputtext::Title), Pages::Sans(14));
    pages.Space(4);
    const QFileInfo info(wallFile);
    // A word never wraps: a fingerprint wider than its column is given in
    // two groups of 32 digits, one under the other, so that all of it is on the paper.
    const double column = 0.72 * pages.Width() - Mm(1.5);
    QString shownFingerprint = fingerprint;
    if (pages.TextWidth(fingerprint, Pages::Sans(9)) > column && fingerprint.size() > 32)
        shownFingerprint = fingerprint.left(32) + '\n' + fingerprint.mid(32);
    std::vector<QStringList> rows = {{"Project title", text.Field(outputtext::Title)},
                                     {"Data file", info.fileName()},
                                     {"Folder", info.absolutePath()},
                                     {"SHA-256 of the data file", shownFingerprint},
                                     {"Report made", QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm t")},
                                     {"Analysis run", text.Field(outputtext::RunStarted)},
                                     {"Program", ProgramNameAndRelease},
                                     {"Engine", text.Field(outputtext::Engine)},
                                     {"Units", text.Field(outputtext::Units)},
                                     {"Analyses", StageNames(results)}};
    if (ResultsOlderThanData(wallFile.toStdString()))
        rows.push_back({"Results", QStringLiteral("%1: the data file was changed after this analysis")
                                       .arg(QString::fromLatin1(OlderResultsNote))});
    pages.Table({"Item", "Value"}, rows, {0.28, 0.72}, 9);
    pages.Space(3);
    pages.Text(QStringLiteral("The fingerprint identifies the input: the SHA-256 of the data file's bytes, as a "
                              "command such as sha256sum prints it. A data file with other bytes gives another "
                              "fingerprint."),
               Pages::Sans(8));
}

}  // namespace report
