#pragma once

#include <QString>
#include <QStringList>

// Figures the database keeps up to date itself from the sales, so that an
// analysis or a list reads a few thousand rows instead of every sale.
//
// One table, MervalisFigures, made by the set-up and kept by triggers on
// Mervalis2 for every insert, update and delete, whoever writes (the
// program, isql, a grid edit, a restore). Each row gathers the sales that
// hold exactly the same texts (case and all) in the columns of one grouping:
//
// Field                  Value              Year, Month   Counted
// a compared column C    C                  Year, Month   -
// P/ClientName           profile field P    -             ClientName
// SalesRep/ReferenceID   SalesRep           -             ReferenceID
// ReferenceID            ReferenceID        -             -
// Receivables            ReferenceID        -             ClientName    (and Company)
//
// and, per sales rep, the number of its reference IDs (countOf()).
//
// with their number (Sales), the number with a total (Totaled), their income
// in ten-thousandths (Income, each sale's SubTotal rounded as the analyses
// round it), the number of unpaid ones (Unpaid), the lowest ID (FirstID)
// and, for reference IDs, the lowest unpaid ID (FirstUnpaidID). The
// receivables' rows hold texts that compare equal (as the other counted
// groupings' do), spelt as their first sale; their Unpaid counts the sales
// not "PAID", Due what those add up to in ten-thousandths, and FirstDate the
// earliest sale's date as yyyymmdd, paid or not. Value, Year,
// Month and Counted compare as the sales' own columns (NOCASE on SQLite,
// citext on PostgreSQL), so a statement over the kept rows groups, filters
// and counts distinct texts exactly as the same statement over the sales.
namespace mervalis::kept_figures {

QString table();  // "MervalisFigures"

// The sale columns the analyses compare by and choose from: a grouping each,
// with Year and Month (AssociatedCompany, ClientName, ProductService,
// MarketingTool, SalesRep).
QStringList comparedColumns();
// The client profile fields of a sale whose distinct clients are counted
// (Sex, Age, Income, Ethnicity, City, Country).
QStringList profileColumns();

// The Field of a compared column's grouping (the column itself).
QString byColumn(const QString& column);
// The Field of a grouping that counts the distinct `counted` texts under the
// values of `column`: "Sex/ClientName", "SalesRep/ReferenceID".
QString distinctUnder(const QString& column, const QString& counted);
// The Field of the rows that count, per value of `column`, the rows of its
// distinctUnder() grouping: the number of distinct texts, kept for the
// sales reps' reference IDs, where there are hundreds of thousands.
QString countOf(const QString& column, const QString& counted);
// The Field of the reference IDs' grouping.
QString byReferenceId();
// The Field of what is owed: one row per reference ID, client and company.
QString receivables();

// Every sale lies in exactly one row of every grouping: the rows of any
// compared column together hold all sales (this one is used for figures of
// all sales), and those of any profile field all clients sold to.
QString allSales();
QString allClients();
// The number of sales, from the kept rows alone.
QString countOfAllSales();

}  // namespace mervalis::kept_figures
