#pragma once
// The dialog that chooses the RAUM entries the filter shows.

#include "filter/SetCategory.h"

class TfrmSetRaum : public TfrmSetCategory {
    Q_OBJECT
public:
    explicit TfrmSetRaum(QWidget *parent = nullptr);
};
