#pragma once
// The dialog that chooses the STIL entries the filter shows.

#include "filter/SetCategory.h"

class TfrmSetStil : public TfrmSetCategory {
    Q_OBJECT
public:
    explicit TfrmSetStil(QWidget *parent = nullptr);
};
