#pragma once
#include "app/Form.h"

#include <QWidget>

// Created hidden at start-up and kept for the whole run; the related-records
// lookup of the main window fills and shows it.
class TfrmDispBild : public Form<QWidget> {
    Q_OBJECT
public:
    explicit TfrmDispBild(QWidget *parent = nullptr);

private:
    void FormShow() override;
    void FormHide() override;
};
