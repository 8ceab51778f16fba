#include "analysis/analysis_chart.h"

#include "data/money.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QLegend>
#include <QPieSeries>
#include <QPieSlice>
#include <QTimer>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace mervalis {

namespace {

double valueOf(const QString& text)
{
    double value = 0;
    return readNumber(text, &value) ? value : 0;
}

// Colours far enough apart for a dozen columns side by side.
QColor columnColour(int index)
{
    static const QList<QColor> palette{
        QColor(0x1f, 0x77, 0xb4), QColor(0xff, 0x7f, 0x0e), QColor(0x2c, 0xa0, 0x2c), QColor(0xd6, 0x27, 0x28),
        QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b), QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f),
        QColor(0xbc, 0xbd, 0x22), QColor(0x17, 0xbe, 0xcf), QColor(0x39, 0x3b, 0x79), QColor(0xad, 0x49, 0x4a)};
    return palette[index % palette.size()];
}

}  // namespace

AnalysisChart::AnalysisChart(QWidget* parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("MSChart1"));
    // The chart takes the focus as one control; screen readers read its name
    // and description.
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setObjectName(QStringLiteral("MSChart1Viewport"));
    viewport()->setFocusPolicy(Qt::NoFocus);
    setRenderHint(QPainter::Antialiasing);
    chart()->setMargins(QMargins(4, 4, 4, 4));
    chart()->layout()->setContentsMargins(0, 0, 0, 0);
    chart()->setBackgroundRoundness(0);
    // A dozen labelled columns fit beside the plot at the small height.
    QFont small = font();
    small.setPointSizeF(7);
    chart()->legend()->setFont(small);
    chart()->legend()->setAlignment(Qt::AlignRight);
    chart()->legend()->setShowToolTips(true);
    chart()->legend()->setContentsMargins(0, 0, 0, 0);
    chart()->legend()->setMarkerShape(QLegend::MarkerShapeRectangle);
    chart()->legend()->setVisible(false);
    QFont title = font();
    title.setBold(true);
    chart()->setTitleFont(title);
    redrawNow();
}

AnalysisChart::Column* AnalysisChart::at(int column)
{
    if (column < 1 || column > columns_.size()) return nullptr;
    return &columns_[column - 1];
}

void AnalysisChart::setColumnCount(int count)
{
    count = std::max(0, count);
    if (count == columns_.size()) return;
    columns_.resize(count);
    scheduleRedraw();
}

void AnalysisChart::setData(int column, const QString& value)
{
    if (Column* c = at(column)) {
        c->data = value;
        scheduleRedraw();
    }
}

QString AnalysisChart::data(int column) const
{
    return column >= 1 && column <= columns_.size() ? columns_[column - 1].data : QString();
}

void AnalysisChart::setColumnLabel(int column, const QString& label)
{
    if (Column* c = at(column)) {
        c->label = label;
        scheduleRedraw();
    }
}

QString AnalysisChart::columnLabel(int column) const
{
    return column >= 1 && column <= columns_.size() ? columns_[column - 1].label : QString();
}

void AnalysisChart::setTitleText(const QString& title)
{
    title_ = title;
    scheduleRedraw();
}

void AnalysisChart::setShowLegend(bool shown)
{
    legendShown_ = shown;
    chart()->legend()->setVisible(shown);
}

void AnalysisChart::setChartType(int type)
{
    if (type != Bar && type != Pie) return;
    type_ = type;
    scheduleRedraw();
}

QString AnalysisChart::figuresText() const
{
    QString text;
    for (const Column& column : columns_) text += column.label + QLatin1Char('\t') + column.data + QStringLiteral("\r\n");
    return text;
}

QString AnalysisChart::figuresDescription() const
{
    QStringList lines;
    for (int i = 0; i < columns_.size(); ++i) {
        const Column& column = columns_[i];
        // A label that already ends in its value ("Jan: 100") is read as it is.
        if (column.label.endsWith(QStringLiteral(": ") + column.data)) lines << column.label;
        else if (column.label.isEmpty()) lines << QStringLiteral("Column %1: %2").arg(i + 1).arg(column.data);
        else lines << column.label + QStringLiteral(": ") + column.data;
    }
    return lines.join(QLatin1Char('\n'));
}

QImage AnalysisChart::image()
{
    redrawNow();
    return grab().toImage();
}

void AnalysisChart::scheduleRedraw()
{
    if (redrawPending_) return;
    redrawPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (redrawPending_) redrawNow();
    });
}

void AnalysisChart::redrawNow()
{
    redrawPending_ = false;
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    c->setTitle(title_);
    if (type_ == Pie) {
        auto* pie = new QPieSeries;
        for (int i = 0; i < columns_.size(); ++i) {
            // A pie has no room for a negative share.
            QPieSlice* slice = pie->append(columns_[i].label, std::max(0.0, valueOf(columns_[i].data)));
            slice->setBrush(columnColour(i));
        }
        c->addSeries(pie);
    } else {
        auto* bars = new QBarSeries;
        double low = 0;
        double high = 0;
        for (int i = 0; i < columns_.size(); ++i) {
            auto* set = new QBarSet(columns_[i].label);
            const double value = valueOf(columns_[i].data);
            *set << value;
            set->setColor(columnColour(i));
            bars->append(set);
            low = std::min(low, value);
            high = std::max(high, value);
        }
        bars->setBarWidth(0.9);
        c->addSeries(bars);
        auto* categories = new QBarCategoryAxis;
        categories->append(QStringLiteral(" "));
        categories->setGridLineVisible(false);
        categories->setLabelsVisible(false);
        auto* values = new QValueAxis;
        values->setRange(low, high > low ? high : low + 1);
        values->applyNiceNumbers();
        values->setLabelFormat(QStringLiteral("%.10g"));
        c->addAxis(categories, Qt::AlignBottom);
        c->addAxis(values, Qt::AlignLeft);
        bars->attachAxis(categories);
        bars->attachAxis(values);
    }
    c->legend()->setVisible(legendShown_);
    setAccessibleName(title_.isEmpty() ? QStringLiteral("Chart") : title_);
    setAccessibleDescription(figuresDescription());
}

}  // namespace mervalis
