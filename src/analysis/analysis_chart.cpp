#include "analysis/analysis_chart.h"

#include "data/money.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QLegend>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
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

// Colours far enough apart for a dozen columns side by side, then again a
// shade darker.
QColor columnColour(int index)
{
    static const QList<QColor> palette{
        QColor(0x1f, 0x77, 0xb4), QColor(0xff, 0x7f, 0x0e), QColor(0x2c, 0xa0, 0x2c), QColor(0xd6, 0x27, 0x28),
        QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b), QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f),
        QColor(0xbc, 0xbd, 0x22), QColor(0x17, 0xbe, 0xcf), QColor(0x39, 0x3b, 0x79), QColor(0xad, 0x49, 0x4a)};
    const QColor colour = palette[index % palette.size()];
    return index / palette.size() % 2 == 0 ? colour : colour.darker(150);
}

}  // namespace

AnalysisChart::AnalysisChart(QWidget* parent)
    : QWidget(parent), view_(new QChartView(this)), legend_(new QListWidget(this))
{
    setObjectName(QStringLiteral("MSChart1"));
    // The chart takes the focus as one control; screen readers read its name
    // and description.
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    view_->setObjectName(QStringLiteral("MSChart1Plot"));
    view_->setFocusPolicy(Qt::NoFocus);
    view_->viewport()->setObjectName(QStringLiteral("MSChart1PlotArea"));
    view_->viewport()->setFocusPolicy(Qt::NoFocus);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setRenderHint(QPainter::Antialiasing);
    QChart* c = view_->chart();
    c->setMargins(QMargins(4, 4, 4, 4));
    c->layout()->setContentsMargins(0, 0, 0, 0);
    c->setBackgroundRoundness(0);
    c->legend()->setVisible(false);
    // The value axis writes its numbers as the region does, without groups.
    QLocale regional = QLocale::system();
    regional.setNumberOptions(QLocale::OmitGroupSeparator);
    c->setLocale(regional);
    c->setLocalizeNumbers(true);
    QFont title = font();
    title.setBold(true);
    c->setTitleFont(title);

    legend_->setObjectName(QStringLiteral("MSChart1Legend"));
    legend_->setFocusPolicy(Qt::NoFocus);
    legend_->viewport()->setObjectName(QStringLiteral("MSChart1LegendArea"));
    legend_->viewport()->setFocusPolicy(Qt::NoFocus);
    legend_->setSelectionMode(QAbstractItemView::NoSelection);
    legend_->setFrameShape(QFrame::NoFrame);
    legend_->setFlow(QListView::TopToBottom);
    legend_->setWrapping(true);
    legend_->setResizeMode(QListView::Adjust);
    legend_->setUniformItemSizes(true);
    legend_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont small = font();
    small.setPointSizeF(8);
    legend_->setFont(small);
    legend_->hide();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 4, 0);
    layout->setSpacing(0);
    layout->addWidget(view_, 1);
    layout->addWidget(legend_);
    redrawNow();
}

QChart* AnalysisChart::chart() const
{
    return view_->chart();
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
    legend_->setVisible(shown);
    sizeLegend();
}

void AnalysisChart::fillLegend()
{
    legend_->clear();
    const int side = QFontMetrics(legend_->font()).height() - 4;
    for (int i = 0; i < columns_.size(); ++i) {
        QPixmap swatch(side, side);
        swatch.fill(columnColour(i));
        legend_->addItem(new QListWidgetItem(QIcon(swatch), columns_[i].label));
    }
}

void AnalysisChart::sizeLegend()
{
    // As many columns of labels as the height needs, at most half the width.
    const QFontMetrics metrics(legend_->font());
    int widest = 0;
    for (const Column& column : columns_) widest = std::max(widest, metrics.horizontalAdvance(column.label));
    const QSize item(widest + metrics.height() + 12, metrics.height() + 3);
    legend_->setGridSize(item);
    legend_->setIconSize(QSize(metrics.height() - 4, metrics.height() - 4));
    const int rows = std::max(1, (height() - 8) / item.height());
    const int columns = std::max<int>(1, (static_cast<int>(columns_.size()) + rows - 1) / rows);
    legend_->setFixedWidth(std::min(columns * item.width() + 6, width() / 2));
}

void AnalysisChart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    sizeLegend();
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
    if (redrawPending_) redrawNow();
    // The legend lays its labels out lazily; a picture taken at once needs them.
    legend_->doItemsLayout();
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
    fillLegend();
    legend_->setVisible(legendShown_);
    sizeLegend();
    setAccessibleName(title_.isEmpty() ? QStringLiteral("Chart") : title_);
    setAccessibleDescription(figuresDescription());
}

}  // namespace mervalis
