#pragma once
#include <QWidget>

// Created hidden at start-up and kept for the whole run; the related-records
// lookup of the main window fills and shows it.
class TfrmDispBild : public QWidget {
    Q_OBJECT
public:
    explicit TfrmDispBild(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void FormShow();
    void FormHide();
};
