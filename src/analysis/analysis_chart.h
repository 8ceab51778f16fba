#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QChart;
class QChartView;
class QListWidget;

namespace mervalis {

// MSChart1: one row of N columns, each column one category with its value and
// its label (the category, ": " and the value, so that the legend lists the
// figures), drawn as a two-dimensional bar chart (type 1) or pie (type 14).
// The analyses set its properties one by one as they would on a chart
// control; the drawing follows as soon as the window system gets its turn
// (or at once through redrawNow()). The legend, the list of the column
// labels, runs beside the plot and flows into further columns when the
// labels are many. Screen readers get the title as the accessible name and
// one line per column as the accessible description.
class AnalysisChart : public QWidget {
    Q_OBJECT
public:
    enum ChartType { Bar = 1, Pie = 14 };

    explicit AnalysisChart(QWidget* parent = nullptr);

    // The column count; new columns start without value or label, columns
    // beyond it are dropped, the others keep what they had.
    void setColumnCount(int count);
    int columnCount() const { return static_cast<int>(columns_.size()); }
    // Columns count from 1. The value is given as text; a text that is not a
    // number draws as 0.
    void setData(int column, const QString& value);
    QString data(int column) const;
    void setColumnLabel(int column, const QString& label);
    QString columnLabel(int column) const;
    void setTitleText(const QString& title);
    QString titleText() const { return title_; }
    void setShowLegend(bool shown);
    bool showLegend() const { return legendShown_; }
    void setChartType(int type);
    int chartType() const { return type_; }

    // The figures as a spreadsheet pastes them: one row per column, its label
    // and its value separated by a tab.
    QString figuresText() const;
    // One line per column for screen readers.
    QString figuresDescription() const;
    // The chart as it is drawn now.
    QImage image();

    // Draws the columns now instead of at the next turn of the window system.
    void redrawNow();
    // The plot (series, title) and the legend as drawn.
    QChart* chart() const;
    QListWidget* legend() const { return legend_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Column {
        QString data;
        QString label;
    };
    Column* at(int column);
    void scheduleRedraw();
    void fillLegend();
    void sizeLegend();

    QChartView* view_;
    QListWidget* legend_;

    QList<Column> columns_;
    QString title_;
    bool legendShown_ = false;
    int type_ = Bar;
    bool redrawPending_ = false;
};

}  // namespace mervalis
