#pragma once
// The dialog that chooses the ATYP entries the filter shows.

#include "filter/SetCategory.h"

class TfrmSetATyp : public TfrmSetCategory {
    Q_OBJECT
public:
    explicit TfrmSetATyp(QWidget *parent = nullptr);
};
