#pragma once

#include <QString>

// Number formats of fields and footers, as "### ### ### ### ##0.##": "0" a digit always
// shown, "#" a digit shown when significant, a blank or "," among the integer digits asks
// for thousands grouped with a blank, "." the decimal point; other characters are copied.
// Up to three sections "positive;negative;zero" (the negative section shows no minus sign
// of its own). An empty format gives the shortest exact text with ".".
QString FormatFloat(const QString &format, double value);
