#pragma once
#include "ui/rules/StudyDisplay.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

// The tornado chart of a sensitivity study: a bar per parameter from the
// output at its low value to the output at its high value, about a line at
// the base value, the largest swing on top, the parameters named on the left
// and the values written at the bars' ends. Drawn in the widget's font, so
// that it scales with the screen.
class TTornadoChart : public QWidget {
public:
    explicit TTornadoChart(QWidget* parent = nullptr);

    // `caption` names the output and its unit.
    void SetChart(const TornadoChartData& data, const std::string& caption);
    const TornadoChartData& Data() const { return data_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TornadoChartData data_;
    std::string caption_;
};

// A histogram of an output over the realisations: the bins as bars, the
// count of the tallest and the range of the values on the axes, and a
// marked limit (F = 1) where one is given and falls within the range.
class THistogramChart : public QWidget {
public:
    explicit THistogramChart(QWidget* parent = nullptr);

    void SetChart(const std::vector<HistogramBin>& bins, const std::string& caption,
                  std::optional<double> limit = std::nullopt);
    const std::vector<HistogramBin>& Bins() const { return bins_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<HistogramBin> bins_;
    std::string caption_;
    std::optional<double> limit_;
};
