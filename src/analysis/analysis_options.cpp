#include "analysis/analysis_options.h"

namespace mervalis::analysis_options {

namespace {

const QString kCompany = QStringLiteral("AssociatedCompany");
const QString kClient = QStringLiteral("ClientName");
const QString kProduct = QStringLiteral("ProductService");
const QString kTool = QStringLiteral("MarketingTool");
const QString kRep = QStringLiteral("SalesRep");

QString continueQuestion(const QString& what)
{
    return QStringLiteral("This will %1. Continue?").arg(what);
}

QString profileQuestion(const QString& attribute, bool notCountedNote)
{
    QString text = QStringLiteral("This will compare clients you have sold to by %1.").arg(attribute);
    if (notCountedNote) {
        text += QStringLiteral(" Clients with no %1 data entered will not be counted.").arg(attribute);
    }
    return text + QStringLiteral(" Continue?");
}

QList<Option> build()
{
    const Option separator{QString(), Kind::Separator, {}, {}, {}};
    auto option = [](const char* text, Kind kind, const QString& column = {}, const QString& question = {},
                     const QString& prompt = {}) {
        return Option{QString::fromLatin1(text), kind, column, question, prompt};
    };
    return {
        option("Total Income (all companies)", Kind::TotalIncome, {},
               continueQuestion(QStringLiteral("calculate total income for all companies"))),
        option("Income (per company)", Kind::EntityIncome, kCompany, {}, QStringLiteral("Choose company")),
        option("Income (per client)", Kind::EntityIncome, kClient, {}, QStringLiteral("Choose client")),
        option("Income (per product/service)", Kind::EntityIncome, kProduct, {},
               QStringLiteral("Choose product / service")),
        option("Income (per marketing tool)", Kind::EntityIncome, kTool, {}, QStringLiteral("Select marketing tool")),
        option("Income (per sales rep)", Kind::EntityIncome, kRep, {}, QStringLiteral("Select sales rep name")),
        separator,
        option("compare sales by year", Kind::YearComparison, {},
               continueQuestion(QStringLiteral("compare sales by year"))),
        option("Compare sales by company", Kind::EntityComparison, kCompany,
               continueQuestion(QStringLiteral("compare sales by company"))),
        option("Compare sales by client", Kind::EntityComparison, kClient,
               continueQuestion(QStringLiteral("compare sales by client"))),
        option("Compare sales by product/service", Kind::EntityComparison, kProduct,
               continueQuestion(QStringLiteral("compare sales by product/service"))),
        option("Compare sales by marketing tool", Kind::EntityComparison, kTool,
               continueQuestion(QStringLiteral("compare sales by marketing tool"))),
        option("Compare sales by sales rep", Kind::EntityComparison, kRep,
               continueQuestion(QStringLiteral("compare sales by sales rep"))),
        separator,
        option("conversion ratio (sold clients \\ clients)%", Kind::Conversion),
        option("compare closing ratios per sales rep(%)", Kind::ClosingRatios, kRep, closingRatioQuestion()),
        option("compare sold clients by age", Kind::AgeProfile, QStringLiteral("Age")),
        option("compare sold clients by ethnicity", Kind::Profile, QStringLiteral("Ethnicity"),
               profileQuestion(QStringLiteral("ethnicity"), true)),
        option("compare sold clients by sex", Kind::Profile, QStringLiteral("Sex"),
               profileQuestion(QStringLiteral("sex"), true)),
        option("compare sold clients by income", Kind::Profile, QStringLiteral("Income"),
               profileQuestion(QStringLiteral("income"), true)),
        option("compare sold clients by city", Kind::Profile, QStringLiteral("City"),
               profileQuestion(QStringLiteral("city"), false)),
        option("compare sold clients by country", Kind::Profile, QStringLiteral("Country"),
               profileQuestion(QStringLiteral("country"), false)),
        separator,
        option("Total number of Sales (all companies)", Kind::TotalCount, {},
               continueQuestion(QStringLiteral("calculate total number of sales for all companies"))),
        option("number of Sales (per company)", Kind::EntityCount, kCompany),
        option("number of Sales (per client)", Kind::EntityCount, kClient),
        option("number of Sales (per product/service)", Kind::EntityCount, kProduct),
        option("number of Sales (per marketing tool)", Kind::EntityCount, kTool),
        option("number of Sales (per sales rep)", Kind::EntityCount, kRep),
        separator,
        option("Total Income (all years)", Kind::AllYearsIncome),
        option("Total income per company (all years)", Kind::EntityAllYears, kCompany),
        option("Total income per client (all years)", Kind::EntityAllYears, kClient),
        option("Total income per product/service (all years)", Kind::EntityAllYears, kProduct),
        option("Total income per marketing tool (all years)", Kind::EntityAllYears, kTool),
        option("Total income per sales rep (all years)", Kind::EntityAllYears, kRep),
        separator,
        option("Compare company income for all years", Kind::AllYearsComparison, kCompany),
        option("Compare client income for all years", Kind::AllYearsComparison, kClient),
        option("Compare product/service income for all years", Kind::AllYearsComparison, kProduct),
        option("Compare marketing tool income for all years", Kind::AllYearsComparison, kTool),
        option("Compare sales rep income for all years", Kind::AllYearsComparison, kRep),
    };
}

}  // namespace

QString closingRatioQuestion()
{
    return QStringLiteral("This will compare the closing ratios of sales reps. It compares the total sales made by "
                          "the sales rep by the leads given to him/her. It is possible for a sales rep to make more "
                          "sales than leads given, hence his/her ratio will be more than 100%. Sales with no sales "
                          "rep data entered (or a sales rep of 'None') will not be counted.\r\n\r\nContinue?");
}

const QList<Option>& all()
{
    static const QList<Option> options = build();
    return options;
}

QStringList texts()
{
    QStringList list;
    for (const Option& option : all()) list << option.text;
    return list;
}

const Option* find(const QString& text)
{
    if (text.isEmpty()) return nullptr;
    for (const Option& option : all()) {
        if (option.text == text) return &option;
    }
    return nullptr;
}

}  // namespace mervalis::analysis_options
