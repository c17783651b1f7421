#pragma once

#include "KV_ReportError.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>

// Paper, orientation and margins of a report. A template sets them with meta tags in its
// head (see doc/reports.md):
//
//   <meta name="page-size" content="A4">            A3, A4, A5, B5, Letter, Legal or "210x297"
//   <meta name="page-orientation" content="landscape">           portrait or landscape
//   <meta name="page-margins" content="10 10 10 15">  millimetres, top right bottom left
//
// A tag left out keeps the default: A4, portrait, 10 mm all round.
struct KvReportPageSetup
{
    QPageSize pageSize{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{10, 10, 10, 10}; // millimetres: left, top, right, bottom

    QPageLayout pageLayout() const;

    // The setup a template's meta tags ask for; a value that cannot be read is an error
    // with the line of its tag, and the default stays.
    static KvReportPageSetup fromTemplate(const QString &templateText,
                                          KvReportError *error = nullptr);
};
