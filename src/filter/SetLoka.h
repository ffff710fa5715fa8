#pragma once
// The dialog that chooses the LOKA entries the filter shows.

#include "filter/SetCategory.h"

class TfrmSetLoka : public TfrmSetCategory {
    Q_OBJECT
public:
    explicit TfrmSetLoka(QWidget *parent = nullptr);
};
