#pragma once

#include "frmuGuide.h"

// The guides that follow the pattern with no more than a different table, caption, columns
// and initial sort: units of measure, expense items, percentage deductions, kinds and ways of
// work, banks.

class TfrmMeasure : public TfrmGuide
{
    Q_OBJECT
public:
    explicit TfrmMeasure(KvSession &session, QWidget *parent = nullptr);
};

class TfrmExpenseDescr : public TfrmGuide
{
    Q_OBJECT
public:
    explicit TfrmExpenseDescr(KvSession &session, QWidget *parent = nullptr);
};

class TfrmPercentDeduction : public TfrmGuide
{
    Q_OBJECT
public:
    explicit TfrmPercentDeduction(KvSession &session, QWidget *parent = nullptr);
};

class TfrmKindOfWork : public TfrmGuide
{
    Q_OBJECT
public:
    explicit TfrmKindOfWork(KvSession &session, QWidget *parent = nullptr);
};

class TfrmWayOfWork : public TfrmGuide
{
    Q_OBJECT
public:
    explicit TfrmWayOfWork(KvSession &session, QWidget *parent = nullptr);
};

// The banks guide; also the bank picker of the bank-accounts guide.
class TfrmBank : public TfrmGuide
{
    Q_OBJECT
public:
    explicit TfrmBank(KvSession &session, QWidget *parent = nullptr);
};

// A grid column of a guide: field, title ("Адрес|Улица" for two levels), sort marker.
TColumnEh GuideColumn(const QString &field, const QString &title, TSortMarkerEh marker = smNoneEh);
